#pragma once

// In-program self-tests of the game's records, run by the "unittest" task.
// They work on text in memory and on their own objects: the game's files and
// singletons are left alone. Each returns 0 when it passed.
namespace monsters::selftests {

// A monster through XML text and back: the written shape, the id offsets,
// the maximum hit points and the head-part rule.
int CMonsterTest();
// A shop list read from text: the UID counter, adding, repeated UIDs.
int CBodyShopTest();
// A level list read from text: positions, the current level, completion and prizes.
int CLevelListTest();

}  // namespace monsters::selftests
