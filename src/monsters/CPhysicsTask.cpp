#include "monsters/CPhysicsTask.h"

#include "monsters/CEditorWorld.h"
#include "monsters/CFightWorld.h"

namespace monsters {

CPhysicsTask::CPhysicsTask(IWinOrLoseInterface* receiver) : myReceiver(receiver) {}

CPhysicsTask::~CPhysicsTask() {
    DestroyWorlds();
}

CFightWorld* CPhysicsTask::SwitchToFight() {
    DestroyWorlds();
    myFightWorld = std::make_unique<CFightWorld>(myReceiver);
    return myFightWorld.get();
}

CEditorWorld* CPhysicsTask::SwitchToEditor() {
    DestroyWorlds();
    myEditorWorld = std::make_unique<CEditorWorld>();
    return myEditorWorld.get();
}

void CPhysicsTask::DestroyWorlds() {
    myFightWorld.reset();
    myEditorWorld.reset();
}

CMonster* CPhysicsTask::LoadMonster(const std::string& fileName, float x, float y) {
    if (myFightWorld) return myFightWorld->LoadMonster(fileName, x, y);
    if (myEditorWorld) return myEditorWorld->LoadMonster(fileName, x, y);
    return nullptr;
}

void CPhysicsTask::Step() {
    if (myFightWorld) myFightWorld->Step();
    if (myEditorWorld) myEditorWorld->Step();
}

bool CPhysicsTask::SaveEditorWorld(const std::string& fileName) {
    return myEditorWorld && myEditorWorld->SaveToFile(fileName);
}

bool CPhysicsTask::LoadEditorWorld(const std::string& fileName) {
    return myEditorWorld && myEditorWorld->LoadFromFile(fileName);
}

bool CPhysicsTask::SavePlayerMonster(const std::string& fileName) {
    return myEditorWorld && myEditorWorld->SavePlayerMonster(fileName);
}

}  // namespace monsters
