#pragma once

// The signal and slot self-tests, run by the "unittest" task. Each returns 0
// when it passed and logs every failed check as an error line.
namespace vorn::selftests {

int CSSObjectTest();
int CSSObjectSerializeTest();
int SignalSlotTest();

}  // namespace vorn::selftests
