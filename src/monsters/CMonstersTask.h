#pragma once

#include <memory>
#include <string>

#include "vorn/tasks/CTask.h"
#include "vorn/ui/CWidget.h"

namespace vorn {
class CSprite;
}

namespace monsters {

class CGetMonsterNameDialog;
class CMonstersTaskImpl;
class CUglySlashScreen;

// The game as an engine task (type "game"): the title screen, then the name
// dialog over the shop-selection backdrop, then the running game of that
// player (CMonstersTaskImpl). Console lines "game::Fight()" and the like
// reach the running game. Paused while the window has no focus.
class CMonstersTask : public vorn::CTask {
public:
    static const char* const BACKDROP_FILE;  // behind the name dialog

    CMonstersTask();
    ~CMonstersTask() override;

    // The first parameter, if any, is read as a string and not used.
    bool Init(vorn::CVariableList* params) override;
    bool Init() override;
    void Update() override;
    // Ends the running game (which writes the player's files).
    void Exit() override;
    // The five console functions of the running game; always true.
    bool ExecuteNamespaceLine(const std::string& text) override;
    bool PausesOnFocusLoss() const override { return true; }

    CUglySlashScreen* GetTitleScreen() const { return myTitle.get(); }
    // Null when there is none (or the desktop destroyed it).
    CGetMonsterNameDialog* GetNameDialog() const;
    CMonstersTaskImpl* GetGame() const { return myGame.get(); }

private:
    void OpenNameDialog();
    void CloseNameDialog();

    std::unique_ptr<CMonstersTaskImpl> myGame;
    CGetMonsterNameDialog* myNameDialog = nullptr;
    vorn::ui::CWidget::CGuard myNameDialogGuard;
    std::unique_ptr<CUglySlashScreen> myTitle;
    std::unique_ptr<vorn::CSprite> myBackdrop;
};

}  // namespace monsters
