// The installed game: "cmake --install" of this build staged under a scratch
// DESTDIR with the prefix /usr, its files, and the launcher started the way a
// menu starts it (another working directory, a fresh home).

#include "tests/support/GameProcess.h"
#include "tests/support/Image.h"
#include "tests/support/RunDir.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::GameProcess;
using testsupport::runCommand;

namespace {

// 1280 x 720 at 24 bits, rows of 3840 bytes, behind a 54-byte header.
const long BMP_SIZE = 54 + 1280L * 720 * 3;

std::string readFile(fs::path const& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool contains(std::string const& text, std::string const& part) {
    return text.find(part) != std::string::npos;
}

// Every file and link under root (directories left out), relative to root,
// with its size (links: their target's length).
std::map<std::string, long> filesUnder(fs::path const& root) {
    std::map<std::string, long> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::path rel = fs::relative(it->path(), root);
        if (it->is_symlink())
            files[rel.string()] = (long)fs::read_symlink(it->path()).string().size();
        else if (it->is_regular_file())
            files[rel.string()] = (long)it->file_size();
    }
    return files;
}

// Width and height from a PNG's header chunk, 0 x 0 when it is no PNG.
std::pair<int, int> pngSize(fs::path const& p) {
    std::string b = readFile(p);
    if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be32 = [&](size_t at) {
        return (int)((unsigned char)b[at] << 24 | (unsigned char)b[at + 1] << 16 |
                     (unsigned char)b[at + 2] << 8 | (unsigned char)b[at + 3]);
    };
    return {be32(16), be32(20)};
}

// One run of a command that ends by itself, without a display, in the
// directory cwd: its exit status and its standard output and error.
struct Result {
    int status;
    std::string out;
    std::string err;
};

Result runIn(fs::path const& cwd, std::vector<std::string> const& command) {
    std::vector<std::string> argv = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\" >run.out 2>run.err",
                                     cwd.string()};
    argv.insert(argv.end(), command.begin(), command.end());
    Result r;
    r.status = runCommand(argv, "", nullptr, 30000);
    r.out = readFile(cwd / "run.out");
    r.err = readFile(cwd / "run.err");
    return r;
}

// A scratch directory holding a staged installation (dest/), a home for the
// player (home/) and room for more; all removed at the end.
class InstallTest : public ::testing::Test {
protected:
    fs::path base;     // the scratch directory
    fs::path dest;     // DESTDIR of the staged installation
    fs::path home;     // HOME of the player
    fs::path cwd;      // an unrelated working directory
    std::string files; // the install manifest: one installed path per line

    // Installed paths below DESTDIR, as configured for this build.
    fs::path launcher() const { return dest / "usr" / VORLANE_INSTALL_BINDIR / "vorlane"; }
    fs::path program() const { return dest / "usr" / VORLANE_INSTALL_PROGDIR / "vorlane"; }
    fs::path data() const { return dest / "usr" / VORLANE_INSTALL_DATADIR; }
    fs::path share() const { return dest / "usr" / VORLANE_INSTALL_DATAROOTDIR; }
    fs::path manPage() const { return dest / "usr" / VORLANE_INSTALL_MANDIR / "man6/vorlane.6"; }
    fs::path desktopEntry() const {
        return share() / "applications" / (VORLANE_APP_ID + std::string(".desktop"));
    }
    fs::path metainfo() const {
        return share() / "metainfo" / (VORLANE_APP_ID + std::string(".metainfo.xml"));
    }
    fs::path playerDir() const { return home / ".local/share/vorlane"; }

    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "vorlane-install-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(tmpl.data()));
        base = tmpl;
        dest = base / "dest";
        home = base / "home";
        cwd = base / "cwd";
        fs::create_directories(home);
        fs::create_directories(cwd);
        install();
    }

    void TearDown() override {
        std::error_code ec;
        fs::remove_all(base, ec);
    }

    // Stages the install. Only the component "vorlane" is installed, so the
    // build's own install_manifest.txt (what a player uninstalls with) stays
    // as it is; the lock keeps parallel tests from reading each other's
    // manifest.
    void install() {
        std::string build = VORLANE_BUILD_DIR;
        int lock = open((build + "/install-test.lock").c_str(), O_RDWR | O_CREAT, 0644);
        ASSERT_GE(lock, 0);
        flock(lock, LOCK_EX);
        std::string log;
        int status = runCommand({"env", "DESTDIR=" + dest.string(), VORLANE_CMAKE_COMMAND, "--install", build,
                                 "--prefix", "/usr", "--component", "vorlane"},
                                "", &log, 60000);
        files = readFile(build + "/install_manifest_vorlane.txt");
        close(lock);
        ASSERT_EQ(status, 0) << log;
    }
};

