#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "ManualTime.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/CPlaybackMouse.h"
#include "vorn/input/CRecordMouse.h"
#include "vorn/input/IMouseable.h"
#include "vorn/utils/random/CRandom.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"
#include "vorn/utils/timer/GlobalTime.h"

using namespace vorn;
using testing_support::CScopedManualTime;
using testing_support::ReadFile;

namespace {

uint32_t AppTime() {
    return CGlobalAppTimer::GetSingleton()->GetTime();
}

std::vector<std::string> seen;

// A blocking rectangle that notes its clicks with the application time.
class CTarget : public CMouseableImpl {
public:
    CTarget(std::string name, types_rect rect) : myName(std::move(name)), myRect(rect) {
        CMouse::GetSingleton()->AddMouseable(this);
    }
    void OnMouseButtonDown(int button) override { Note("down", button); }
    void OnMouseButtonUp(int button) override { Note("up", button); }
    void OnMouseOut(int x, int y) override { Note("out", x * 10000 + y); }
    bool IsBlocking() const override { return true; }
    types_rect GetRect() const override { return myRect; }

private:
    void Note(const char* what, int value) {
        seen.push_back(myName + " " + what + " " + std::to_string(value) + " @" +
                       std::to_string(AppTime()));
    }
    std::string myName;
    types_rect myRect;
};

using Lines = std::vector<std::string>;

class CPlaybackMouseTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        CMouse::DeleteSingleton();
        seen.clear();
        RestartApplicationClock();
    }
    void TearDown() override {
        CMouse::DeleteSingleton();
        EngineTest::TearDown();
    }
    // As at program start: the application clock reads 0 and runs.
    void RestartApplicationClock() {
        CGlobalAppTimer::GetSingleton()->Resume();
        CGlobalAppTimer::GetSingleton()->SetTime(0);
    }
    std::string Write(const std::string& text) { return Dir().WriteFile("rec.txt", text); }
    static std::vector<uint32_t> Times(const CPlaybackMouse& player) {
        std::vector<uint32_t> times;
        for (const auto& event : player.GetPending())
            times.push_back(event.time);
        return times;
    }

    CScopedManualTime myTime{5000};
};

TEST_F(CPlaybackMouseTest, RecordedSessionReplaysInFastModeWithSameClicksTimesAndSeed) {
    CTarget ok("ok", {0, 0, 100, 100});
    CTarget cancel("cancel", {200, 0, 100, 100});
    CEventBridge* bridge = CEventBridge::GetSingleton();

    // Record: the user works for a while, the game draws random numbers.
    std::vector<uint32_t> drawn;
    int64_t seed = 0;
    {
        CRecordMouse recorder("session.txt");
        ASSERT_TRUE(recorder.IsRecording());
        seed = recorder.GetSeed();
        EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), static_cast<double>(seed));
        for (int i = 0; i < 3; ++i)
            drawn.push_back(CRandom::GetSingleton()->NextUint32());
        const struct {
            uint32_t wait;
            char what;
            int a, b;
        } session[] = {{120, 'm', 50, 50}, {40, 'd', 1, 0}, {35, 'u', 1, 0},    {300, 'm', 250, 20},
                       {16, 'd', 4, 0},    {0, 'u', 4, 0},  {900, 'm', 60, 70}, {5, 'd', 1, 0},
                       {7, 'm', 400, 400}, {20, 'u', 1, 0}};
        for (const auto& step : session) {
            myTime->now += step.wait;
            if (step.what == 'm') bridge->OnMouseMove(step.a, step.b, 1, 1);
            if (step.what == 'd') bridge->OnMouseButtonDown(step.a);
            if (step.what == 'u') bridge->OnMouseButtonUp(step.a);
        }
    }
    const Lines recorded = seen;
    ASSERT_EQ(recorded.size(), 9u);
    EXPECT_EQ(ReadFile(Dir().Path() / "session.txt"),
              std::to_string(seed) +
                  "\n120 mm 50 50\n160 md 1\n195 mu 1\n495 mm 250 20\n511 md 4\n511 mu 4\n"
                  "1411 mm 60 70\n1416 md 1\n1423 mm 400 400\n1443 mu 1\n");

    // Play back in a new run: another seed first, the clock starting over.
    seen.clear();
    CRandom::GetSingleton()->SetSeed(99);
    CRandom::GetSingleton()->NextUint32();
    myTime->now += 777;
    RestartApplicationClock();
    CPlaybackMouse player("session.txt", CPlaybackMouse::MODE_FAST);
    EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), static_cast<double>(seed));
    EXPECT_EQ(CRandom::GetSingleton()->GetPosition(), 0u);
    for (uint32_t value : drawn)
        EXPECT_EQ(CRandom::GetSingleton()->NextUint32(), value);

    int frames = 0;
    while (!player.IsFinished() && frames < 100) {
        player.Update();
        ++frames;
    }
    EXPECT_EQ(seen, recorded) << "same receivers, same clicks, same application times";
    EXPECT_EQ(frames, 10) << "one frame per distinct event time, plus the first";

    // Afterwards time runs on at the real rate from where playback left it.
    player.Update();
    const uint32_t end = AppTime();
    EXPECT_EQ(end, 1443u);
    myTime->now += 25;
    EXPECT_EQ(AppTime(), end + 25);
}

