#include "tests/support/RunDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

std::string RunDir::buildRunDir() {
    const char* env = std::getenv("VORLANE_RUN_DIR");
    if (env && *env) return env;
    return fs::current_path().string();
}

std::string RunDir::program() {
    return buildRunDir() + "/vorlane";
}

RunDir::RunDir(unsigned assets) {
    std::string tmpl = (fs::temp_directory_path() / "vorlane-e2e-XXXXXX").string();
    if (mkdtemp(tmpl.data())) dir = tmpl;
    const char* names[3] = {"gfx", "sfx", "shaders"};
    for (int i = 0; i < 3; i++) {
        if (!(assets & (1u << i))) continue;
        fs::path src = fs::path(buildRunDir()) / names[i];
        std::error_code ec;
        if (fs::exists(src, ec)) fs::create_directory_symlink(src, fs::path(dir) / names[i], ec);
    }
}

RunDir::~RunDir() {
    std::error_code ec;
    if (!dir.empty()) fs::remove_all(dir, ec);
}

std::string RunDir::file(std::string const& name) const {
    return dir + "/" + name;
}

bool RunDir::exists(std::string const& name) const {
    std::error_code ec;
    return fs::exists(file(name), ec);
}

long RunDir::size(std::string const& name) const {
    std::error_code ec;
    auto s = fs::file_size(file(name), ec);
    return ec ? -1 : (long)s;
}

void RunDir::write(std::string const& name, std::string const& bytes) const {
    fs::path p = file(name);
    std::error_code ec;
    fs::create_directories(p.parent_path(), ec);
    std::ofstream(p, std::ios::binary) << bytes;
}

bool RunDir::copyFromBuild(std::string const& name) const {
    fs::path src = fs::path(buildRunDir()) / name;
    std::error_code ec;
    if (!fs::is_regular_file(src, ec)) return false;
    fs::path dst = file(name);
    fs::create_directories(dst.parent_path(), ec);
    return fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec);
}

std::string RunDir::read(std::string const& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace testsupport
