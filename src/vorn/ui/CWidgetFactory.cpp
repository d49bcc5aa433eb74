#include "vorn/ui/CWidgetFactory.h"

#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CConsoleWidget.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CModifiedButtonWidget.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWidget.h"
#include "vorn/ui/CWindowWidget.h"

namespace vorn::ui {

CWidget* impl::CDesktopFactoryMaker::Make() {
    return CDesktopWidget::GetSingleton();
}

bool CWidgetFactory::Register(const std::string& className, impl::IGenericMaker* maker) {
    std::unique_ptr<impl::IGenericMaker> owned(maker);
    if (!owned || myMakers.count(className)) return false;
    myMakers.emplace(className, std::move(owned));
    return true;
}

bool CWidgetFactory::IsRegistered(const std::string& className) const {
    return myMakers.count(className) != 0;
}

CWidget* CWidgetFactory::Create(const std::string& className) {
    auto it = myMakers.find(className);
    return it == myMakers.end() ? nullptr : it->second->Make();
}

void CWidgetFactory::RegisterBuiltinWidgets() {
    Register<CWidget>("CWidget");
    Register<CButtonWidget>("CButtonWidget");
    Register<CModifiedButtonWidget>("CModifiedButtonWidget");
    Register<CTextInputWidget>("CTextInputWidget");
    Register<CWindowWidget>("CWindowWidget");
    Register<CConsoleWidget>("CConsoleWidget");
    Register("CDesktopWidget", new impl::CDesktopFactoryMaker);
}

}  // namespace vorn::ui
