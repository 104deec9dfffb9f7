// The Debian packages that tools/package.sh built from this source tree (the
// CTest fixture PackageBuild): what they hold and declare, and the game
// unpacked from them with dpkg -x, started through its launcher as a player
// would start it.

#include "tests/support/GameProcess.h"
#include "tests/support/RunDir.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using testsupport::GameProcess;
using testsupport::runCommand;

namespace {

const std::string APP_ID = "io.github.vorlane.Vorlane";
const std::string DATA = "./usr/share/games/vorlane/";

bool contains(std::string const& text, std::string const& part) {
    return text.find(part) != std::string::npos;
}

// Standard output of a command that needs no display; empty when it fails.
std::string output(std::vector<std::string> const& argv) {
    std::string out;
    if (runCommand(argv, "", &out, 60000) != 0) return "";
    return out;
}

// The members of a .deb as dpkg-deb lists them: path to its mode string
// ("-rwxr-xr-x", "lrwxrwxrwx"), directories left out.
std::map<std::string, std::string> members(fs::path const& deb) {
    std::map<std::string, std::string> files;
    std::istringstream lines(output({"dpkg-deb", "--contents", deb.string()}));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string mode, owner, size, date, time, path;
        fields >> mode >> owner >> size >> date >> time >> path;
        if (mode.empty() || mode[0] == 'd') continue;
        files[path] = mode + " " + owner;
    }
    return files;
}

