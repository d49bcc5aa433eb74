#pragma once

#include <cstdint>
#include <string>

#include "vorn/input/IMouseListener.h"
#include "vorn/input/ITaskRecordingDeviceImpl.h"

namespace vorn {

// Records the mouse input of a session into a text file, so that the session
// can be played back (CPlaybackMouse):
//
//   1717171717            the random seed: wall-clock seconds at the start
//   1200 mm 310 245       at application time 1200 ms the pointer moved to (310, 245)
//   1350 md 1             button 1 went down (1 left, 2 middle, 4 right, 8/16 wheel)
//   1420 mu 1             button 1 went up
//
// The engine's random generator is seeded with the same value. Every line is
// appended and the file closed again at once, so a crash loses nothing.
// Relative motion is not recorded.
class CRecordMouse : public IMouseListener, public ITaskRecordingDeviceImpl {
public:
    // Seeds with the wall-clock seconds.
    explicit CRecordMouse(const std::string& fileName);
    CRecordMouse(const std::string& fileName, int64_t seed);

    // Nothing to do per frame: events arrive from the event bridge.
    void Update() override {}

    void OnMouseMove(int x, int y) override;
    void OnMouseButtonDown(int button) override;
    void OnMouseButtonUp(int button) override;

    // False when the file could not be written; nothing is recorded then.
    bool IsRecording() const { return myRecording; }
    int64_t GetSeed() const { return mySeed; }
    const std::string& GetFileName() const { return myFileName; }

private:
    void Append(const std::string& text);

    std::string myFileName;
    int64_t mySeed;
    bool myRecording = false;
};

}  // namespace vorn
