#pragma once

#include <memory>
#include <string>

#include "vorn/gfx/IFrame.h"

namespace vorn {

// Plays a sound effect and ends at once: it runs the console line
//   Audio::PlayEffect( "file" );
// which reaches the audio task when the script started it under the instance
// name "Audio". With an inner frame (Wrapped) the inner frame is shown too and
// decides how long the step lasts; without one it takes no time.
//
// File: <Frame type="frame_sound" sound_file="..."> with an optional "Wrapped".
class CFrameSound : public IFrame {
public:
    CFrameSound() = default;
    explicit CFrameSound(const std::string& soundFile) : mySoundFile(soundFile) {}

    frame_type GetFrameType() const override { return FRAME_SOUND; }
    // Always true.
    bool Apply(CSprite* sprite, uint32_t elapsed) override;
    uint32_t GetDuration() const override;
    uint32_t GetLength() const override;
    void Serialize(CXmlArchive& archive) override;

    const std::string& GetSoundFile() const { return mySoundFile; }
    // The console line that plays the sound; empty when there is nothing to
    // play or the file name would break out of its quotes.
    std::string GetConsoleLine() const;
    void SetWrapped(IFrame* frame) { myWrapped.reset(frame); }

private:
    std::string mySoundFile;
    std::unique_ptr<IFrame> myWrapped;
};

}  // namespace vorn
