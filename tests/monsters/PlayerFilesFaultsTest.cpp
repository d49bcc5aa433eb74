// Player files under hard conditions: a saving process killed at random
// moments, a full file system and a read-only "My Monsters" folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/CBodyShop.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonster.h"
#include "monsters/PlayerFiles.h"

using namespace monsters;
using testing_support::ReadFile;
namespace fs = std::filesystem;

namespace {

const std::string PLAYER = "Survivor";

// The player's three files as generation number generation has them: a
// large monster (60 parts), a shop list of 400 parts and 60 levels, each
// generation different in every file.
struct CPlayerFiles {
    CMonster monster;
    CBodyShop shop;
    CLevelList levels{""};

    explicit CPlayerFiles(int generation) {
        for (int i = 0; i < 60; ++i) {
            auto part = std::make_unique<CMonsterBodyPart>();
            part->SetObjectId(i);
            part->SetSpriteFile("data/parts/part_" + std::to_string(i) + "_" +
                                std::to_string(generation) + ".xml");
            part->SetDensity(1.0f + float(generation % 97) + i * 0.25f);
            part->SetLocalPosition(types_vector(float(i), float(generation % 1000)));
            part->SetHasJoint(i > 0);
            part->SetConnectedToBody(i - 1);
            monster.AddPart(std::move(part));
        }
        for (int i = 0; i < 400; ++i)
            shop.AddPart("data/parts/shop_" + std::to_string(generation) + "_" + std::to_string(i) +
                         ".xml");
        for (int i = 0; i < 60; ++i) {
            CLevel level;
            level.myFileName = "data/levels/level_" + std::to_string(i) + ".xml";
            level.myCompleted = i < generation % 60;
            level.myPrize1 = "data/parts/prize_" + std::to_string(generation) + ".xml";
            levels.SetLevel(i, level);
        }
    }

    // All three, in the order the game writes them at the end of a game.
    bool Save() {
        const bool a = monster.SaveToFile(PlayerMonsterFile(PLAYER));
        const bool b = shop.SaveForPlayer(PLAYER);
        const bool c = levels.SaveToFile(PlayerLevelListFile(PLAYER));
        return a && b && c;
    }
};

std::vector<std::string> PlayerFileNames() {
    return {PlayerMonsterFile(PLAYER), PlayerShopListFile(PLAYER), PlayerLevelListFile(PLAYER)};
}

// Files left in the tree that are not one of the player's files.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> names = PlayerFileNames();
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string path = entry.path().lexically_relative(".").generic_string();
        if (std::find(names.begin(), names.end(), path) == names.end()) left.push_back(path);
    }
    return left;
}

// The texts each generation writes, made once by saving it in a folder of
// its own.
class CExpectedTexts {
public:
    const std::vector<std::string>& Of(int generation) {
        auto it = myTexts.find(generation);
        if (it != myTexts.end()) return it->second;
        const fs::path home = fs::current_path();
        const fs::path folder = home / ("expected_" + std::to_string(generation));
        fs::create_directories(folder);
        fs::current_path(folder);
        CPlayerFiles(generation).Save();
        std::vector<std::string> texts;
        for (const std::string& name : PlayerFileNames())
            texts.push_back(ReadFile(name));
        fs::current_path(home);
        fs::remove_all(folder);
        return myTexts[generation] = texts;
    }

private:
    std::map<int, std::vector<std::string>> myTexts;
};

// Writes generation after generation, from first on, until killed.
[[noreturn]] void SaveForever(int first) {
    for (int generation = first;; ++generation)
        CPlayerFiles(generation).Save();
}

