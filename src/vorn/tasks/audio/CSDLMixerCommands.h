#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vorn/tasks/CTaskConsole.h"

namespace vorn {

class CConsole;
class CConsoleCommand;
class CTaskAudioSDLMixer;

// The audio task's private console with its commands, reached from the main
// console as "<task name>::Command(...)":
//
//   PlayMusic(file)                   play a track once (the task loops it)
//   PlayMusicFadeIn(file, ms)         the same, fading in over ms (1000 if missing)
//   StopMusic                         stop the track (fading out after a fade command)
//   StopMusicFadeOut(ms)              fade the track out over ms
//   ToggleMusic                       pause or resume the track
//   PlayEffect(file)                  play an effect on the first free channel
//   PreloadEffect(file)               load an effect and keep it cached
//   SetMusicVolume(percent)           music volume, 0 to 100
//   SetEffectVolume(percent)          effect volume, 0 to 100
//
// Fade times are clamped to 0 .. 600000 ms. Misuse is reported as a warning
// line in the log; every command returns "".
// Made when the task has opened the mixer; the task must outlive it.
class CSDLMixerCommands {
public:
    explicit CSDLMixerCommands(CTaskAudioSDLMixer* task);
    ~CSDLMixerCommands();
    CSDLMixerCommands(const CSDLMixerCommands&) = delete;
    CSDLMixerCommands& operator=(const CSDLMixerCommands&) = delete;

    // Runs a line on the private console; returns its result.
    std::string ExecuteLine(const std::string& line);
    CConsole* GetConsole() const { return myConsole.GetConsole(); }

private:
    CTaskConsole myConsole;
};

}  // namespace vorn
