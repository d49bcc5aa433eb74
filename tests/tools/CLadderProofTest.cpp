// The balance proof of the shipped ladder, and that the proof catches a
// reference monster built from parts the player does not own yet.

#include "tools/CLadderProof.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>

#include "TestEnvironment.h"
#include "monsters/CHeadlessGraphics.h"

namespace fs = std::filesystem;
using monsters::CFightOutcome;
using monsters::CLadderProof;

namespace {

const fs::path SOURCE = fs::path(MONSTERS_SOURCE_DIR);

}  // namespace

TEST(CLadderProofTest, TheShippedLadderCanBeClimbedAndClimbs) {
    monsters::CHeadlessGraphics graphics;
    CLadderProof proof((SOURCE / "game").string(), (SOURCE / "tests/data/ladder").string());
    const bool holds = proof.Run();
    std::ostringstream table;
    proof.PrintTable(table);
    // The table is the level designers' view of the ladder: always shown.
    std::cout << table.str() << "ladder proof: " << proof.GetFights().size()
              << " fights, each run twice, in " << proof.GetSeconds() << " s\n";
    std::string failures;
    for (const std::string& failure : proof.GetFailures())
        failures += failure + "\n";
    EXPECT_TRUE(holds) << failures;

    int climbs = 0;
    for (const CLadderProof::CFight& fight : proof.GetFights()) {
        EXPECT_NE(fight.outcome.winner, CFightOutcome::WINNER_NONE);
        EXPECT_TRUE(fight.deterministic);
        if (fight.role != CLadderProof::ROLE_CLIMB) continue;
        ++climbs;
        EXPECT_EQ(fight.outcome.winner, CFightOutcome::WINNER_PLAYER) << fight.opponent;
    }
    EXPECT_GE(climbs, 10);
    // Bounded: a failing physics change must not make the suite crawl.
    EXPECT_LT(proof.GetSeconds(), 120.0);
}

TEST(CLadderProofTest, AReferenceWithPartsNotYetWonFailsTheProofBeforeAnyFight) {
    testing_support::CScopedTempDir temp;
    const fs::path references = temp.Path() / "ladder";
    fs::create_directories(references);
    for (const auto& entry : fs::directory_iterator(SOURCE / "tests/data/ladder"))
        if (entry.path().extension() == ".xml")
            fs::copy_file(entry.path(), references / entry.path().filename());
    // Level 0 with the level-1 monster: parts the first prize brings.
    fs::copy_file(references / CLadderProof::ReferenceName(1),
                  references / CLadderProof::ReferenceName(0),
                  fs::copy_options::overwrite_existing);
    CLadderProof proof((SOURCE / "game").string(), references.string());
    EXPECT_FALSE(proof.Run());
    EXPECT_TRUE(proof.GetFights().empty());
    bool named = false;
    for (const std::string& failure : proof.GetFailures())
        named = named || (failure.rfind("level_00.xml: uses ", 0) == 0 &&
                          failure.find("owns it 0 times at level 0") != std::string::npos);
    EXPECT_TRUE(named) << (proof.GetFailures().empty() ? "" : proof.GetFailures().front());

    fs::remove(references / CLadderProof::ReferenceName(2));
    CLadderProof missing((SOURCE / "game").string(), references.string());
    EXPECT_FALSE(missing.Run());
    bool reported = false;
    for (const std::string& failure : missing.GetFailures())
        reported = reported || failure == "level_02.xml: missing or empty";
    EXPECT_TRUE(reported);
}
