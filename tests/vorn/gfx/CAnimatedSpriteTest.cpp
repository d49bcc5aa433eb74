// Animated sprites, frames and external animators stepped by a clock the
// test sets by hand.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ManualTime.h"
#include "SpriteTestSupport.h"
#include "vorn/gfx/CAnimatedSprite.h"
#include "vorn/gfx/CExternalAnimator.h"
#include "vorn/gfx/CFrameRect.h"
#include "vorn/gfx/CFrameSound.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTask.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/utils/timer/CTimer.h"

using namespace vorn;

namespace {

// Stands in for the audio task: records the console lines sent to it.
class CAudioSpy : public CTask {
public:
    static std::vector<std::string>& Lines() {
        static std::vector<std::string> lines;
        return lines;
    }
    void Update() override {}
    bool ExecuteNamespaceLine(const std::string& text) override {
        Lines().push_back(text);
        return true;
    }
};

// Records the values an external animator hands on.
class CValueMasker : public ISpriteMasker {
public:
    CValueMasker(CSprite* sprite, std::vector<float>* values)
        : mySprite(sprite), myValues(values) {}
    void Apply(float value) override { myValues->push_back(value); }
    CSprite* GetSprite() const override { return mySprite; }

private:
    CSprite* mySprite;
    std::vector<float>* myValues;
};

class CAnimatedSpriteTest : public sprite_test::CSpriteScreenTest {
protected:
    void SetUp() override {
        CSpriteScreenTest::SetUp();
        CAudioSpy::Lines().clear();
        CTaskFactory::GetSingleton()->RegisterTaskType<CAudioSpy>("audiospy");
        ASSERT_TRUE(CTaskFactory::GetSingleton()->StartTask("audiospy", "Audio", 10));
        myTime = std::make_unique<testing_support::CScopedManualTime>(5000);
        myClock = std::make_unique<CTimer>();
    }
    void TearDown() override {
        myClock.reset();
        myTime.reset();
        CSpriteScreenTest::TearDown();
        CTaskFactory::DeleteSingleton();
        CKernel::DeleteSingleton();
        CApplicationFactory::DeleteSingleton();
    }

    // A 30 x 10 image: three 10 x 10 cells.
    std::unique_ptr<CAnimatedSprite> Walker(bool loop, std::vector<IFrame*> frames = {}) {
        auto sprite = std::make_unique<CAnimatedSprite>();
        sprite->SetImage(Pattern(30, 10, 9, false));
        auto* walk = new CAnimation;
        walk->name = "walk";
        walk->loop = loop;
        if (frames.empty())
            for (int i = 0; i < 3; ++i)
                frames.push_back(new CFrameRect(Cell(i), 100));
        walk->frames = frames;
        sprite->AddAnimation(walk);
        return sprite;
    }
    static types_rect Cell(int i) { return types_rect(10 * i, 0, 10, 10); }

    // Advances the clock by ms and steps the animations.
    void Tick(uint32_t ms = 16) {
        myTime->Get()->now += ms;
        CAnimationUpdator::GetSingleton()->Update(myClock->GetTime());
    }
    uint32_t Now() const { return myClock->GetTime(); }

    // Runs for ms in 16 ms ticks; returns the source rect's x at every tick.
    std::vector<std::pair<uint32_t, int>> Watch(CSprite* sprite, uint32_t ms) {
        std::vector<std::pair<uint32_t, int>> shown;
        for (uint32_t t = 0; t < ms; t += 16) {
            Tick();
            shown.emplace_back(Now(), sprite->GetSourceRect().x);
        }
        return shown;
    }

    std::unique_ptr<testing_support::CScopedManualTime> myTime;
    std::unique_ptr<CTimer> myClock;
};

}  // namespace

TEST_F(CAnimatedSpriteTest, ALoopingAnimationShowsEachFrameForItsLengthAndWraps) {
    auto sprite = Walker(true);
    sprite->PlayAnimation("walk");
    const auto shown = Watch(sprite.get(), 1600);

    // Runs of equal rectangles: each (after the first) lasts about 100 ms,
    // and the cells follow 0, 10, 20, 0, ...
    std::vector<std::pair<int, uint32_t>> runs;  // x, start
    for (const auto& [time, x] : shown)
        if (runs.empty() || runs.back().first != x) runs.emplace_back(x, time);
    ASSERT_GE(runs.size(), 10u);
    for (size_t i = 1; i + 1 < runs.size(); ++i) {
        EXPECT_EQ(runs[i].first, (runs[i - 1].first + 10) % 30) << "run " << i;
        const uint32_t length = runs[i + 1].second - runs[i].second;
        EXPECT_GE(length, 96u) << "run " << i;
        EXPECT_LE(length, 128u) << "run " << i;
    }
    EXPECT_TRUE(sprite->IsPlaying());
}

