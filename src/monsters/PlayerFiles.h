#pragma once

#include <string>

// Where the game keeps its files. The player's own files live under
// "My Monsters/", named after the name typed at the start of a game; the
// standard files under "data/" are read, never written.
namespace monsters {

extern const char* const STANDARD_MONSTER_FILE;     // "data/standard_monster.xml"
extern const char* const STANDARD_SHOP_LIST_FILE;   // "data/standard_shoplist.xml"
extern const char* const STANDARD_LEVEL_LIST_FILE;  // "data/monster_list.xml"
extern const char* const EDITOR_STATE_FILE;         // "data/editor/current_edit.tmp"
extern const char* const EDITOR_MONSTER_FILE;       // "data/editor/monster_file.tmp"
extern const char* const FLOOR_FILE;                // "temp/floor.xml"

// "My Monsters/" + name + ".xml"
std::string PlayerMonsterFile(const std::string& playerName);
// "My Monsters/profile_stuff/" + name + "_shoplist.xml"
std::string PlayerShopListFile(const std::string& playerName);
// "My Monsters/profile_stuff/" + name + "_levellist.xml"
std::string PlayerLevelListFile(const std::string& playerName);

// The name as it goes into a file name. The name dialog already refuses the
// characters \ / : * ? " < > |; any that still arrive, and control
// characters, become '_', so a name can never reach outside "My Monsters/".
// An empty name becomes "_".
std::string PlayerFileStem(const std::string& playerName);

}  // namespace monsters
