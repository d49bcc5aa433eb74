#include "monsters/PlayerFiles.h"

#include <cstring>

namespace monsters {

const char* const STANDARD_MONSTER_FILE = "data/standard_monster.xml";
const char* const STANDARD_SHOP_LIST_FILE = "data/standard_shoplist.xml";
const char* const STANDARD_LEVEL_LIST_FILE = "data/monster_list.xml";
const char* const EDITOR_STATE_FILE = "data/editor/current_edit.tmp";
const char* const EDITOR_MONSTER_FILE = "data/editor/monster_file.tmp";
const char* const FLOOR_FILE = "temp/floor.xml";

namespace {

const char* const PLAYER_FOLDER = "My Monsters/";
const char* const PROFILE_FOLDER = "My Monsters/profile_stuff/";

}  // namespace

std::string PlayerFileStem(const std::string& playerName) {
    if (playerName.empty()) return "_";
    std::string stem = playerName;
    for (char& c : stem) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127 || std::strchr("\\/:*?\"<>|", c)) c = '_';
    }
    return stem;
}

std::string PlayerMonsterFile(const std::string& playerName) {
    return PLAYER_FOLDER + PlayerFileStem(playerName) + ".xml";
}

std::string PlayerShopListFile(const std::string& playerName) {
    return PROFILE_FOLDER + PlayerFileStem(playerName) + "_shoplist.xml";
}

std::string PlayerLevelListFile(const std::string& playerName) {
    return PROFILE_FOLDER + PlayerFileStem(playerName) + "_levellist.xml";
}

}  // namespace monsters
