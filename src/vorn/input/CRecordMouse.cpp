#include "vorn/input/CRecordMouse.h"

#include <ctime>
#include <fstream>

#include "vorn/console/CLog.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/utils/random/CRandom.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace vorn {

CRecordMouse::CRecordMouse(const std::string& fileName)
    : CRecordMouse(fileName, static_cast<int64_t>(std::time(nullptr))) {}

CRecordMouse::CRecordMouse(const std::string& fileName, int64_t seed)
    : myFileName(fileName), mySeed(seed) {
    CRandom::GetSingleton()->SetSeed(static_cast<double>(seed));
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file << seed << "\n";
    if (!file.flush()) {
        CLog::GetSingleton()->Printf("[ERROR] CRecordMouse: cannot write the recording file %s\n",
                                     fileName.c_str());
        return;
    }
    myRecording = true;
    CEventBridge::GetSingleton()->AddMouseListener(this);
}

void CRecordMouse::Append(const std::string& text) {
    if (!myRecording) return;
    std::ofstream file(myFileName, std::ios::binary | std::ios::app);
    file << CGlobalAppTimer::GetSingleton()->GetTime() << text << "\n";
    if (!file.flush()) {
        // The disk went away or filled up: say so once and stop.
        CLog::GetSingleton()->Printf("[ERROR] CRecordMouse: recording to %s stopped\n",
                                     myFileName.c_str());
        myRecording = false;
        CEventBridge::GetSingleton()->RemoveMouseListener(this);
    }
}

void CRecordMouse::OnMouseMove(int x, int y) {
    Append(" mm " + std::to_string(x) + " " + std::to_string(y));
}

void CRecordMouse::OnMouseButtonDown(int button) {
    Append(" md " + std::to_string(button));
}

void CRecordMouse::OnMouseButtonUp(int button) {
    Append(" mu " + std::to_string(button));
}

}  // namespace vorn
