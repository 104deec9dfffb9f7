#include "engine/util/DataDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace quenth {

std::string DataDir::root;

std::string DataDir::path(char const* rel) {
    if (root.empty()) return rel;
    return root + "/" + rel;
}

bool DataDir::holdsAny(std::string const& dir, char const* subdirs) {
    std::string names = subdirs;
    size_t at = 0;
    while (at < names.size()) {
        size_t end = names.find(' ', at);
        if (end == std::string::npos) end = names.size();
        if (end > at) {
            struct stat st;
            std::string p = (dir.empty() ? std::string(".") : dir) + "/" + names.substr(at, end - at);
            if (stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
        }
        at = end + 1;
    }
    return false;
}

bool DataDir::find(char const* subdirs, std::string const& asked, std::string const& programDir,
                   std::string const& relInstalled, std::string const& absInstalled, std::string& found,
                   std::string& looked) {
    std::string places[3];
    if (!asked.empty()) {
        places[0] = asked;
    } else {
        places[0] = ".";
        if (!programDir.empty() && !relInstalled.empty()) places[1] = programDir + "/" + relInstalled;
        places[2] = absInstalled;
    }
    looked.clear();
    for (std::string const& p : places) {
        if (p.empty()) continue;
        if (holdsAny(p, subdirs)) {
            found = p == "." ? "" : p;
            return true;
        }
        looked += (looked.empty() ? "" : ", ") + (p == "." ? std::string("the working directory") : p);
    }
    return false;
}

std::string DataDir::programDir() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    std::string self(buf, (size_t)n);
    size_t slash = self.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : self.substr(0, slash);
}

} // namespace quenth
