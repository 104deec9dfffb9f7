#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The folders of the game library from the bottom up. A file includes its own
// folder and the folders before it, never one after it. README.md and the top
// of each folder's main header say the same in words.
const std::vector<std::string> folderOrder = {"base", "settings", "scores", "weapons", "actors", "hud", "world"};

int rankOf(std::string const& folder) {
    for (size_t i = 0; i < folderOrder.size(); ++i)
        if (folderOrder[i] == folder) return (int)i;
    return -1;
}

// "game/<folder>/..." -> "<folder>"; empty for a file straight in game/.
std::string folderOf(std::string const& path) {
    size_t a = path.find('/');
    size_t b = path.find('/', a + 1);
    return b == std::string::npos ? std::string() : path.substr(a + 1, b - a - 1);
}

// The game/ paths named by the `#include "game/..."` lines of a file.
std::vector<std::string> gameIncludes(fs::path const& file) {
    std::vector<std::string> found;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line.compare(i, 8, "#include") != 0) continue;
        size_t open = line.find('"', i);
        size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close == std::string::npos) continue;
        std::string target = line.substr(open + 1, close - open - 1);
        if (target.compare(0, 5, "game/") == 0) found.push_back(target);
    }
    return found;
}

// "game/actors/Enemy.cpp" -> "game/actors/Enemy": a header and its source
// file are one unit, so that two sources including each other's headers
// count as a circle.
std::string unitOf(std::string const& path) {
    return path.substr(0, path.rfind('.'));
}

struct Layout {
    std::map<std::string, std::vector<std::string>> includes; // file -> game files it includes
    std::map<std::string, std::set<std::string>> uses;        // unit -> other units it includes
    std::vector<std::string> problems;                        // empty when the layout holds
};

// Follows the units depth first; a unit met again while still open closes a
// circle, reported from that unit round to itself.
void findCircles(Layout& layout, std::string const& unit, std::map<std::string, int>& state,
                 std::vector<std::string>& path) {
    state[unit] = 1;
    path.push_back(unit);
    for (std::string const& next : layout.uses[unit]) {
        if (state[next] == 1) {
            std::string circle = "circle:";
            size_t k = 0;
            while (path[k] != next) ++k;
            for (; k < path.size(); ++k) circle += " " + path[k] + " ->";
            layout.problems.push_back(circle + " " + next);
        } else if (state[next] == 0) {
            findCircles(layout, next, state, path);
        }
    }
    path.pop_back();
    state[unit] = 2;
}

// Reads every .h and .cpp below root/game and lists what breaks the layout:
// a file in no folder, a folder missing from the order, an include that runs
// up the order, and circles of units including each other.
Layout readLayout(fs::path const& root) {
    Layout layout;
    for (auto const& entry : fs::recursive_directory_iterator(root / "game")) {
        std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        std::string file = entry.path().lexically_relative(root).generic_string();
        layout.includes[file] = gameIncludes(entry.path());
        std::set<std::string>& uses = layout.uses[unitOf(file)];
        for (std::string const& target : layout.includes[file])
            if (unitOf(target) != unitOf(file)) uses.insert(unitOf(target));
    }
    std::set<std::string> reportedFolders;
    for (auto const& [file, targets] : layout.includes) {
        std::string folder = folderOf(file);
        if (folder.empty()) {
            layout.problems.push_back(file + " lies in no folder");
            continue;
        }
        if (rankOf(folder) < 0) {
            if (reportedFolders.insert(folder).second)
                layout.problems.push_back("game/" + folder + " has no place in the order");
            continue;
        }
        for (std::string const& target : targets)
            if (rankOf(folderOf(target)) > rankOf(folder))
                layout.problems.push_back(file + " includes " + target + ", which lies above it");
    }
    std::map<std::string, int> state;
    std::vector<std::string> path;
    for (auto const& entry : layout.uses)
        if (state[entry.first] == 0) findCircles(layout, entry.first, state, path);
    return layout;
}

std::string joined(std::vector<std::string> const& lines) {
    std::string s;
    for (std::string const& l : lines) s += l + "\n";
    return s;
}

void writeFile(fs::path const& path, std::string const& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

bool mentions(std::vector<std::string> const& problems, std::string const& text) {
    for (std::string const& p : problems)
        if (p == text) return true;
    return false;
}

} // namespace

TEST(LayoutTest, GameIncludesRunDownTheFolderOrderWithoutCircles) {
    Layout layout = readLayout(VORLANE_SOURCE_DIR);
    // Every folder is read, so an empty list means something.
    for (std::string const& folder : folderOrder) {
        bool seen = false;
        for (auto const& entry : layout.includes) seen = seen || folderOf(entry.first) == folder;
        EXPECT_TRUE(seen) << "no file read in game/" << folder;
    }
    EXPECT_TRUE(layout.problems.empty()) << joined(layout.problems);
}

TEST(LayoutTest, FindsUpwardIncludesCirclesAndStrayFiles) {
    char dir[] = "/tmp/vorlane-layout-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    fs::path root(dir);
    // An upward include without a circle.
    writeFile(root / "game/base/Low.h", "#include \"engine/util/Stack.h\"\n#include \"game/hud/Panel.h\"\n");
    writeFile(root / "game/hud/Panel.h", "// no includes\n");
    // Two sources including each other's headers: an upward include and a circle.
    writeFile(root / "game/world/Top.h", "");
    writeFile(root / "game/world/Top.cpp", "#include \"game/world/Top.h\"\n#include \"game/actors/P.h\"\n");
    writeFile(root / "game/actors/P.h", "");
    writeFile(root / "game/actors/P.cpp", "#include \"game/actors/P.h\"\n  #include \"game/world/Top.h\"\n");
    // A circle inside one folder.
    writeFile(root / "game/weapons/A.h", "#include \"game/weapons/B.h\"\n");
    writeFile(root / "game/weapons/B.cpp", "#include \"game/weapons/A.h\"\n");
    // Downward and same-folder includes are fine.
    writeFile(root / "game/hud/Fine.cpp", "#include \"game/hud/Panel.h\"\n#include \"game/base/Low.h\"\n");
    writeFile(root / "game/Loose.cpp", "#include \"game/base/Low.h\"\n");
    writeFile(root / "game/extras/Table.h", "#include \"game/world/Top.h\"\n");

    std::vector<std::string> problems = readLayout(root).problems;
    fs::remove_all(root);

    EXPECT_TRUE(mentions(problems, "game/base/Low.h includes game/hud/Panel.h, which lies above it"));
    EXPECT_TRUE(mentions(problems, "game/actors/P.cpp includes game/world/Top.h, which lies above it"));
    EXPECT_TRUE(mentions(problems, "circle: game/actors/P -> game/world/Top -> game/actors/P"));
    EXPECT_TRUE(mentions(problems, "circle: game/weapons/A -> game/weapons/B -> game/weapons/A"));
    EXPECT_TRUE(mentions(problems, "game/Loose.cpp lies in no folder"));
    EXPECT_TRUE(mentions(problems, "game/extras has no place in the order"));
    EXPECT_EQ(problems.size(), 6u) << joined(problems);
}
