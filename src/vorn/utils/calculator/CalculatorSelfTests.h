#pragma once

// The calculator's in-program self-tests, run by the "unittest" task. Each
// returns 0 when it passed and logs every failed check as an error line.
namespace vorn::selftests {

int CCalculatorTest();
int CInfixToPostfixTest();
int CPostfixTest();
int CPostfixAndInfixToPostfix();
int CPostfixSinCosinTest();

}  // namespace vorn::selftests
