#ifndef QUENTH_UTIL_BASEDIRS_H
#define QUENTH_UTIL_BASEDIRS_H

#include <string>

namespace quenth {

// The per-user base directories of the XDG Base Directory rules. A variable
// counts only when it holds an absolute path; otherwise the directory under
// the home directory is used. Paths come without a trailing slash (except "/"
// itself) and are empty when there is no home directory at all.
class BaseDirs {
public:
    // $HOME when set and not empty, else the home directory of the user's
    // passwd entry; empty when neither exists.
    static std::string home();
    // $XDG_CONFIG_HOME, else home() + "/.config".
    static std::string configHome();
    // $XDG_DATA_HOME, else home() + "/.local/share".
    static std::string dataHome();

private:
    // The variable when it names an absolute path, else home() + fallback.
    static std::string base(char const* variable, char const* fallback);
};

} // namespace quenth

#endif
