#include "vorn/input/KeyCommandEvents.h"

#include "vorn/console/CConsole.h"
#include "vorn/tasks/CApplicationFactory.h"

namespace vorn {

namespace {

void RunLine(const std::string& line) {
    CApplicationFactory::GetSingleton()->GetConsole()->ExecuteLine(line, false);
}

}  // namespace

bool CKeyCommandEvent::Fire(int key) {
    (void)key;
    RunLine(myLine);
    return true;
}

bool CMultiKeyCommandEvent::Fire(int key) {
    if (!CMultiKeyEvent::Fire(key)) return false;
    RunLine(myLine);
    return true;
}

}  // namespace vorn
