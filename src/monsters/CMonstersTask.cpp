#include "monsters/CMonstersTask.h"

#include "monsters/CGetMonsterNameDialog.h"
#include "monsters/CMonstersTaskImpl.h"
#include "monsters/CUglySlashScreen.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"

namespace monsters {

const char* const CMonstersTask::BACKDROP_FILE = "data/gfx/shop_selection_background.jpg";

CMonstersTask::CMonstersTask() : CTask(10, "AnonymousTask") {}

CMonstersTask::~CMonstersTask() {
    Exit();
}

bool CMonstersTask::Init(vorn::CVariableList* params) {
    if (params && params->Size() > 0) (void)params->GetString(0);
    myTitle = std::make_unique<CUglySlashScreen>();
    return true;
}

bool CMonstersTask::Init() {
    return Init(nullptr);
}

CGetMonsterNameDialog* CMonstersTask::GetNameDialog() const {
    return myNameDialogGuard.IsAlive() ? myNameDialog : nullptr;
}

void CMonstersTask::OpenNameDialog() {
    CloseNameDialog();
    myNameDialog = new CGetMonsterNameDialog();
    myNameDialogGuard = myNameDialog->MakeGuard();
    // Typing goes to the name at once.
    CGetMonsterNameDialog::FocusTextField();
    myBackdrop.reset(vorn::CSpriteFactory::GetSingleton()->LoadSprite(BACKDROP_FILE));
}

void CMonstersTask::CloseNameDialog() {
    delete GetNameDialog();
    myNameDialog = nullptr;
    myNameDialogGuard = vorn::ui::CWidget::CGuard();
}

void CMonstersTask::Update() {
    if (myGame) {
        myGame->Update();
        return;
    }
    if (myTitle) {
        myTitle->Update();
        if (myTitle->IsDone()) {
            myTitle.reset();
            OpenNameDialog();
        }
        return;
    }
    CGetMonsterNameDialog* dialog = GetNameDialog();
    if (!dialog) {
        // The desktop went away with the dialog (the UI task was stopped):
        // ask again, so the game never sits without a way on.
        OpenNameDialog();
        return;
    }
    if (!dialog->IsDone()) return;
    const std::string name = dialog->GetPlayerName();
    CloseNameDialog();
    myBackdrop.reset();
    vorn::CLog::GetSingleton()->Printf("Player: \"%s\"\n", name.c_str());
    myGame = std::make_unique<CMonstersTaskImpl>(name);
}

void CMonstersTask::Exit() {
    CloseNameDialog();
    myGame.reset();
    myTitle.reset();
    myBackdrop.reset();
}

bool CMonstersTask::ExecuteNamespaceLine(const std::string& text) {
    if (myGame) myGame->ExecuteConsoleFunction(text);
    return true;
}

}  // namespace monsters
