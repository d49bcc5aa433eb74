#include "vorn/tasks/audio/CSDLMixerCommands.h"

#include "vorn/console/CConsole.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CTaskAudioSDLMixer.h"
#include "vorn/tasks/audio/CSDLMixerEffectManager.h"
#include "vorn/tasks/audio/CSDLMixerMusicManager.h"

namespace vorn {

namespace {

const int DEFAULT_FADE_IN_TIME = 1000;

std::string Warn(const std::string& text) {
    CLog::GetSingleton()->Warning() << text << "\n";
    return "";
}

bool IsString(const CVariableList* params, size_t index) {
    return params && params->IsType(index, CVariable::TYPE_STRING);
}

bool IsNumber(const CVariableList* params, size_t index) {
    return params && params->IsType(index, CVariable::TYPE_NUMBER);
}

bool IsEmpty(const CVariableList* params) {
    return !params || params->Empty();
}

// Fades beyond ten minutes are taken as ten minutes: SDL_mixer's own step
// arithmetic overflows near the int range.
const int MAX_FADE_TIME = 600000;

// Fade milliseconds from a console number: truncated, within 0..MAX_FADE_TIME.
int ToFadeTime(double value) {
    if (!(value > 0)) return 0;
    if (value >= MAX_FADE_TIME) return MAX_FADE_TIME;
    return static_cast<int>(value);
}

// Base of the audio commands: each reaches the task's managers, which exist
// for as long as the commands do.
class CAudioCommand : public CConsoleCommand {
public:
    explicit CAudioCommand(CTaskAudioSDLMixer* task) : myTask(task) {}

protected:
    CSDLMixerMusicManager& Music() const { return *myTask->GetMusicManager(); }
    CSDLMixerEffectManager& Effects() const { return *myTask->GetEffectManager(); }

private:
    CTaskAudioSDLMixer* myTask;
};

// A command taking one file name: name(file).
class CFileCommand : public CAudioCommand {
public:
    CFileCommand(CTaskAudioSDLMixer* task, const std::string& name)
        : CAudioCommand(task), myName(name) {}

    std::string Execute(CVariableList* params) override {
        if (IsEmpty(params)) return Execute();
        if (!IsString(params, 0))
            return Warn(myName + " -command the 1st parameter is of wrong type, should be string");
        Run(params->GetString(0));
        return "";
    }
    std::string Execute() override {
        return Warn(myName + " -command requires atleast one parameter");
    }

protected:
    virtual void Run(const std::string& fileName) = 0;

private:
    std::string myName;
};

class CPlayMusicCommand : public CFileCommand {
public:
    explicit CPlayMusicCommand(CTaskAudioSDLMixer* task) : CFileCommand(task, "PlayMusic") {}

protected:
    void Run(const std::string& fileName) override { Music().Play(fileName); }
};

class CPlayEffectCommand : public CFileCommand {
public:
    explicit CPlayEffectCommand(CTaskAudioSDLMixer* task) : CFileCommand(task, "PlayEffect") {}

protected:
    void Run(const std::string& fileName) override { Effects().Play(fileName); }
};

class CPreloadEffectCommand : public CFileCommand {
public:
    explicit CPreloadEffectCommand(CTaskAudioSDLMixer* task)
        : CFileCommand(task, "PreloadEffect") {}

protected:
    void Run(const std::string& fileName) override { Effects().Preload(fileName); }
};

class CPlayMusicFadeInCommand : public CAudioCommand {
public:
    using CAudioCommand::CAudioCommand;

    std::string Execute(CVariableList* params) override {
        if (IsEmpty(params)) return Execute();
        if (!IsString(params, 0))
            return Warn(
                "PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string");
        int fadeTime = DEFAULT_FADE_IN_TIME;
        if (IsNumber(params, 1)) {
            fadeTime = ToFadeTime(params->GetNumber(1));
        } else {
            Warn("PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number");
        }
        Music().SetFade(true);
        Music().SetFadeTime(fadeTime);
        Music().Play(params->GetString(0));
        return "";
    }
    std::string Execute() override {
        return Warn("PlayMusicFadeIn -command requires atleast one parameter");
    }
};

class CStopMusicCommand : public CAudioCommand {
public:
    using CAudioCommand::CAudioCommand;

