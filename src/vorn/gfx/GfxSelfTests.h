#pragma once

// Self-tests of the graphics core, run by the "unittest" task. Each returns 0
// when it passed.
namespace vorn::selftests {

int CColorTest();
int CTextureManagerTest();

}  // namespace vorn::selftests