// Frame k is on screen from the first step at or after k x 100 ms past the
// first frame's start: no frame waits an extra step, and the steps' 16 ms
// grid does not add up to drift.
TEST_F(CAnimatedSpriteTest, EveryFrameLastsItsLengthFromTheFirstStepOn) {
    for (const bool loop : {true, false}) {
        auto sprite = Walker(loop);
        sprite->PlayAnimation("walk");
        const auto shown = Watch(sprite.get(), 1000);
        const uint32_t first = shown.front().first;
        std::vector<std::pair<uint32_t, int>> actual, expected;  // ms after the first step, x
        for (const auto& [time, x] : shown) {
            const uint32_t k = (time - first) / 100;
            actual.emplace_back(time - first, x);
            expected.emplace_back(time - first,
                                  loop ? int(k % 3) * 10 : int(std::min<uint32_t>(k, 2)) * 10);
        }
        EXPECT_EQ(actual, expected) << (loop ? "looping" : "once");
        EXPECT_EQ(sprite->IsPlaying(), loop);
    }
}

TEST_F(CAnimatedSpriteTest, ANonLoopingAnimationStopsOnItsLastFrame) {
    auto sprite = Walker(false);
    sprite->PlayAnimation("walk");
    Watch(sprite.get(), 1000);
    EXPECT_EQ(sprite->GetSourceRect(), Cell(2));
    EXPECT_FALSE(sprite->IsPlaying());
    EXPECT_FALSE(CAnimationUpdator::GetSingleton()->Contains(sprite.get()));

    // Played again, it starts from its first frame.
    sprite->PlayAnimation("walk");
    Watch(sprite.get(), 64);
    EXPECT_EQ(sprite->GetSourceRect(), Cell(0));
}

TEST_F(CAnimatedSpriteTest, SoundFramesPlayOncePerPassAndTakeNoTime) {
    auto sprite = Walker(true, {new CFrameRect(Cell(0), 100), new CFrameSound("boom.wav"),
                                new CFrameRect(Cell(1), 100)});
    sprite->PlayAnimation("walk");
    const auto shown = Watch(sprite.get(), 2000);
    int passes = 0;
    for (size_t i = 1; i < shown.size(); ++i)
        passes += shown[i].second == 0 && shown[i - 1].second == 10;
    ASSERT_GE(passes, 5);
    const int sounds = int(CAudioSpy::Lines().size());
    EXPECT_GE(sounds, passes);
    EXPECT_LE(sounds, passes + 1);
    EXPECT_EQ(CAudioSpy::Lines().front(), "PlayEffect( \"boom.wav\" )");

    // Wrapped in a rectangle frame, a sound sets the rectangle and ends at once.
    CFrameRect wrapper(Cell(2), 500);
    wrapper.SetWrapped(new CFrameSound("tick.wav"));
    EXPECT_TRUE(wrapper.Apply(sprite.get(), 0));
    EXPECT_EQ(sprite->GetSourceRect(), Cell(2));
    EXPECT_EQ(wrapper.GetLength(), 0u);

    // A name that would break out of its quotes is not played.
    CAudioSpy::Lines().clear();
    EXPECT_TRUE(CFrameSound("x\" ); quit(); //").Apply(sprite.get(), 0));
    EXPECT_TRUE(CAudioSpy::Lines().empty());
}

TEST_F(CAnimatedSpriteTest, PlayingDependsOnTheCurrentAnimationAndKeepsARunningOne) {
    myDir->WriteFile(
        "idle.xml",
        "<sprite type=\"sprite_animated\">\n<Play>\n1\n</Play>\n<Animation name=\"walk\">\n"
        "<Frame type=\"frame_rect\">\n<Rect h=\"1\" w=\"1\" x=\"0\" y=\"0\">\n</Rect>\n"
        "<FrameLength>\n100\n</FrameLength>\n</Frame>\n</Animation>\n</sprite>\n");
    std::unique_ptr<CSprite> idle(CSpriteFactory::GetSingleton()->LoadSprite("idle.xml"));
    EXPECT_FALSE(static_cast<CAnimatedSprite*>(idle.get())->IsPlaying());
    EXPECT_FALSE(
        CAnimationUpdator::GetSingleton()->Contains(static_cast<CAnimatedSprite*>(idle.get())));

    auto sprite = Walker(true);
    sprite->PlayAnimation("walk");
    Watch(sprite.get(), 150);
    const int32_t frame = sprite->GetCurrentFrame();
    const uint32_t time = sprite->GetAnimationTime();
    ASSERT_EQ(frame, 1);
    sprite->PlayAnimation("walk");
    EXPECT_EQ(sprite->GetCurrentFrame(), frame);
    EXPECT_EQ(sprite->GetAnimationTime(), time);
    sprite->PlayAnimation("no such animation");
    EXPECT_EQ(sprite->GetCurrentAnimation()->name, "walk")
        << "an unknown name keeps the current one";
}