TEST_F(InstallTest, PutsEveryFileInTheGamesLayoutAndNothingElse) {
    std::set<std::string> expected = {
        launcher().string(), program().string(), desktopEntry().string(),
        metainfo().string(), manPage().string(),
    };
    for (int size : {48, 128, 256}) {
        std::string n = std::to_string(size);
        expected.insert((share() / "icons/hicolor" / (n + "x" + n) / "apps/vorlane.png").string());
    }
    fs::path runDir = testsupport::RunDir::buildRunDir();
    int pictures = 0;
    for (auto const& e : fs::directory_iterator(runDir / "gfx")) {
        if (e.path().extension() != ".png") continue;
        expected.insert((data() / "gfx" / e.path().filename()).string());
        pictures++;
    }
    EXPECT_EQ(pictures, 40);
    int shaders = 0;
    for (auto const& e : fs::directory_iterator(fs::path(VORLANE_SOURCE_DIR) / "shaders")) {
        expected.insert((data() / "shaders" / e.path().filename()).string());
        shaders++;
    }
    EXPECT_EQ(shaders, 18);
    // Every sound the build makes, the music among them.
    for (auto const& e : fs::directory_iterator(runDir / "sfx"))
        if (e.path().extension() == ".ogg" || e.path().extension() == ".wav")
            expected.insert((data() / "sfx" / e.path().filename()).string());
    EXPECT_TRUE(expected.count((data() / "sfx/music1.ogg").string()));

    std::set<std::string> found;
    for (auto const& f : filesUnder(dest)) found.insert((dest / f.first).string());
    EXPECT_EQ(found, expected);
    // The manifest lists the installed paths, without DESTDIR.
    std::set<std::string> listed;
    std::istringstream lines(files);
    for (std::string line; std::getline(lines, line);) listed.insert(dest.string() + line);
    EXPECT_EQ(listed, expected);

    // The data is the build's, byte for byte in size.
    for (auto const& f : filesUnder(runDir / "gfx"))
        EXPECT_EQ(fs::file_size(data() / "gfx" / f.first), fs::file_size(runDir / "gfx" / f.first))
            << f.first;
    EXPECT_EQ(readFile(data() / "shaders/texture.frag"),
              readFile(fs::path(VORLANE_SOURCE_DIR) / "shaders/texture.frag"));
    EXPECT_EQ(fs::file_size(program()), fs::file_size(runDir / "vorlane"));

    // The launcher: a shell script anyone may run, which the shell parses.
    fs::perms all = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    EXPECT_EQ(fs::status(launcher()).permissions() & all, all);
    EXPECT_EQ(fs::status(program()).permissions() & all, all);
    EXPECT_EQ(readFile(launcher()).rfind("#!/bin/sh\n", 0), 0u);
    EXPECT_EQ(runCommand({"sh", "-n", launcher().string()}, ""), 0);

    for (int size : {48, 128, 256}) {
        std::string n = std::to_string(size);
        auto wh = pngSize(share() / "icons/hicolor" / (n + "x" + n) / "apps/vorlane.png");
        EXPECT_EQ(wh.first, size);
        EXPECT_EQ(wh.second, size);
    }
}

