#pragma once

#include <memory>
#include <string>

namespace monsters {

class CEditorWorld;
class CFightWorld;
class CMonster;
class IWinOrLoseInterface;

// The physics of a running game: at most one world at a time, the fight
// world or the editor world. Switching destroys the other world first, so
// bodies of a fight and of the editor never meet.
//
// Not an engine task: the game owns it and steps it through its fixed-step
// driver (CFixedStepDriver).
class CPhysicsTask {
public:
    // receiver (not owned, may be null) is handed to every new fight world.
    explicit CPhysicsTask(IWinOrLoseInterface* receiver = nullptr);
    ~CPhysicsTask();
    CPhysicsTask(const CPhysicsTask&) = delete;
    CPhysicsTask& operator=(const CPhysicsTask&) = delete;

    void SetWinOrLoseReceiver(IWinOrLoseInterface* receiver) { myReceiver = receiver; }
    IWinOrLoseInterface* GetWinOrLoseReceiver() const { return myReceiver; }

    // Destroys both worlds, then makes a new fight world with its floor.
    CFightWorld* SwitchToFight();
    // Destroys both worlds, then makes a new editor world with its floor.
    CEditorWorld* SwitchToEditor();
    void DestroyWorlds();

    // Loads a monster file into the current world at (x, y): as a fighter,
    // or into the editor in its group -1. Null without a world.
    CMonster* LoadMonster(const std::string& fileName, float x, float y);
    // One step of the current world; nothing without one.
    void Step();

    // The editor world as an "EditorRoot" file and back; false without an
    // editor world or when the file could not be written or read.
    bool SaveEditorWorld(const std::string& fileName);
    bool LoadEditorWorld(const std::string& fileName);
    // Saves the player's monster from the editor world; false without one.
    bool SavePlayerMonster(const std::string& fileName);

    CFightWorld* GetFightWorld() const { return myFightWorld.get(); }
    CEditorWorld* GetEditorWorld() const { return myEditorWorld.get(); }

private:
    std::unique_ptr<CFightWorld> myFightWorld;
    std::unique_ptr<CEditorWorld> myEditorWorld;
    IWinOrLoseInterface* myReceiver;
};

}  // namespace monsters