TEST_F(CPlaybackMouseTest, RealTimeModePlaysEventsWhenTheClockReachesThem) {
    CTarget target("t", {0, 0, 10, 10});
    CPlaybackMouse player(Write("42\n100 mm 5 5\n100 md 1\n250 mu 1\n"),
                          CPlaybackMouse::MODE_REAL_TIME);
    const CSmartPtr<IGlobalTimerImpl> source = GetTimeSource();
    EXPECT_EQ(source.Get(), myTime.Get()) << "mode 0 keeps the real clock";
    myTime->now += 99;
    player.Update();
    EXPECT_TRUE(seen.empty());
    myTime->now += 1;
    player.Update();
    EXPECT_EQ(seen, Lines{"t down 1 @100"});
    myTime->now += 500;
    player.Update();
    EXPECT_EQ(seen, (Lines{"t down 1 @100", "t up 1 @600"}));
    EXPECT_TRUE(player.IsFinished());
}

TEST_F(CPlaybackMouseTest, SteppedModeFollowsRealTimeButNeverPassesAnEvent) {
    CTarget target("t", {0, 0, 10, 10});
    CPlaybackMouse player(Write("1\n100 mm 1 1\n100 md 1\n150 mu 1\n"));
    EXPECT_EQ(player.GetMode(), CPlaybackMouse::MODE_STEPPED);
    std::vector<uint32_t> appTimes;
    for (int frame = 0; frame < 5; ++frame) {
        myTime->now += 70;
        player.Update();
        appTimes.push_back(AppTime());
    }
    EXPECT_EQ(appTimes, (std::vector<uint32_t>{70, 100, 150, 150, 220}));
    EXPECT_EQ(seen, (Lines{"t down 1 @100", "t up 1 @150"}));
}

TEST_F(CPlaybackMouseTest, MalformedLinesAreSkippedAndReported) {
    const std::string longLine(5000, '7');
    CRandom::GetSingleton()->SetSeed(5);
    CPlaybackMouse player(Write("777\n"
                                "abc\n"
                                "\n"
                                "100\n"
                                "100 mm\n"
                                "100 mm 5\n"
                                "100 mm x y\n"
                                "100 mm 99999999999 1\n"
                                "99999999999 md 1\n"
                                "-5 md 1\n"
                                "100 md -1\n"
                                "100 md 32\n"
                                "100 md 1.5\n"
                                "100 mu\n"
                                "1e3 mu 1\n" +
                                longLine + " mm 1 1\n" +
                                "100 kd 65\n"  // another device's code: quietly skipped
                                "200 mm 1 2 extra\n"
                                "150 md 1\n"  // earlier than the line before
                                "\t300\tmu\t16\r\n"
                                "86400300 mm -7 -8\n"  // a day later: still a recording
                                "172800601 mm 0 0\n"   // more than a day later: refused
                                "\x01\xff\xfe garbage \x80"),
                          CPlaybackMouse::MODE_FAST);
    EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), 777);
    EXPECT_EQ(player.GetBadLineCount(), 15);
    EXPECT_EQ(Times(player), (std::vector<uint32_t>{200, 200, 300, 86400300u}));
    const auto& events = player.GetPending();
    EXPECT_EQ(events[0].kind, CPlaybackMouse::KIND_MOVE);
    EXPECT_EQ(events[0].x, 1);
    EXPECT_EQ(events[0].y, 2);
    EXPECT_EQ(events[1].kind, CPlaybackMouse::KIND_PRESS);
    EXPECT_EQ(events[2].kind, CPlaybackMouse::KIND_RELEASE);
    EXPECT_EQ(events[2].button, 16);
    EXPECT_EQ(events[3].x, -7);
    const std::string log = Log();
    EXPECT_NE(log.find("line 2 skipped (missing fields)"), std::string::npos) << log;
    EXPECT_NE(log.find("15 malformed lines skipped"), std::string::npos) << log;

    // The furthest time is reached in one jump.
    for (int frame = 0; frame < 5 && !player.IsFinished(); ++frame)
        player.Update();
    EXPECT_TRUE(player.IsFinished());
    EXPECT_EQ(AppTime(), 86400300u);

    // A jump of more than a day is reported as such; the first line's is
    // measured from the clock (at 0 here).
    CPlaybackMouse jumps(Write("12\n2147470000 mm 300 300\n"), CPlaybackMouse::MODE_FAST);
    EXPECT_TRUE(jumps.IsFinished());
    EXPECT_EQ(jumps.GetBadLineCount(), 1);
    EXPECT_NE(Log().find("rec.txt, line 2 skipped (time jumps more than a day ahead)"),
              std::string::npos);
}