TEST_F(InstallTest, DesktopEntryMetadataAndManPagePassTheirCheckers) {
    fs::path entry = desktopEntry();
    std::string said;
    EXPECT_EQ(runCommand({"/bin/sh", "-c", "desktop-file-validate \"$0\" 2>&1", entry.string()}, "", &said),
              0);
    EXPECT_EQ(said, "");
    std::string text = readFile(entry);
    // The command where it will be, not where it was staged.
    EXPECT_TRUE(contains(text, "\nExec=/usr/" + std::string(VORLANE_INSTALL_BINDIR) + "/vorlane\n")) << text;
    EXPECT_TRUE(contains(text, "\nIcon=vorlane\n")) << text;
    EXPECT_TRUE(contains(text, "\nTerminal=false\n")) << text;
    EXPECT_TRUE(contains(text, "\nCategories=Game;ArcadeGame;\n")) << text;
    // The desktop entry is named after the reverse-DNS id; desktops match the
    // game's window to it by the window class, which is the program's name.
    EXPECT_TRUE(contains(text, "\nStartupWMClass=vorlane\n")) << text;

    said.clear();
    EXPECT_EQ(runCommand({"/bin/sh", "-c", "appstreamcli validate --no-net \"$0\" 2>&1", metainfo().string()},
                         "", &said, 30000),
              0)
        << said;
    std::string meta = readFile(metainfo());
    std::string id = VORLANE_APP_ID;
    EXPECT_TRUE(contains(meta, "<id>" + id + "</id>")) << meta;
    EXPECT_TRUE(
        contains(meta, "<launchable type=\"desktop-id\">" + entry.filename().string() + "</launchable>"))
        << meta;
    // The newest release is this version.
    size_t release = meta.find("<release ");
    ASSERT_NE(release, std::string::npos) << meta;
    EXPECT_TRUE(contains(meta.substr(release, meta.find('>', release) - release),
                         "version=\"" + std::string(VORLANE_VERSION) + "\""))
        << meta.substr(release, 80);
    // Each screenshot is a picture of the repository, published under its
    // path there, with the size the metadata gives.
    int shots = 0;
    for (size_t at = meta.find("<image "); at != std::string::npos; at = meta.find("<image ", at + 1)) {
        size_t open = meta.find('>', at), close = meta.find("</image>", at);
        std::string tag = meta.substr(at, open - at), url = meta.substr(open + 1, close - open - 1);
        size_t docs = url.find("/docs/");
        ASSERT_NE(docs, std::string::npos) << url;
        EXPECT_EQ(url.rfind("https://", 0), 0u) << url;
        auto wh = pngSize(fs::path(VORLANE_SOURCE_DIR) / url.substr(docs + 1));
        EXPECT_TRUE(contains(tag, "width=\"" + std::to_string(wh.first) + "\"")) << tag << " " << url;
        EXPECT_TRUE(contains(tag, "height=\"" + std::to_string(wh.second) + "\"")) << tag << " " << url;
        EXPECT_GT(wh.first, 0) << url;
        shots++;
    }
    EXPECT_EQ(shots, 2);

    said.clear();
    EXPECT_EQ(runCommand({"/bin/sh", "-c", "MANWIDTH=80 man -l --warnings \"$0\" 2>&1 >/dev/null",
                          manPage().string()},
                         "", &said),
              0);
    EXPECT_EQ(said, "");
    std::string page;
    EXPECT_EQ(
        runCommand({"/bin/sh", "-c", "MANWIDTH=80 man -l \"$0\" 2>/dev/null", manPage().string()}, "", &page),
        0);
    for (const char* part : {"VORLANE(6)", "OPTIONS", "--window[=WxH]", "--data-dir=DIR", "CONTROLS",
                             "SCREENSHOTS", "FILES", "ENVIRONMENT", "XDG_DATA_HOME", "vorlane.conf",
                             "/usr/share/games/vorlane", "screenshot_N.bmp", "unknown"})
        EXPECT_TRUE(contains(page, part)) << part << " not in\n" << page;
}

