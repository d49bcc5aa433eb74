#pragma once

#include <map>
#include <memory>
#include <string>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn::ui {

class CWidget;

namespace impl {

// Makes one class of widget for the widget factory.
class IGenericMaker {
public:
    virtual ~IGenericMaker() = default;
    // A new widget the caller owns (or a shared one, see CDesktopFactoryMaker).
    virtual CWidget* Make() = 0;
};

// A new default-constructed T.
template <class T>
class CGenericMakerImpl : public IGenericMaker {
public:
    CWidget* Make() override { return new T; }
};

// The desktop singleton instead of a new widget: it must not be deleted.
class CDesktopFactoryMaker : public IGenericMaker {
public:
    CWidget* Make() override;
};

}  // namespace impl

// Makes widgets by class name ("CWindowWidget", ...).
class CWidgetFactory {
public:
    static CWidgetFactory* GetSingleton() {
        return CStaticSingleton<CWidgetFactory>::GetSingleton();
    }

    // Takes ownership of maker; the first registration of a name wins (a
    // refused maker is deleted). False when refused or null.
    bool Register(const std::string& className, impl::IGenericMaker* maker);
    template <class T>
    bool Register(const std::string& className) {
        return Register(className, new impl::CGenericMakerImpl<T>);
    }
    bool IsRegistered(const std::string& className) const;

    // Null for an unknown class name.
    CWidget* Create(const std::string& className);

    // The engine's own widget classes: "CWidget", "CButtonWidget",
    // "CModifiedButtonWidget", "CTextInputWidget", "CWindowWidget",
    // "CConsoleWidget" and "CDesktopWidget".
    void RegisterBuiltinWidgets();

private:
    friend class CStaticSingleton<CWidgetFactory>;
    CWidgetFactory() = default;

    std::map<std::string, std::unique_ptr<impl::IGenericMaker>> myMakers;
};

}  // namespace vorn::ui