std::string field(fs::path const& deb, std::string const& name) {
    std::string value = output({"dpkg-deb", "--field", deb.string(), name});
    while (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
}

class PackageTest : public ::testing::Test {
protected:
    fs::path game; // the game's package (launcher, program, desktop files)
    fs::path data; // the arch-independent data package
    fs::path base; // scratch directory, removed at the end

    void SetUp() override {
        const char* asked = std::getenv("VORLANE_PACKAGE_TEST");
        if (!asked || std::string(asked) != "1")
            GTEST_SKIP()
                << "The package test runs with VORLANE_PACKAGE_TEST=1, as in: bash tools/package.sh --test";
        std::string arch = output({"dpkg", "--print-architecture"});
        while (!arch.empty() && arch.back() == '\n') arch.pop_back();
        std::string version = VORLANE_VERSION;
        game = fs::path(VORLANE_DEB_DIR) / ("vorlane_" + version + "_" + arch + ".deb");
        data = fs::path(VORLANE_DEB_DIR) / ("vorlane-data_" + version + "_all.deb");
        // PackageBuild, which this test requires, skips when the tools are
        // missing and leaves no packages behind.
        if (!fs::exists(game) &&
            runCommand({"sh", "-c",
                        "for t in dpkg-buildpackage dh lintian; do command -v $t >/dev/null || exit 1; done"},
                       "") != 0)
            GTEST_SKIP() << "The packaging tools are missing; bash tools/package.sh installs them";
        ASSERT_TRUE(fs::exists(game)) << game;
        ASSERT_TRUE(fs::exists(data)) << data;

        std::string tmpl = (fs::temp_directory_path() / "vorlane-package-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(tmpl.data()));
        base = tmpl;
    }

    void TearDown() override {
        std::error_code ec;
        if (!base.empty()) fs::remove_all(base, ec);
    }
};

TEST_F(PackageTest, PackagesHoldTheGameInDebiansLayout) {
    std::string version = VORLANE_VERSION;
    EXPECT_EQ(field(game, "Version"), version);
    EXPECT_EQ(field(game, "Section"), "games");
    std::string depends = field(game, "Depends");
    for (const char* lib :
         {"vorlane-data (= ", "libsdl1.2debian", "libsdl-image1.2", "libsdl-mixer1.2", "libgl1"})
        EXPECT_TRUE(contains(depends, lib)) << lib << " not in " << depends;
    EXPECT_TRUE(contains(depends, "vorlane-data (= " + version + ")")) << depends;
    EXPECT_EQ(field(data, "Architecture"), "all");
    EXPECT_EQ(field(data, "Multi-Arch"), "foreign");

    const std::string exe = "-rwxr-xr-x root/root", plain = "-rw-r--r-- root/root";
    std::map<std::string, std::string> expected = {
        {"./usr/games/vorlane", exe},
        {"./usr/libexec/vorlane/vorlane", exe},
        {"./usr/share/applications/" + APP_ID + ".desktop", plain},
        {"./usr/share/metainfo/" + APP_ID + ".metainfo.xml", plain},
        {"./usr/share/man/man6/vorlane.6.gz", plain},
        {"./usr/share/doc/vorlane/changelog.gz", plain},
        {"./usr/share/doc/vorlane/copyright", plain},
    };
    for (const char* size : {"48x48", "128x128", "256x256"})
        expected["./usr/share/icons/hicolor/" + std::string(size) + "/apps/vorlane.png"] = plain;
    EXPECT_EQ(members(game), expected);

    // The data is what this tree's build makes: every picture and sound of
    // the run directory and every shader of the sources.
    expected = {{"./usr/share/doc/vorlane-data/changelog.gz", plain},
                {"./usr/share/doc/vorlane-data/copyright", plain}};
    fs::path run = testsupport::RunDir::buildRunDir();
    for (auto const& e : fs::directory_iterator(run / "gfx"))
        if (e.path().extension() == ".png") expected[DATA + "gfx/" + e.path().filename().string()] = plain;
    for (auto const& e : fs::directory_iterator(run / "sfx"))
        if (e.path().extension() == ".ogg" || e.path().extension() == ".wav")
            expected[DATA + "sfx/" + e.path().filename().string()] = plain;
    for (auto const& e : fs::directory_iterator(fs::path(VORLANE_SOURCE_DIR) / "shaders"))
        expected[DATA + "shaders/" + e.path().filename().string()] = plain;
    EXPECT_TRUE(expected.count(DATA + "gfx/title.png"));
    EXPECT_TRUE(expected.count(DATA + "sfx/music1.ogg"));
    EXPECT_EQ(members(data), expected);
}

TEST_F(PackageTest, UnpackedGameStartsFromItsLauncherWithEveryAssetAndQuits) {
    fs::path root = base / "root", home = base / "home";
    fs::create_directories(home);
    for (fs::path const& deb : {game, data})
        ASSERT_EQ(runCommand({"dpkg", "--extract", deb.string(), root.string()}, "", nullptr, 60000), 0)
            << deb;
    fs::path launcher = root / "usr/games/vorlane";
    fs::path installed = root / "usr/share/games/vorlane";

    testsupport::Xvfb x;
    ASSERT_TRUE(x.ok());
    // The launcher finds the program and the data relative to itself, not
    // under /usr. (The harness appends the build's program to the command
    // line; "sh -c" drops it.)
    testsupport::RunDir menuDir(0);
    GameProcess play(menuDir, x.display(),
                     {"HOME=" + home.string(), "XDG_DATA_HOME", "SDL_AUDIODRIVER=dummy"},
                     {"/bin/sh", "-c", "exec \"$0\"", launcher.string()});
    ASSERT_TRUE(play.waitForStart(30000)) << play.err();
    std::string proc = "/proc/" + std::to_string(play.pid());
    fs::path playerDir = fs::canonical(home / ".local/share/vorlane");
    EXPECT_EQ(fs::read_symlink(proc + "/exe"), fs::canonical(root / "usr/libexec/vorlane/vorlane"));
    EXPECT_EQ(fs::read_symlink(proc + "/cwd"), playerDir);
    for (const char* name : {"gfx", "sfx", "shaders"})
        EXPECT_EQ(fs::read_symlink(playerDir / name), fs::canonical(installed) / name);

    // The music streams (to SDL's null audio device) from the installed data.
    fs::path music = fs::canonical(installed / "sfx/music1.ogg");
    EXPECT_TRUE(testsupport::waitUntil(
        [&] {
            std::error_code ec;
            for (auto const& fd : fs::directory_iterator(proc + "/fd", ec))
                if (fs::read_symlink(fd.path(), ec) == music) return true;
            return false;
        },
        5000))
        << music << " is not open";

    // Every picture of the loading log loaded.
    std::istringstream log(play.out());
    int loaded = 0;
    for (std::string line; std::getline(log, line);) {
        if (line.rfind("Loading ", 0) != 0) continue;
        if (line.size() > 3 && line.compare(line.size() - 3, 3, " OK") == 0)
            loaded++;
        else
            ADD_FAILURE() << line;
    }
    EXPECT_GE(loaded, 40) << play.out();
    EXPECT_TRUE(contains(play.out(), ":: All done.")) << play.out();

    ASSERT_TRUE(play.key("Escape"));
    ASSERT_TRUE(play.waitExit(10000));
    EXPECT_EQ(play.exitCode(), 0) << play.err();
}

} // namespace