TEST_F(InstallTest, InstalledGameStartsFromAMenuAndSavesScreenshotsForThePlayer) {
    testsupport::Xvfb x;
    ASSERT_TRUE(x.ok());
    std::map<std::string, long> dataBefore = filesUnder(dest);
    // The working directory is an empty scratch directory; the command is
    // found on PATH as a menu finds it. The arguments reach the program
    // unchanged: the data is named through a path with a space in it. (The
    // harness appends the build's own program to the command line; "sh -c"
    // drops it.)
    testsupport::RunDir menuDir(0);
    fs::path spaced = base / "two words";
    fs::create_directory_symlink(data(), spaced);
    const char* path = std::getenv("PATH");
    GameProcess game(menuDir, x.display(),
                     {"HOME=" + home.string(), "XDG_DATA_HOME",
                      "PATH=" + launcher().parent_path().string() + ":" + (path ? path : "/usr/bin:/bin")},
                     {"/bin/sh", "-c", "exec vorlane --difficulty hard \"--data-dir=$0\"", spaced.string()});
    ASSERT_TRUE(game.waitForStart(30000)) << game.err();

    // Started with exec: the process is the game itself, in the player's
    // directory, with the arguments as they were given.
    std::string proc = "/proc/" + std::to_string(game.pid());
    EXPECT_EQ(fs::read_symlink(proc + "/exe"), fs::canonical(program()));
    EXPECT_EQ(fs::read_symlink(proc + "/cwd"), fs::canonical(playerDir()));
    std::string cmdline = readFile(proc + "/cmdline");
    std::string args = cmdline.substr(std::min(cmdline.size(), cmdline.find('\0') + 1));
    EXPECT_EQ(args, "--difficulty" + std::string(1, '\0') + "hard" + std::string(1, '\0') +
                        "--data-dir=" + spaced.string() + std::string(1, '\0'));

    fs::path shot = playerDir() / "screenshot_1.bmp";
    ASSERT_TRUE(game.keyUntil("F1", [&] { return fs::exists(shot); }));
    ASSERT_TRUE(testsupport::waitUntil(
        [&] {
            std::error_code ec;
            return (long)fs::file_size(shot, ec) == BMP_SIZE;
        },
        10000));
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);

    // The title page is on the picture, so every asset was found.
    testsupport::Image picture = testsupport::Image::loadBmp(shot.string());
    ASSERT_TRUE(picture.ok());
    EXPECT_GT(picture.brighterThan(64), 0.002);
    std::string log = game.out();
    EXPECT_TRUE(contains(log, "Used texture memory:")) << log;
    EXPECT_FALSE(contains(log, "ERROR")) << log;
    EXPECT_TRUE(contains(game.err(), "vorlane: screenshots (F1) are saved in " +
                                         fs::canonical(playerDir()).string() + "\n"))
        << game.err();

    EXPECT_FALSE(menuDir.exists("screenshot_1.bmp"));
    EXPECT_EQ(filesUnder(dest), dataBefore) << "the installed files changed";
    for (const char* name : {"gfx", "sfx", "shaders"})
        EXPECT_EQ(fs::read_symlink(playerDir() / name), fs::canonical(data()) / name);
}

