#pragma once

#include "vorn/tasks/CTask.h"

namespace vorn {

// Task type "unittest": runs every registered self-test once when started,
// reports to the log, then parks itself (Init answers false).
class CTesterTask : public CTask {
public:
    bool Init() override;
    void Update() override {}
};

}  // namespace vorn