TEST_F(CAnimatedSpriteTest, TimeMultiplyRunsTheAnimationFaster) {
    auto sprite = Walker(true);
    sprite->SetTimeMultiply(2.0f);
    sprite->PlayAnimation("walk");
    const auto shown = Watch(sprite.get(), 800);
    int changes = 0;
    for (size_t i = 1; i < shown.size(); ++i)
        changes += shown[i].second != shown[i - 1].second;
    // 100 ms frames at double speed, stepped every 16 ms: a change every 50 ms
    // on average (every 100 ms at normal speed, 7 in 800 ms).
    EXPECT_GE(changes, 14);
    EXPECT_LE(changes, 16);
}

TEST_F(CAnimatedSpriteTest, AnExternalAnimatorFadesAlongItsCurveAndIsDeletedAtTheEnd) {
    auto sprite = std::make_unique<CSprite>(Pattern(8, 8, 3, false));
    sprite->SetAlpha(0);
    Tick();
    CAnimationUpdator* updator = CAnimationUpdator::GetSingleton();
    updator->AddAnimator(
        new CExternalAnimator(new CSpriteSetAlphaUpdator(sprite.get(), 255), Now(), 1000, "t * t"));
    for (int i = 0; i < 31; ++i)
        Tick();  // 496 ms: t about 0.5, alpha about 61
    EXPECT_NEAR(sprite->GetAlpha(), 61, 3);
    EXPECT_EQ(updator->GetAnimatorCount(), 1u);
    for (int i = 0; i < 40; ++i)
        Tick();
    EXPECT_EQ(sprite->GetAlpha(), 255);
    EXPECT_EQ(updator->GetAnimatorCount(), 0u) << "deleted once done";

    // An animator dies with its sprite.
    std::vector<float> values;
    updator->AddAnimator(
        new CExternalAnimator(new CValueMasker(sprite.get(), &values), Now(), 100));
    sprite.reset();
    EXPECT_EQ(updator->GetAnimatorCount(), 0u);
}

TEST_F(CAnimatedSpriteTest, SpeedChangesKeepTheProgressAndPausesHoldIt) {
    CSprite sprite;
    std::vector<float> values;
    auto* animator = new CExternalAnimator(new CValueMasker(&sprite, &values), Now(), 1000);
    CAnimationUpdator::GetSingleton()->AddAnimator(animator);
    Tick(250);
    EXPECT_NEAR(values.back(), 0.25f, 0.001f);
    animator->SetSpeed(2.0f);
    EXPECT_EQ(animator->GetDuration(), 500u);
    Tick(125);  // 250 ms of the normal pace
    EXPECT_NEAR(values.back(), 0.5f, 0.002f);
    animator->SetSpeed(2.0f);  // the same speed again changes nothing
    EXPECT_EQ(animator->GetDuration(), 500u);
    Tick(50);
    EXPECT_NEAR(values.back(), 0.6f, 0.002f);
    animator->SetSpeed(1.0f);
    EXPECT_EQ(animator->GetDuration(), 1000u);
    Tick(100);
    EXPECT_NEAR(values.back(), 0.7f, 0.002f);

    animator->Pause();
    const size_t calls = values.size();
    Tick(300);
    EXPECT_EQ(values.size(), calls) << "paused: nothing applied";
    animator->Resume();
    Tick(100);
    EXPECT_NEAR(values.back(), 0.8f, 0.002f) << "the pause took no progress";

    // The calculator sees t as a number even when it is tiny; "sqrt" is not "t".
    CExternalAnimator curve(new CValueMasker(&sprite, &values), 0, 1000, "sqrt(t) + t", false);
    EXPECT_NEAR(curve.Evaluate(0.25f), 0.75f, 0.001f);
    EXPECT_NEAR(curve.Evaluate(0.00001f), 0.00317f, 0.0002f);
}
