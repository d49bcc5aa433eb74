#pragma once

#include <string>
#include <vector>

#include "LogCapture.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/signalslot/SignalSlot.h"

namespace signalslot_test {

using CLogCapture = testing_support::CLogCapture;

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
