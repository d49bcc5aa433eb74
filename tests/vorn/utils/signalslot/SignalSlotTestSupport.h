#pragma once

#include <string>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/console/ILogListener.h"
#include "vorn/utils/signalslot/SignalSlot.h"

namespace signalslot_test {

// Collects the warning and error lines logged while it lives.
class CLogCapture : public vorn::ILogListener {
public:
    CLogCapture() { vorn::CLog::GetSingleton()->AddListener(this); }
    ~CLogCapture() override { vorn::CLog::GetSingleton()->RemoveListener(this); }
    void OnLogLine(const std::string& text, int level) override {
        if (level >= vorn::CLog::LEVEL_WARNING) myLines.push_back(text);
    }
    int Count() const { return static_cast<int>(myLines.size()); }
    std::string All() const {
        std::string all;
        for (const std::string& line : myLines)
            all += line;
        return all;
    }

private:
    std::vector<std::string> myLines;
};

// A named target that writes every call it receives into a shared journal,
// as "name.Function(arguments)".
class CTarget : public vorn::CCSSObject<CTarget> {
public:
    CTarget(const std::string& name, std::vector<std::string>* journal)
        : myName(name), myJournal(journal) {}

    std::string GetName() const override { return myName; }
    void SetName(const std::string& name) override { myName = name; }

    void Ping() { Note("Ping()"); }
    void Pong() { Note("Pong()"); }
    void Take(int value) { Note("Take(" + std::to_string(value) + ")"); }
    void Move(int dx, int dy) {
        Note("Move(" + std::to_string(dx) + "," + std::to_string(dy) + ")");
    }
    void Label(const std::string& text) { Note("Label(" + text + ")"); }
    void Unregistered() { Note("Unregistered()"); }

    // Registered as "CSignalTestTarget": Ping, Pong, Take, Move, Label.
    static void Register() {
        vorn::CSSObject<CTarget>::Register("CSignalTestTarget", true);
        vorn::css::CCSSSlotFactory* factory = vorn::css::CCSSSlotFactory::GetSingleton();
        factory->RegisterFunction<CTarget>("Ping", &CTarget::Ping);
        factory->RegisterFunction<CTarget>("Pong", &CTarget::Pong);
        factory->RegisterFunction<CTarget>("Take", &CTarget::Take);
        factory->RegisterFunction<CTarget>("Move", &CTarget::Move);
        factory->RegisterFunction<CTarget>("Label", &CTarget::Label);
    }

private:
    void Note(const std::string& call) {
        if (myJournal) myJournal->push_back(myName + "." + call);
    }

    std::string myName;
    std::vector<std::string>* myJournal;
};

}  // namespace signalslot_test
