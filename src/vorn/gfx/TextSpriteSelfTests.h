#pragma once

// Self-tests of the text sprites and fonts, run by the "unittest" task. Each
// returns 0 when it passed. They need no window: measurements come from the
// glyph table, which the system font has even without a graphics factory.
namespace vorn::selftests {

int CTextSpriteTest();

}  // namespace vorn::selftests
