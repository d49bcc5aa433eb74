#include "vorn/gfx/CExternalAnimator.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "vorn/gfx/CSprite.h"

namespace vorn {

namespace {

bool IsNamePart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

// The expression with every name "t" standing on its own (not inside
// "sqrt" or "tan") replaced by the value, written without an exponent so
// that the calculator reads it as a number.
std::string PutIn(const std::string& expression, float t) {
    char value[64];
    std::snprintf(value, sizeof(value), "%.6f", double(t));
    std::string result;
    for (size_t i = 0; i < expression.size(); ++i) {
        const bool alone = expression[i] == 't' && (i == 0 || !IsNamePart(expression[i - 1])) &&
                           (i + 1 == expression.size() || !IsNamePart(expression[i + 1]));
        if (alone)
            result += std::string("(") + value + ")";
        else
            result += expression[i];
    }
    return result;
}

}  // namespace

CExternalAnimator::CExternalAnimator(ISpriteMasker* masker, uint32_t start, uint32_t duration,
                                     const std::string& expression, bool clamp)
    : IExternalAnimator(masker ? masker->GetSprite() : nullptr),
      myMasker(masker),
      myStart(start),
      myDuration(duration),
      myClamp(clamp),
      myExpression(expression),
      myLastUpdate(start) {}

CExternalAnimator::~CExternalAnimator() = default;

void CExternalAnimator::Update(uint32_t now) {
    if (myPaused || myDuration == 0) {
        myStart += now - myLastUpdate;
        myLastUpdate = now;
        return;
    }
    myLastUpdate = now;
    // A start still ahead counts as progress 0, not as a wrapped-round
    // difference.
    float t = float(double(int32_t(now - myStart)) / double(myDuration));
    if (t >= 1.0f) {
        myDone = true;
        t = 1.0f;
    }
    if (t < 0.0f) t = 0.0f;
    Apply(t);
}

float CExternalAnimator::Evaluate(float t) {
    float value = myExpression.empty() ? t : myCalculator.Calculate(PutIn(myExpression, t));
    if (myClamp && std::isfinite(value)) value = std::fmin(std::fmax(value, 0.0f), 1.0f);
    return value;
}

void CExternalAnimator::Apply(float t) {
    const float value = Evaluate(t);
    if (myMasker) myMasker->Apply(value);
}

void CExternalAnimator::SetSpeed(float multiply) {
    if (!std::isfinite(multiply) || multiply <= 0.0f) return;
    // Time runs 1 / scale times as fast now; the new scale replaces it, so
    // the remaining time is first brought back to normal speed.
    const double factor = 1.0 / (double(myTimeScale) * multiply);
    const double duration = std::floor(double(myDuration) * factor + 0.5);
    myDuration = duration >= 4294967295.0 ? 4294967295u : uint32_t(std::max(duration, 1.0));
    const double elapsed = double(int32_t(myLastUpdate - myStart)) * factor;
    myStart = myLastUpdate - uint32_t(int64_t(std::floor(elapsed + 0.5)));
    myTimeScale = 1.0f / multiply;
}

CSpriteSetAlphaUpdator::CSpriteSetAlphaUpdator(CSprite* sprite, uint8_t targetAlpha, int skipCount)
    : mySprite(sprite),
      myTargetAlpha(targetAlpha),
      myStartAlpha(sprite ? sprite->GetAlpha() : 255),
      mySkipCount(skipCount) {}

void CSpriteSetAlphaUpdator::Apply(float value) {
    if (!mySprite || !std::isfinite(value)) return;
    ++myCalls;
    if (std::fabs(value - 1.0f) >= 0.0001f && myCalls < mySkipCount) return;
    myCalls = 0;
    const double step = std::floor(double(value) * (int(myTargetAlpha) - int(myStartAlpha)));
    const int64_t alpha = int64_t(myStartAlpha) + int64_t(std::fmax(std::fmin(step, 1e9), -1e9));
    mySprite->SetAlpha(uint8_t(((alpha % 256) + 256) % 256));
}

}  // namespace vorn