TEST(PlayerFilesFaultsTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileAndNothingInTheWay) {
    testing_support::CScopedTempDir dir;
    CExpectedTexts expected;
    ASSERT_TRUE(CPlayerFiles(0).Save());
    // Kills fall within about three whole saves, however fast this build
    // saves (a sanitizer build is many times slower), so that some land
    // inside a save and some between saves.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(CPlayerFiles(0).Save());
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    const long window = std::max<long>(6000, 3 * long(saveTime.count()));
    std::vector<int> seen(3, 0);  // the generation each file holds
    std::mt19937 random(1234);
    int completeChanges = 0;
    for (int kill = 0; kill < 200; ++kill) {
        const int first = *std::max_element(seen.begin(), seen.end()) + 1;
        const pid_t child = fork();
        ASSERT_GE(child, 0) << std::strerror(errno);
        if (child == 0) SaveForever(first);
        std::this_thread::sleep_for(std::chrono::microseconds(long(random() % window)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself";

        // Each file is whole: the generation it held, or one the child wrote.
        const std::vector<std::string> names = PlayerFileNames();
        for (size_t f = 0; f < names.size(); ++f) {
            const std::string text = ReadFile(names[f]);
            int found = -1;
            for (int g : {seen[f]})
                if (text == expected.Of(g)[f]) found = g;
            for (int g = first; found < 0 && g < first + 400; ++g)
                if (text == expected.Of(g)[f]) found = g;
            ASSERT_GE(found, 0) << names[f] << " after kill " << kill
                                << " is neither the old nor a new file (" << text.size()
                                << " bytes)";
            if (found != seen[f]) ++completeChanges;
            seen[f] = found;
        }
        CMonster monster;
        ASSERT_TRUE(monster.LoadFromFile(names[0]));
        EXPECT_EQ(monster.GetPartCount(), 60);
        CBodyShop shop;
        ASSERT_TRUE(shop.LoadFromFile(names[1]));
        EXPECT_EQ(shop.GetParts().size(), 400u);
        CLevelList levels("");
        ASSERT_TRUE(levels.LoadFromFile(names[2]));
        EXPECT_EQ(levels.GetLevelCount(), 60);
    }
    EXPECT_GT(completeChanges, 50) << "the kills should also fall between whole saves";

    // What a killed save leaves behind does not stand in the way of the next
    // one, and a complete save leaves nothing but the three files.
    ASSERT_TRUE(CPlayerFiles(100000).Save());
    EXPECT_EQ(Leftovers("My Monsters"), std::vector<std::string>());
    EXPECT_EQ(ReadFile(PlayerMonsterFile(PLAYER)), expected.Of(100000)[0]);
}

// A small file system of its own mounted on a folder, for as long as the
// object lives. Needs the right to mount (root); Mounted() tells.
class CScopedTmpfs {
public:
    CScopedTmpfs(const std::string& folder, const std::string& options) : myFolder(folder) {
        fs::create_directories(folder);
        myMounted = mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
        if (!myMounted) myError = std::strerror(errno);
    }
    ~CScopedTmpfs() {
        if (myMounted) umount2(myFolder.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return myMounted; }
    const std::string& Error() const { return myError; }
    bool MakeReadOnly() {
        return mount("tmpfs", myFolder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    bool MakeWritable() {
        return mount("tmpfs", myFolder.c_str(), "tmpfs", MS_REMOUNT, nullptr) == 0;
    }

private:
    std::string myFolder;
    bool myMounted = false;
    std::string myError;
};

TEST(PlayerFilesFaultsTest, AFullFileSystemKeepsThePreviousFilesWithOneErrorLineEach) {
    testing_support::CScopedTempDir dir;
    CScopedTmpfs disk("My Monsters", "size=256k");
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << disk.Error()
                     << "); run as root to test a full file system";
    CExpectedTexts expected;
    ASSERT_TRUE(CPlayerFiles(1).Save());
    // Fill what is left.
    {
        std::ofstream filler("My Monsters/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()))
            ;
    }
    CPlayerFiles second(2);
    monsters_test::CLogCapture log;
    EXPECT_FALSE(second.monster.SaveToFile(PlayerMonsterFile(PLAYER)));
    EXPECT_EQ(log.Errors(), 1);
    EXPECT_EQ(log.Count("[ERROR]"), 1) << log.All();
    EXPECT_FALSE(second.shop.SaveForPlayer(PLAYER));
    EXPECT_FALSE(second.levels.SaveToFile(PlayerLevelListFile(PLAYER)));
    EXPECT_EQ(log.Errors(), 3) << "one line for each failed save";
    for (size_t f = 0; f < 3; ++f)
        EXPECT_EQ(ReadFile(PlayerFileNames()[f]), expected.Of(1)[f]) << "the previous file stays";
    fs::remove("My Monsters/filler");
    EXPECT_EQ(Leftovers("My Monsters"), std::vector<std::string>())
        << "no half-written file is left";

    // Space again: the game goes on saving.
    EXPECT_TRUE(second.Save());
    for (size_t f = 0; f < 3; ++f)
        EXPECT_EQ(ReadFile(PlayerFileNames()[f]), expected.Of(2)[f]);
}

TEST(PlayerFilesFaultsTest, AReadOnlyFolderKeepsThePreviousFilesWithOneErrorLineEach) {
    testing_support::CScopedTempDir dir;
    // Root may write into any folder whatever its modes: make a file system
    // read-only instead; without root, the folder's modes do it.
    CScopedTmpfs disk("My Monsters", "size=1m");
    const bool root = geteuid() == 0;
    if (root && !disk.Mounted())
        GTEST_SKIP() << "running as root but cannot mount a tmpfs (" << disk.Error()
                     << "): a read-only folder cannot be made here";
    CExpectedTexts expected;
    ASSERT_TRUE(CPlayerFiles(1).Save());
    if (root) {
        ASSERT_TRUE(disk.MakeReadOnly()) << std::strerror(errno);
    } else {
        fs::permissions("My Monsters", fs::perms::owner_read | fs::perms::owner_exec);
        fs::permissions("My Monsters/profile_stuff", fs::perms::owner_read | fs::perms::owner_exec);
    }
    CPlayerFiles second(2);
    monsters_test::CLogCapture log;
    EXPECT_FALSE(second.Save());
    EXPECT_EQ(log.Errors(), 3) << log.All();
    EXPECT_EQ(log.Count("[ERROR]"), 3) << "one line for each of the three saves";
    for (size_t f = 0; f < 3; ++f)
        EXPECT_EQ(ReadFile(PlayerFileNames()[f]), expected.Of(1)[f]);

    if (root) {
        ASSERT_TRUE(disk.MakeWritable());
    } else {
        fs::permissions("My Monsters", fs::perms::owner_all);
        fs::permissions("My Monsters/profile_stuff", fs::perms::owner_all);
    }
    EXPECT_TRUE(second.Save()) << "writable again: the game goes on saving";
    EXPECT_EQ(Leftovers("My Monsters"), std::vector<std::string>());
}

}  // namespace
