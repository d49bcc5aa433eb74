#pragma once

// The random generator's in-program self-test, run by the "unittest" task.
// Returns 0 when it passed, else the line of the failed check.
namespace vorn::selftests {

int RandomTest();

}  // namespace vorn::selftests
