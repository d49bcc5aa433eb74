#include "monsters/CMonstersTaskImpl.h"

#include <box2d/b2_math.h>

#include <fstream>

#include "monsters/CBodyShop.h"
#include "monsters/CCamera.h"
#include "monsters/CEditorToolbar.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CFightWorld.h"
#include "monsters/CGlobalOptions.h"
#include "monsters/CLevelList.h"
#include "monsters/CShopSelectionThing.h"
#include "monsters/IDraggableInterface.h"
#include "monsters/PlayerFiles.h"
#include "vorn/console/CConsole.h"
#include "vorn/console/CLog.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CExternalAnimator.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/input/CMouse.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CTask.h"
#include "vorn/tasks/CTaskFactory.h"

namespace monsters {

namespace {

const char* const EDITOR_BACKGROUND_FILE = "data/gfx/editor_background.xml";
const char* const FIGHT_BACKGROUND_FILE = "data/gfx/background.xml";
const char* const FIGHT_FOREGROUND_FILE = "data/gfx/foreground.xml";
const char* const VICTORY_FILE = "data/gfx/victory.xml";
const char* const DEFEAT_FILE = "data/gfx/you_lose.xml";
const char* const NEW_PARTS_FILE = "data/gfx/new_parts_backdrop.xml";
const char* const MENU_MUSIC = "data/music/menu.ogg";
const char* const FIGHT_MUSIC = "data/music/fight.ogg";
const char* const AUDIO_TASK = "Audio";
constexpr uint32_t RESULT_FADE_MS = 500;

vorn::CSprite* LoadSprite(const std::string& file) {
    return vorn::CSpriteFactory::GetSingleton()->LoadSprite(file);
}

vorn::CLog& Log() {
    return *vorn::CLog::GetSingleton();
}

}  // namespace

CMonstersTaskImpl::CMonstersTaskImpl(const std::string& playerName)
    : myDriver(this),
      myPlayerName(playerName),
      myMonsterFile(PlayerMonsterFile(playerName)),
      myShopListFile(PlayerShopListFile(playerName)),
      // The start-up script starts the menu music.
      myMusic(MENU_MUSIC) {
    CLevelList::GetSingleton()->LoadForPlayer(playerName);
    CBodyShop::GetSingleton()->LoadForPlayer(playerName);
    vorn::CMouse::GetSingleton()->AddGlobal(this);
    OpenShopSelection();
}

CMonstersTaskImpl::~CMonstersTaskImpl() {
    // Leaving in the middle of building keeps what was built.
    if (myEditorMode && myInEditor && GetPhysics().GetEditorWorld()) SaveMonsterToFile();
    DropDrag();
    CBodyShop::GetSingleton()->SaveToFile(myShopListFile);
    if (vorn::CMouse* mouse = vorn::CMouse::PeekSingleton()) mouse->Remove(this);
    // Writes the level list to the player's file.
    CLevelList::DeleteSingleton();
    myToolbar.reset();
    CloseShopSelection();
    GetPhysics().DestroyWorlds();
}

// --- screens --------------------------------------------------------------------------

CShopSelectionThing* CMonstersTaskImpl::GetShopSelection() const {
    return myShopSelectionGuard.IsAlive() ? myShopSelection : nullptr;
}

void CMonstersTaskImpl::OpenShopSelection() {
    ClearScreen();
    myForeground.reset();
    CloseShopSelection();
    myShopSelection = new CShopSelectionThing();
    myShopSelectionGuard = myShopSelection->MakeGuard();
    PlayMusic(MENU_MUSIC);
}

void CMonstersTaskImpl::CloseShopSelection() {
    delete GetShopSelection();
    myShopSelection = nullptr;
    myShopSelectionGuard = vorn::ui::CWidget::CGuard();
}

void CMonstersTaskImpl::ClearScreen() {
    DropDrag();
    myPrizeSprites.clear();
    myResultSprite.reset();
    myResultState = RESULT_NONE;
}

void CMonstersTaskImpl::DropDrag() {
    if (!myDragged) return;
    if (CEditorWorld* world = GetPhysics().GetEditorWorld())
        world->ReleaseDraggable(*myDragged);
    else
        myDragged->Release();
    myDragged.reset();
}

void CMonstersTaskImpl::SetBackground(const char* file) {
    myBackground.reset(LoadSprite(file));
}

void CMonstersTaskImpl::SetForeground(const char* file) {
    myForeground.reset(LoadSprite(file));
}

void CMonstersTaskImpl::PlayMusic(const char* file) {
    if (myMusic == file) return;
    myMusic = file;
    vorn::CTask* audio = vorn::CTaskFactory::GetSingleton()->FindTask(AUDIO_TASK);
    if (!audio || audio->IsStopped() || !std::ifstream(file)) return;
    vorn::CApplicationFactory::GetSingleton()->GetConsole()->ExecuteLine(
        std::string(AUDIO_TASK) + "::PlayMusic(" + file + ")");
}

// --- per frame ------------------------------------------------------------------------

void CMonstersTaskImpl::Update() {
    if (CShopSelectionThing* selection = GetShopSelection()) {
        const int result = selection->GetResult();
        if (result == CShopSelectionThing::RESULT_EDITOR) Edit();
        if (result == CShopSelectionThing::RESULT_FIGHT) Fight();
        return;
    }
    myDriver.Update();
    if (!myToolbar) return;
    myToolbar->Update();
    if (const int command = myToolbar->TakeCommand()) HandleToolbarCommand(command);
}

void CMonstersTaskImpl::HandleToolbarCommand(int command) {
    switch (command) {
        case CEditorToolbar::COMMAND_QUIT_EDITOR:
            if (!myEditorMode) return;
            if (myInEditor) SaveMonsterToFile();
            DropDrag();
            GetPhysics().DestroyWorlds();
            OpenShopSelection();
            return;
        case CEditorToolbar::COMMAND_TEST_FIGHT:
            if (myEditorMode) SwapEditorAndPlay();
            return;
        case CEditorToolbar::COMMAND_STOP_FIGHT:
            if (myEditorMode) {
                SwapEditorAndPlay();
                return;
            }
            DropDrag();
            GetPhysics().DestroyWorlds();
            OpenShopSelection();
            return;
        default:
            return;
    }
}

// --- console functions ------------------------------------------------------------------

bool CMonstersTaskImpl::ExecuteConsoleFunction(const std::string& text) {
    if (text == "TogglePhysicsCollisions()") {
        TogglePhysicsCollisions();
    } else if (text == "SaveMonsterToFile()") {
        SaveMonsterToFile();
    } else if (text == "SwapEditorAndPlay()") {
        SwapEditorAndPlay();
    } else if (text == "Fight()") {
        Fight();
    } else if (text == "Edit()") {
        Edit();
    } else {
        return false;
    }
    return true;
}

void CMonstersTaskImpl::TogglePhysicsCollisions() {
    CGlobalOptions* options = CGlobalOptions::GetSingleton();
    options->SetShowCollisionShapes(!options->GetShowCollisionShapes());
}

bool CMonstersTaskImpl::SaveMonsterToFile() {
    if (!GetPhysics().GetEditorWorld()) return false;
    // The save rebuilds the world: nothing may hold on to its bodies.
    DropDrag();
    if (GetPhysics().SavePlayerMonster(myMonsterFile)) return true;
    Log().Warning() << "The monster was not saved to \"" << myMonsterFile
                    << "\": it needs a head part\n";
    return false;
}

void CMonstersTaskImpl::LoadEditor() {
    CEditorWorld* world = GetPhysics().SwitchToEditor();
    if (std::ifstream(myMonsterFile)) world->LoadMonster(myMonsterFile, 0.0f, 0.0f);
    world->FillTray(*CBodyShop::GetSingleton());
}

void CMonstersTaskImpl::Edit() {
    CloseShopSelection();
    ClearScreen();
    myEditorMode = true;
    myInEditor = true;
    LoadEditor();
    myToolbar = std::make_unique<CEditorToolbar>();
    SetBackground(EDITOR_BACKGROUND_FILE);
    myForeground.reset();
    PlayMusic(MENU_MUSIC);
    myDriver.Reset();
}

void CMonstersTaskImpl::Fight() {
    CloseShopSelection();
    ClearScreen();
    myEditorMode = false;
    CPhysicsTask& physics = GetPhysics();
    physics.SwitchToFight();
    physics.LoadMonster(myMonsterFile, -10.0f, 0.0f);
    physics.LoadMonster(CLevelList::GetSingleton()->GetCurrentOpponentFile(), 10.0f, 0.0f);
    SetBackground(FIGHT_BACKGROUND_FILE);
    SetForeground(FIGHT_FOREGROUND_FILE);
    if (!myToolbar) myToolbar = std::make_unique<CEditorToolbar>();
    myToolbar->HideMenu();
    myToolbar->OpenExitWindow();
    if (myToolbar->IsFirstFight()) {
        myToolbar->SetFirstFight(false);
        myToolbar->ShowMenu();
        myToolbar->HideMenu();
        myToolbar->OpenExitWindow();
    }
    PlayMusic(FIGHT_MUSIC);
    myDriver.Reset();
}

void CMonstersTaskImpl::SwapEditorAndPlay() {
    if (!myEditorMode) return;
    ClearScreen();
    CPhysicsTask& physics = GetPhysics();
    if (myInEditor) {
        if (!physics.GetEditorWorld() || !physics.SavePlayerMonster(EDITOR_MONSTER_FILE)) {
            // A test fight needs a monster; stay and give the menu back.
            Log().Warning() << "Test fight: the monster in the editor has no head part\n";
            if (myToolbar) {
                myToolbar->CloseExitWindow();
                myToolbar->ShowMenu();
            }
            return;
        }
        physics.SwitchToFight();
        physics.LoadMonster(EDITOR_MONSTER_FILE, 0.0f, 0.0f);
        myInEditor = false;
    } else {
        physics.SwitchToEditor();
        if (!physics.LoadEditorWorld(EDITOR_STATE_FILE)) {
            Log().Warning() << "The editor could not be restored from \"" << EDITOR_STATE_FILE
                            << "\"; the monster is loaded from \"" << myMonsterFile << "\"\n";
            LoadEditor();
        }
        myInEditor = true;
    }
    myDriver.Reset();
}

// --- outcome ----------------------------------------------------------------------------

void CMonstersTaskImpl::ShowResult(const char* spriteFile) {
    myResultSprite.reset(LoadSprite(spriteFile));
    const uint8_t alpha = myResultSprite->GetAlpha();
    myResultSprite->SetAlpha(0);
    vorn::CAnimationUpdator* updator = vorn::CAnimationUpdator::GetSingleton();
    updator->AddAnimator(new vorn::CExternalAnimator(
        new vorn::CSpriteSetAlphaUpdator(myResultSprite.get(), alpha, 2), updator->GetTime(),
        RESULT_FADE_MS));
}

void CMonstersTaskImpl::Win() {
    ShowResult(VICTORY_FILE);
    myResultState = RESULT_WON;
    myToolbar.reset();
}

void CMonstersTaskImpl::Lose() {
    ShowResult(DEFEAT_FILE);
    myResultState = RESULT_LEAVING;
    myToolbar.reset();
}

void CMonstersTaskImpl::LeaveResult() {
    if (!myEditorMode) {
        DropDrag();
        GetPhysics().DestroyWorlds();
        OpenShopSelection();
        return;
    }
    SwapEditorAndPlay();
    // The outcome took the toolbar away; the editor needs it back.
    if (!myToolbar) myToolbar = std::make_unique<CEditorToolbar>();
}

void CMonstersTaskImpl::AddPrizeSprite(const std::string& imageFile, float x) {
    std::unique_ptr<vorn::CSprite> sprite(LoadSprite(imageFile));
    const vorn::types_rect rect = sprite->GetRect();
    sprite->SetX(int(x) - rect.w / 2);
    sprite->SetY(PRIZE_Y - rect.h / 2);
    sprite->SetZ(PRIZE_Z);
    myPrizeSprites.push_back(std::move(sprite));
}

void CMonstersTaskImpl::ShowNewParts() {
    myResultState = RESULT_LEAVING;
    ShowResult(NEW_PARTS_FILE);
    CLevelList* levels = CLevelList::GetSingleton();
    CBodyShop* shop = CBodyShop::GetSingleton();
    if (const CLevel* current = levels->GetCurrentLevel()) {
        const CLevel level = *current;
        float x = level.myPrize2Image.empty() ? PRIZE_X_ALONE : PRIZE_X_OF_TWO;
        if (!level.myPrize1.empty()) {
            AddPrizeSprite(level.myPrize1Image, x);
            x += PRIZE_STEP_X;
        }
        if (!level.myPrize2.empty()) AddPrizeSprite(level.myPrize2Image, x);
    }
    // Prizes join the shop, the level is done; both are on disk at once.
    levels->WinCurrentLevel(*shop);
    shop->SaveToFile(myShopListFile);
    levels->Save();
}

// --- mouse ------------------------------------------------------------------------------

void CMonstersTaskImpl::OnMouseMove(int x, int y) {
    myMouseX = x;
    myMouseY = y;
    if (myDragged) myDragged->DragTo(x + myDragOffsetX, y + myDragOffsetY);
}

void CMonstersTaskImpl::OnMouseButtonDown(int button) {
    if (GetShopSelection() || button != 1) return;
    if (CEditorWorld* world = GetPhysics().GetEditorWorld()) {
        b2Vec2 point;
        CCamera::GetSingleton()->ScreenToWorld(float(myMouseX), float(myMouseY), point.x, point.y);
        DropDrag();
        myDragged = world->PickDraggable(point);
        if (myDragged) {
            int x = 0, y = 0;
            myDragged->GetScreenPosition(x, y);
            myDragOffsetX = x - myMouseX;
            myDragOffsetY = y - myMouseY;
        }
    }
    if (myResultState == RESULT_LEAVING) {
        LeaveResult();
        myResultSprite.reset();
        myResultState = RESULT_NONE;
    } else if (myResultState == RESULT_WON) {
        ShowNewParts();
    }
}

void CMonstersTaskImpl::OnMouseButtonUp(int button) {
    if (GetShopSelection() || !myDragged || button != 1) return;
    DropDrag();
}

}  // namespace monsters
