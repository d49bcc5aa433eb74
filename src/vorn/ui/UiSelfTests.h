#pragma once

// The widget toolkit's in-program self-test, run by the "unittest" task.
// Returns 0 when it passed, else the line of the failed check. It leaves the
// running interface's focus and mouse-over state as it found them.
namespace vorn::selftests {

int CWidgetTest();

}  // namespace vorn::selftests