TEST_F(InstallTest, LauncherKeepsThePlayersDirectoryPointedAtTheInstallation) {
    // No display: the game starts, cannot open its window and ends with
    // status 1 at once, which is all the launcher needs to show.
    std::vector<std::string> env = {
        "env", "-u", "XDG_DATA_HOME", "-u", "DISPLAY", "SDL_VIDEODRIVER=dummy", "HOME=" + home.string()};
    auto command = [&](std::vector<std::string> extra, std::vector<std::string> tail) {
        std::vector<std::string> c = env;
        c.insert(c.end(), extra.begin(), extra.end());
        c.insert(c.end(), tail.begin(), tail.end());
        return c;
    };

    // The game's status comes back.
    Result r = runIn(cwd, command({}, {launcher().string()}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "Error opening the window")) << r.err;
    for (const char* name : {"gfx", "sfx", "shaders"})
        EXPECT_EQ(fs::read_symlink(playerDir() / name), fs::canonical(data()) / name);

    // The installation moves (as when installed again under another prefix);
    // the player replaced shaders/ by a directory of their own and a link is
    // broken. Started through a link to the command, as from ~/bin.
    fs::path moved = base / "moved";
    fs::rename(dest, moved);
    dest = moved;
    fs::remove(playerDir() / "shaders");
    fs::create_directories(playerDir() / "shaders");
    std::ofstream(playerDir() / "shaders/color.frag") << "void main() {}\n";
    fs::remove(playerDir() / "sfx");
    fs::create_directory_symlink(base / "nowhere", playerDir() / "sfx");
    fs::create_directories(home / "bin");
    fs::create_symlink(launcher(), home / "bin/vorlane");
    r = runIn(cwd, command({}, {(home / "bin/vorlane").string()}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fs::read_symlink(playerDir() / "gfx"), fs::canonical(data()) / "gfx");
    EXPECT_EQ(fs::read_symlink(playerDir() / "sfx"), fs::canonical(data()) / "sfx");
    EXPECT_FALSE(fs::is_symlink(playerDir() / "shaders"));
    EXPECT_EQ(readFile(playerDir() / "shaders/color.frag"), "void main() {}\n");
    EXPECT_TRUE(contains(r.err, "shaders is not a link to the installed data")) << r.err;

    // XDG_DATA_HOME names the base when it is absolute, and only then.
    r = runIn(cwd, command({"XDG_DATA_HOME=" + (base / "xdg").string()}, {launcher().string()}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fs::read_symlink(base / "xdg/vorlane/gfx"), fs::canonical(data()) / "gfx");
    EXPECT_TRUE(contains(r.err, "saved in " + fs::canonical(base / "xdg/vorlane").string() + "\n")) << r.err;
    r = runIn(cwd, command({"XDG_DATA_HOME=relative"}, {launcher().string()}));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(cwd / "relative"));
    EXPECT_TRUE(contains(r.err, "saved in " + fs::canonical(playerDir()).string() + "\n")) << r.err;

    // A base that puts the player's directory on or in the installed data is
    // refused before anything is written there; so is a missing home.
    std::map<std::string, long> installed = filesUnder(dest);
    for (fs::path xdg : {data().parent_path(), data()}) {
        r = runIn(cwd, command({"XDG_DATA_HOME=" + xdg.string()}, {launcher().string()}));
        EXPECT_EQ(r.status, 1) << xdg;
        EXPECT_TRUE(contains(r.err, "lies in the installed game data")) << r.err;
        EXPECT_FALSE(contains(r.err, "Error opening the window")) << r.err;
    }
    EXPECT_FALSE(fs::exists(data() / "vorlane"));
    EXPECT_EQ(filesUnder(dest), installed);
    r = runIn(cwd, {"env", "-u", "XDG_DATA_HOME", "-u", "HOME", launcher().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "HOME is not set")) << r.err;
}

TEST_F(InstallTest, UninstallRemovesWhatWasInstalledAndKeepsForeignFiles) {
    fs::path manifest = base / "manifest.txt";
    std::ofstream(manifest) << files;
    // A file the install did not put there keeps its directory.
    std::ofstream(data() / "gfx/extra.png") << "not ours";
    std::string log;
    ASSERT_EQ(runCommand({"env", "DESTDIR=" + dest.string(), VORLANE_CMAKE_COMMAND,
                          "-DMANIFEST=" + manifest.string(), "-P",
                          std::string(VORLANE_SOURCE_DIR) + "/cmake/Uninstall.cmake"},
                         "", &log),
              0)
        << log;
    std::map<std::string, long> left = filesUnder(dest);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(dest / left.begin()->first, data() / "gfx/extra.png");
    EXPECT_FALSE(fs::exists(data() / "sfx"));
    EXPECT_FALSE(fs::exists(data() / "shaders"));
    EXPECT_FALSE(fs::exists(program().parent_path()));
    // Shared directories stay.
    EXPECT_TRUE(fs::is_directory(share() / "icons/hicolor/48x48/apps"));
    EXPECT_TRUE(fs::is_directory(share() / "applications"));

    // Without a manifest it says so and fails.
    log.clear();
    EXPECT_NE(
        runCommand({"/bin/sh", "-c", "\"$0\" -DMANIFEST=\"$1\" -P \"$2\" 2>&1", VORLANE_CMAKE_COMMAND,
                    (base / "none.txt").string(), std::string(VORLANE_SOURCE_DIR) + "/cmake/Uninstall.cmake"},
                   "", &log),
        0);
    EXPECT_TRUE(contains(log, "Nothing to uninstall")) << log;
}

} // namespace