    std::string Execute(CVariableList* params) override {
        if (!IsEmpty(params)) Warn("StopMusic -command, no parameters needed");
        return Execute();
    }
    std::string Execute() override {
        Music().Stop();
        return "";
    }
};

class CStopMusicFadeOutCommand : public CAudioCommand {
public:
    using CAudioCommand::CAudioCommand;

    std::string Execute(CVariableList* params) override {
        if (IsEmpty(params)) return Execute();
        if (!IsNumber(params, 0))
            return Warn(
                "StopMusicFadeOut -command the 1st parameter is of wrong type, should be number");
        Music().SetFade(true);
        Music().SetFadeTime(ToFadeTime(params->GetNumber(0)));
        Music().Stop();
        return "";
    }
    std::string Execute() override {
        return Warn("StopMusicFadeOut -command requires atleast one parameter");
    }
};

class CToggleMusicCommand : public CAudioCommand {
public:
    using CAudioCommand::CAudioCommand;

    std::string Execute() override {
        Music().Toggle();
        return "";
    }
};

// name(percent): a volume from 0 to 100; values outside are clamped.
class CVolumeCommand : public CAudioCommand {
public:
    CVolumeCommand(CTaskAudioSDLMixer* task, const std::string& name)
        : CAudioCommand(task), myName(name) {}

    std::string Execute(CVariableList* params) override {
        if (IsEmpty(params)) return Execute();
        if (!IsNumber(params, 0))
            return Warn(myName + " -command the 1st parameter is of wrong type, should be number");
        const double value = params->GetNumber(0);
        if (!(value >= 0 && value <= 100))
            Warn(myName + " -command the volume should be between 0 and 100");
        SetVolume(value > 100 ? 100 : value > 0 ? static_cast<int>(value) : 0);
        return "";
    }
    std::string Execute() override {
        return Warn(myName + " -command requires atleast one parameter");
    }

protected:
    virtual void SetVolume(int percent) = 0;

private:
    std::string myName;
};

class CSetMusicVolumeCommand : public CVolumeCommand {
public:
    explicit CSetMusicVolumeCommand(CTaskAudioSDLMixer* task)
        : CVolumeCommand(task, "SetMusicVolume") {}

protected:
    void SetVolume(int percent) override { Music().SetVolume(percent); }
};

class CSetEffectVolumeCommand : public CVolumeCommand {
public:
    explicit CSetEffectVolumeCommand(CTaskAudioSDLMixer* task)
        : CVolumeCommand(task, "SetEffectVolume") {}

protected:
    void SetVolume(int percent) override { Effects().SetVolume(percent); }
};

}  // namespace

CSDLMixerCommands::CSDLMixerCommands(CTaskAudioSDLMixer* task) {
    const std::pair<const char*, CConsoleCommand*> commands[] = {
        {"PlayMusic", new CPlayMusicCommand(task)},
        {"PlayMusicFadeIn", new CPlayMusicFadeInCommand(task)},
        {"StopMusic", new CStopMusicCommand(task)},
        {"StopMusicFadeOut", new CStopMusicFadeOutCommand(task)},
        {"ToggleMusic", new CToggleMusicCommand(task)},
        {"PlayEffect", new CPlayEffectCommand(task)},
        {"PreloadEffect", new CPreloadEffectCommand(task)},
        {"SetMusicVolume", new CSetMusicVolumeCommand(task)},
        {"SetEffectVolume", new CSetEffectVolumeCommand(task)},
    };
    for (const auto& [name, command] : commands)
        myConsole.AddCommand(name, command);
}

CSDLMixerCommands::~CSDLMixerCommands() = default;

std::string CSDLMixerCommands::ExecuteLine(const std::string& line) {
    // Results go to the caller only, not to the log.
    return myConsole.GetConsole()->ExecuteLine(line, false);
}

}  // namespace vorn
