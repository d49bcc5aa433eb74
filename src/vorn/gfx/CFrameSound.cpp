#include "vorn/gfx/CFrameSound.h"

#include "vorn/console/CConsole.h"
#include "vorn/console/CLog.h"
#include "vorn/gfx/CFrameFactory.h"
#include "vorn/gfx/CFrameRect.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace vorn {

std::string CFrameSound::GetConsoleLine() const {
    if (mySoundFile.empty()) return "";
    // The name goes into a console line inside double quotes: a quote or a
    // line break in it would let a sprite file run console commands.
    if (mySoundFile.find_first_of("\"\r\n") != std::string::npos) return "";
    return "Audio::PlayEffect( \"" + mySoundFile + "\" );";
}

bool CFrameSound::Apply(CSprite* sprite, uint32_t elapsed) {
    if (myWrapped) myWrapped->Apply(sprite, elapsed);
    const std::string line = GetConsoleLine();
    if (!line.empty()) {
        CApplicationFactory::GetSingleton()->GetConsole()->ExecuteLine(line);
    } else if (!mySoundFile.empty()) {
        CLog::GetSingleton()->Printf(
            "[WARNING] CFrameSound::Apply() - not playing a sound file name with quotes or line "
            "breaks: %s\n",
            mySoundFile.c_str());
    }
    return true;
}

uint32_t CFrameSound::GetLength() const {
    return myWrapped ? myWrapped->GetLength() : 0;
}

uint32_t CFrameSound::GetDuration() const {
    return myWrapped ? myWrapped->GetDuration() : GetLength();
}

void CFrameSound::Serialize(CXmlArchive& archive) {
    if (archive.IsWriting()) {
        std::string type = GetFrameTypeName(FRAME_SOUND);
        archive.Attribute("type", type);
    }
    archive.Attribute("sound_file", mySoundFile);
    SerializeWrappedFrame(archive, myWrapped);
}

}  // namespace vorn
