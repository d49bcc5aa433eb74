#include "vorn/utils/timer/GlobalTime.h"

#include <SDL.h>

namespace vorn {

CGlobalTimerImplTimeH::CGlobalTimerImplTimeH() {
    // SDL 1.2 counts ticks from the first SDL_Init call; before it SDL_GetTicks
    // reads garbage. Initialising no subsystem starts the counter only once.
    SDL_InitSubSystem(0);
}

uint32_t CGlobalTimerImplTimeH::GetTicks() {
    return SDL_GetTicks();
}

namespace {

struct TimeSourceHolder {
    CSmartPtr<IGlobalTimerImpl> source;
    bool installed = false;
};

TimeSourceHolder& Holder() {
    static TimeSourceHolder* holder = new TimeSourceHolder;  // lives to process end
    return *holder;
}

}  // namespace

void SetTimeSource(const CSmartPtr<IGlobalTimerImpl>& source) {
    Holder().source = source;
    Holder().installed = true;
}

CSmartPtr<IGlobalTimerImpl> GetTimeSource() {
    if (!Holder().installed) SetTimeSource(CSmartPtr<IGlobalTimerImpl>(new CGlobalTimerImplTimeH));
    return Holder().source;
}

uint32_t GetGlobalTime() {
    TimeSourceHolder& holder = Holder();
    if (!holder.installed) GetTimeSource();
    return holder.source ? holder.source->GetTicks() : 0;
}

}  // namespace vorn
