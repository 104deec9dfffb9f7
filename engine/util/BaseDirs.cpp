#include "engine/util/BaseDirs.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace quenth {

namespace {

std::string withoutTrailingSlashes(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

} // namespace

std::string BaseDirs::home() {
    char const* h = getenv("HOME");
    if (h && *h) return withoutTrailingSlashes(h);
    struct passwd* pw = getpwuid(getuid());
    if (pw && pw->pw_dir && *pw->pw_dir) return withoutTrailingSlashes(pw->pw_dir);
    return "";
}

std::string BaseDirs::configHome() {
    return base("XDG_CONFIG_HOME", "/.config");
}

std::string BaseDirs::dataHome() {
    return base("XDG_DATA_HOME", "/.local/share");
}

std::string BaseDirs::base(char const* variable, char const* fallback) {
    char const* v = getenv(variable);
    if (v && v[0] == '/') return withoutTrailingSlashes(v);
    std::string h = home();
    if (h.empty()) return "";
    if (h == "/") return fallback;
    return h + fallback;
}

} // namespace quenth
