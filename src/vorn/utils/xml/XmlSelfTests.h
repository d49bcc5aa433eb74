#pragma once

// In-program self-tests of the XML serialisation and the any-container, run
// by the "unittest" task. Each returns 0 when it passed.
namespace vorn::selftests {

// Round trip of an object through XML text, the written shape and the
// tolerant reading of a hand-written text.
int CXmlTest();
// The any-container's conversions between values and text.
int CAnyContainerTest();

}  // namespace vorn::selftests
