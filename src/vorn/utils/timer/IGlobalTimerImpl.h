#pragma once

#include <cstdint>

namespace vorn {

// The source of all engine time, in milliseconds. Replaceable so that input
// playback can run on recorded time.
class IGlobalTimerImpl {
public:
    virtual ~IGlobalTimerImpl() = default;
    virtual uint32_t GetTicks() = 0;
};

}  // namespace vorn