TEST_F(CPlaybackMouseTest, ARecordingMayRunAcrossTheWrapOfTheClock) {
    CGlobalAppTimer::GetSingleton()->SetTime(0xFFFFFF00u);
    // 0xFFFFFFF0 (just ahead of the clock), then 0x10 and 0x20 after the
    // wrap; 0xFFFFFFFF is behind 0x10 and is raised to it.
    CPlaybackMouse player(Write("1\n4294967280 md 1\n16 mu 1\n4294967295 md 2\n32 mu 2\n"),
                          CPlaybackMouse::MODE_FAST);
    EXPECT_EQ(player.GetBadLineCount(), 0);
    EXPECT_EQ(Times(player), (std::vector<uint32_t>{0xFFFFFFF0u, 0x10, 0x10, 0x20}));
    std::vector<uint32_t> played;
    for (int frame = 0; frame < 10 && !player.IsFinished(); ++frame) {
        player.Update();
        played.push_back(AppTime());
    }
    EXPECT_TRUE(player.IsFinished());
    EXPECT_EQ(played, (std::vector<uint32_t>{0xFFFFFFF0u, 0x10, 0x20, 0x20}))
        << "each frame plays the next event, in order, across the wrap";
}

TEST_F(CPlaybackMouseTest, EmptyMissingOrSeedlessFilesChangeNothing) {
    CRandom::GetSingleton()->SetSeed(5);
    CRandom::GetSingleton()->NextUint32();
    const CSmartPtr<IGlobalTimerImpl> before = GetTimeSource();
    {
        CPlaybackMouse empty(Write(""), CPlaybackMouse::MODE_FAST);
        EXPECT_FALSE(empty.HasSeed());
        EXPECT_TRUE(empty.IsFinished());
        empty.Update();
        CPlaybackMouse missing("no/such/file.txt", CPlaybackMouse::MODE_FAST);
        missing.Update();
        EXPECT_TRUE(missing.IsFinished());
    }
    EXPECT_EQ(GetTimeSource(), before) << "nothing to play, no clock installed";
    EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), 5);
    EXPECT_EQ(CRandom::GetSingleton()->GetPosition(), 1u);
    EXPECT_NE(Log().find("cannot open the recording file no/such/file.txt"), std::string::npos);
    std::filesystem::create_directory("folder.txt");
    CPlaybackMouse folder("folder.txt", CPlaybackMouse::MODE_FAST);
    EXPECT_TRUE(folder.IsFinished());
    EXPECT_NE(Log().find("[ERROR] CPlaybackMouse: the recording file folder.txt is a folder"),
              std::string::npos);

    CPlaybackMouse seedless(Write("hello\n10 md 1\n"), 7);
    EXPECT_EQ(seedless.GetMode(), CPlaybackMouse::MODE_STEPPED) << "unknown modes fall back to 2";
    EXPECT_FALSE(seedless.HasSeed());
    EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), 5);
    EXPECT_EQ(Times(seedless), std::vector<uint32_t>{10});
}

TEST_F(CPlaybackMouseTest, DeletingThePlayerMidwayLeavesTimeRunning) {
    auto player = std::make_unique<CPlaybackMouse>(Write("3\n1000 md 1\n5000 mu 1\n"),
                                                   CPlaybackMouse::MODE_FAST);
    player->Update();
    player->Update();
    EXPECT_EQ(AppTime(), 5000u);
    player.reset();
    myTime->now += 40;
    EXPECT_EQ(AppTime(), 5040u) << "no jump back, no standstill";
}

TEST_F(CPlaybackMouseTest, RecorderThatCannotWriteRecordsNothing) {
    CRecordMouse recorder("no/such/dir/rec.txt", 11);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), 11);
    CEventBridge::GetSingleton()->OnMouseMove(1, 2, 0, 0);
    EXPECT_NE(Log().find("cannot write the recording file"), std::string::npos);
}

}  // namespace
