#include "engine/util/DataDir.h"

#include <sys/stat.h>

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

} // namespace quenth
