#pragma once

namespace vorn {

// An input recorder or player, owned and updated every frame by the debug task.
class ITaskRecordingDeviceImpl {
public:
    virtual ~ITaskRecordingDeviceImpl() = default;
    virtual void Update() = 0;
};

}  // namespace vorn
