#pragma once

#include <memory>
#include <string>
#include <vector>

#include "monsters/CFixedStepDriver.h"
#include "monsters/IWinOrLoseInterface.h"
#include "vorn/input/IMouseable.h"
#include "vorn/ui/CWidget.h"

namespace vorn {
class CSprite;
}

namespace monsters {

class CEditorToolbar;
class CShopSelectionThing;
class IDraggableInterface;

// The running game of one player, from the shop selection on. It owns the
// physics (editor world or fight world), the backdrops, the toolbar and the
// dragged object, and moves between the screens:
//
//   shop selection --"Workshop"--> editor <--"Test"/"Quit"--> test fight
//        ^   |                       |
//        |   +--"Fight!"--> fight    +--"Quit" (saves the monster)--+
//        |                   |                                      |
//        +--- click after defeat / second click after victory ------+
//              (first click after a victory shows the prizes)
//
// The screens keep their own steps (CShopSelectionThing, CEditorToolbar,
// the editor world's tray and picking); this class only switches between
// them. Destroying it writes the player's shop and level list.
class CMonstersTaskImpl : public vorn::CMouseableImpl, public IWinOrLoseInterface {
public:
    enum ResultState { RESULT_NONE = 0, RESULT_WON = 1, RESULT_LEAVING = 2 };
    // Where prizes stand on the new-parts screen.
    static constexpr float PRIZE_X_OF_TWO = 296.1f;
    static constexpr float PRIZE_X_ALONE = 376.0f;
    static constexpr float PRIZE_STEP_X = 155.1f;
    static constexpr int PRIZE_Y = 259;
    static constexpr int PRIZE_Z = 5;

    // Loads the player's level list and shop (or the standard ones), listens
    // to the mouse and opens the shop selection.
    explicit CMonstersTaskImpl(const std::string& playerName);
    ~CMonstersTaskImpl() override;
    CMonstersTaskImpl(const CMonstersTaskImpl&) = delete;
    CMonstersTaskImpl& operator=(const CMonstersTaskImpl&) = delete;

    // Once per frame.
    void Update();
    // Runs one of the console functions; false when text names none.
    bool ExecuteConsoleFunction(const std::string& text);

    void Edit();
    void Fight();
    // Between the editor and a test fight; only in editor mode.
    void SwapEditorAndPlay();
    // The player's monster from the editor world to the player's file.
    bool SaveMonsterToFile();
    void TogglePhysicsCollisions();

    // Outcome of a fight (from inside the world's step).
    void Win() override;
    void Lose() override;

    void OnMouseMove(int x, int y) override;
    void OnMouseButtonDown(int button) override;
    void OnMouseButtonUp(int button) override;

    // --- State, for the screens' owner and for tests --------------------------------
    const std::string& GetPlayerName() const { return myPlayerName; }
    const std::string& GetMonsterFile() const { return myMonsterFile; }
    const std::string& GetShopListFile() const { return myShopListFile; }
    CShopSelectionThing* GetShopSelection() const;
    CEditorToolbar* GetToolbar() const { return myToolbar.get(); }
    CPhysicsTask& GetPhysics() { return myDriver.GetPhysics(); }
    CFixedStepDriver& GetDriver() { return myDriver; }
    bool IsEditorMode() const { return myEditorMode; }
    bool IsInEditor() const { return myInEditor; }
    int GetResultState() const { return myResultState; }
    vorn::CSprite* GetResultSprite() const { return myResultSprite.get(); }
    vorn::CSprite* GetBackground() const { return myBackground.get(); }
    vorn::CSprite* GetForeground() const { return myForeground.get(); }
    const std::vector<std::unique_ptr<vorn::CSprite>>& GetPrizeSprites() const {
        return myPrizeSprites;
    }
    IDraggableInterface* GetDragged() const { return myDragged.get(); }

private:
    void OpenShopSelection();
    void CloseShopSelection();
    // The editor with the player's monster and the tray.
    void LoadEditor();
    void HandleToolbarCommand(int command);
    void LeaveResult();
    void ShowResult(const char* spriteFile);
    void ShowNewParts();
    void AddPrizeSprite(const std::string& imageFile, float x);
    // Drops the result, the prizes and a drag in progress: a new screen starts.
    void ClearScreen();
    void DropDrag();
    void SetBackground(const char* file);
    void SetForeground(const char* file);
    void PlayMusic(const char* file);

    std::unique_ptr<vorn::CSprite> myBackground;
    std::unique_ptr<vorn::CSprite> myForeground;
    CShopSelectionThing* myShopSelection = nullptr;
    vorn::ui::CWidget::CGuard myShopSelectionGuard;
    std::vector<std::unique_ptr<vorn::CSprite>> myPrizeSprites;
    std::unique_ptr<vorn::CSprite> myResultSprite;
    int myResultState = RESULT_NONE;
    CFixedStepDriver myDriver;
    bool myInEditor = true;
    bool myEditorMode = true;
    std::string myPlayerName;
    std::string myMonsterFile;
    std::string myShopListFile;
    int myMouseX = 0;
    int myMouseY = 0;
    std::unique_ptr<IDraggableInterface> myDragged;
    int myDragOffsetX = 0;
    int myDragOffsetY = 0;
    std::unique_ptr<CEditorToolbar> myToolbar;
    std::string myMusic;
};

}  // namespace monsters
