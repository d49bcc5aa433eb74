#include "vorn/ui/CWidget.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "vorn/gfx/CSprite.h"
#include "vorn/ui/CGfxHandler.h"
#include "vorn/utils/calculator/CCalculator.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn::ui {

namespace {

// The one user interface's state.
struct CUiState {
    CWidget* focused = nullptr;
    CWidget* underMouse = nullptr;
    std::vector<CWidget*> capture;
    // Widgets already served with the mouse event being routed.
    const std::vector<CWidget*>* delivered = nullptr;
};

CUiState& State() {
    static CUiState state;
    return state;
}

CCalculator<double>& Calculator() {
    static CCalculator<double> calculator;
    return calculator;
}

// A number cut toward zero, kept within the layout limit; 0 for NaN.
int Truncate(double value) {
    if (std::isnan(value)) return 0;
    const double limit = CWidget::LAYOUT_LIMIT;
    return static_cast<int>(std::trunc(std::clamp(value, -limit, limit)));
}

int Limit(int64_t value) {
    return static_cast<int>(
        std::clamp<int64_t>(value, -CWidget::LAYOUT_LIMIT, CWidget::LAYOUT_LIMIT));
}

// Replaces prefix (such as "parent.") followed by x, y, w or h by the value.
std::string Substitute(const std::string& text, const std::string& prefix, const types_rect& rect) {
    std::string result;
    result.reserve(text.size() + 16);
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t found = text.find(prefix, pos);
        if (found == std::string::npos) {
            result.append(text, pos, std::string::npos);
            break;
        }
        const size_t member = found + prefix.size();
        const char name = member < text.size() ? text[member] : '\0';
        int value = 0;
        bool known = true;
        switch (name) {
            case 'x':
                value = rect.x;
                break;
            case 'y':
                value = rect.y;
                break;
            case 'w':
                value = rect.w;
                break;
            case 'h':
                value = rect.h;
                break;
            default:
                known = false;
        }
        result.append(text, pos, found - pos);
        if (!known) {
            result.append(prefix);
            pos = member;
            continue;
        }
        // A negative value in parentheses, so that "a - b" stays a subtraction.
        if (value < 0)
            result += "(" + std::to_string(value) + ")";
        else
            result += std::to_string(value);
        pos = member + 1;
    }
    return result;
}

}  // namespace

// --- construction -------------------------------------------------------------

CWidget::CWidget() {
    myIgnored = {EVENT_FOCUS_LOST, EVENT_FOCUS_REQUEST};
}

CWidget::CWidget(CWidget* parent, const types_rect& rect, bool relative, const std::string& name,
                 const std::string& spriteFile)
    : myName(name) {
    mySprite = CGfxHandler::GetSingleton()->LoadSprite(spriteFile);
    Init(parent, rect, relative);
}

void CWidget::Init(CWidget* parent, const types_rect& rect, bool relative) {
    types_rect place = rect;
    if (relative && parent) {
        place.x = Limit(int64_t(place.x) + parent->myRect.x);
        place.y = Limit(int64_t(place.y) + parent->myRect.y);
    }
    if (parent) place = parent->ConstrainChildRect(place);
    SetRect(place);
    UpdateSpriteDepth();
    if (parent) parent->AddChild(this);
    myIgnored = {EVENT_FOCUS_LOST, EVENT_FOCUS_REQUEST};
}

CWidget::~CWidget() {
    myLife.reset();
    CUiState& state = State();
    if (state.focused == this) state.focused = nullptr;
    if (state.underMouse == this) state.underMouse = nullptr;
    RemoveMouseCapture(this);
    // The children are taken out first: none of them reaches back into a list
    // that is being emptied.
    std::vector<CWidget*> children;
    children.swap(myChildren);
    for (CWidget* child : children) {
        child->myParent = nullptr;
        delete child;
    }
    if (myParent) myParent->RemoveChild(this);
    mySprite.Reset();
}

// --- geometry ---------------------------------------------------------------------

types_rect CWidget::GetRelativeRect() const {
    types_rect relative = myRect;
    if (myParent) {
        relative.x = Limit(int64_t(myRect.x) - myParent->myRect.x);
        relative.y = Limit(int64_t(myRect.y) - myParent->myRect.y);
    }
    return relative;
}

void CWidget::SetRect(const types_rect& rect) {
    myRect = rect;
    myRect.w = std::max(rect.w, 0);
    myRect.h = std::max(rect.h, 0);
    UpdateSprite();
}

void CWidget::SetPosition(const types_point& position) {
    MoveBy(Limit(int64_t(position.x) - myRect.x), Limit(int64_t(position.y) - myRect.y));
}

void CWidget::MoveBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    types_rect proposed(Limit(int64_t(myRect.x) + dx), Limit(int64_t(myRect.y) + dy), myRect.w,
                        myRect.h);
    if (myParent) proposed = myParent->ConstrainChildRect(proposed);
    const int actualX = Limit(int64_t(proposed.x) - myRect.x);
    const int actualY = Limit(int64_t(proposed.y) - myRect.y);
    if (actualX == 0 && actualY == 0) return;
    // A move changes the position only; a size the parent would impose comes
    // through Resize, which re-places the children.
    SetRect(types_rect(proposed.x, proposed.y, myRect.w, myRect.h));
    for (size_t i = 0; i < myChildren.size(); ++i)
        myChildren[i]->MoveBy(actualX, actualY);
}

void CWidget::Resize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == myRect.w && h == myRect.h) return;
    types_rect proposed(myRect.x, myRect.y, w, h);
    if (myParent) proposed = myParent->ConstrainChildRect(proposed);
    if (proposed.w == myRect.w && proposed.h == myRect.h) return;
    const types_rect old = myRect;
    SetRect(proposed);
    ReplaceChildren(old);
}

void CWidget::ReplaceChildren(const types_rect& old) {
    for (size_t i = 0; i < myChildren.size(); ++i)
        myChildren[i]->OnParentResized(old);
}

void CWidget::OnParentResized(const types_rect& old) {
    if (!myParent) return;
    if (myLayout) {
        const types_rect target = EvaluateLayout();
        MoveBy(Limit(int64_t(target.x) - myRect.x), Limit(int64_t(target.y) - myRect.y));
        Resize(target.w, target.h);
        return;
    }
    const types_rect& parent = myParent->myRect;
    // A parent that had no size cannot be scaled from: keep the proportions.
    const double rx = old.w != 0 ? double(parent.w) / old.w : 1.0;
    const double ry = old.h != 0 ? double(parent.h) / old.h : 1.0;
    switch (myResizeMode) {
        case RESIZE_SCALE: {
            // Offsets are measured from where the parent was, so a parent that
            // moved while resizing takes its children along.
            const int x = Truncate(parent.x + (double(myRect.x) - old.x) * rx);
            const int y = Truncate(parent.y + (double(myRect.y) - old.y) * ry);
            const int w = Truncate(myRect.w * rx);
            const int h = Truncate(myRect.h * ry);
            MoveBy(Limit(int64_t(x) - myRect.x), Limit(int64_t(y) - myRect.y));
            Resize(w, h);
            break;
        }
        case RESIZE_KEEP_CENTER: {
            // The centre keeps its place relative to the parent's size.
            const double cx = double(myRect.x) + myRect.w / 2 - old.x;
            const double cy = double(myRect.y) + myRect.h / 2 - old.y;
            const int dx = Truncate(parent.x + cx * rx - (old.x + cx));
            const int dy = Truncate(parent.y + cy * ry - (old.y + cy));
            MoveBy(dx, dy);
            break;
        }
        default: {
            MoveBy(Limit(int64_t(parent.x) - old.x), Limit(int64_t(parent.y) - old.y));
            const types_rect constrained = myParent->ConstrainChildRect(myRect);
            MoveBy(Limit(int64_t(constrained.x) - myRect.x),
                   Limit(int64_t(constrained.y) - myRect.y));
            Resize(constrained.w, constrained.h);
            break;
        }
    }
}

// --- layout texts ---------------------------------------------------------------

bool CWidget::IsPlainNumber(const std::string& text) {
    std::string trimmed = Trim(text, " \t");
    if (trimmed.size() > 1 && (trimmed[0] == '-' || trimmed[0] == '+')) trimmed.erase(0, 1);
    return trimmed.find_first_not_of("1234567890.") == std::string::npos;
}

void CWidget::SetLayout(const std::string& x, const std::string& y, const std::string& w,
                        const std::string& h) {
    const std::array<std::string, 4> texts = {x, y, w, h};
    if (std::all_of(texts.begin(), texts.end(), IsPlainNumber)) {
        myLayout.reset();
        int values[4] = {};
        for (int i = 0; i < 4; ++i) {
            std::istringstream in(texts[size_t(i)]);
            double number = 0;
            in >> number;
            values[i] = Truncate(number);
        }
        SetPlace(types_rect(values[0], values[1], values[2], values[3]));
        return;
    }
    if (!myLayout) myLayout = std::make_unique<CLayout>();
    myLayout->texts = texts;
    SetPlace(EvaluateLayout());
}

void CWidget::SetPlace(const types_rect& rect) {
    // The children follow, as they would a move or a resize.
    const types_rect old = myRect;
    SetRect(rect);
    if (myRect != old) ReplaceChildren(old);
}

std::array<std::string, 4> CWidget::GetLayout() const {
    return myLayout ? myLayout->texts : std::array<std::string, 4>{};
}

int CWidget::EvaluateLayoutText(const std::string& text) const {
    std::string expression = text;
    if (myParent) expression = Substitute(expression, "parent.", myParent->myRect);
    expression = Substitute(expression, "this.", myRect);
    return Truncate(Calculator().Calculate(expression));
}

types_rect CWidget::EvaluateLayout() const {
    // All four against the values before any of them is applied.
    const auto& texts = myLayout->texts;
    return types_rect(EvaluateLayoutText(texts[0]), EvaluateLayoutText(texts[1]),
                      EvaluateLayoutText(texts[2]), EvaluateLayoutText(texts[3]));
}

// --- events ------------------------------------------------------------------------

bool CWidget::IsEventIgnored(int type) const {
    return std::find(myIgnored.begin(), myIgnored.end(), type) != myIgnored.end();
}

void CWidget::SetEventIgnored(int type, bool ignored) {
    auto it = std::find(myIgnored.begin(), myIgnored.end(), type);
    if (ignored && it == myIgnored.end()) myIgnored.push_back(type);
    if (!ignored && it != myIgnored.end()) myIgnored.erase(it);
}

bool CWidget::Contains(const types_rect& rect, int x, int y) {
    return x >= rect.x && int64_t(x) < int64_t(rect.x) + rect.w && y >= rect.y &&
           int64_t(y) < int64_t(rect.y) + rect.h;
}

CWidget* CWidget::HitTest(int x, int y, const CWidget* after) const {
    if (after == this || !Contains(myRect, x, y)) return nullptr;
    size_t i = 0;
    if (after) {
        auto it = std::find(myChildren.begin(), myChildren.end(), after);
        // A starting child that left meanwhile: nothing is known to lie after it.
        if (it == myChildren.end()) return nullptr;
        i = size_t(it - myChildren.begin()) + 1;
    }
    for (; i < myChildren.size(); ++i)
        if (Contains(myChildren[i]->myRect, x, y)) return myChildren[i];
    return const_cast<CWidget*>(this);
}

void CWidget::HandleEvent(IEvent& event) {
    switch (event.type) {
        case EVENT_MOUSE_MOVE:
        case EVENT_MOUSE_BUTTON_DOWN:
        case EVENT_MOUSE_BUTTON_UP:
            if (auto* mouse = dynamic_cast<CMouseEvent*>(&event)) RouteMouseEvent(*mouse);
            break;
        case EVENT_FOCUS_REQUEST:
            if (auto* focus = dynamic_cast<CFocusEvent*>(&event)) RouteFocusRequest(*focus);
            break;
        default:
            break;
    }
}

void CWidget::RouteMouseEvent(CMouseEvent& event) {
    CWidget* hit = HitTest(event.x, event.y);
    while (hit) {
        if (!hit->IsEventIgnored(event.type)) {
            if (hit == this)
                DeliverMouseEvent(event);
            else
                hit->HandleEvent(event);
            return;
        }
        // An ignoring widget lets the event fall through to what lies beneath.
        hit = HitTest(event.x, event.y, hit);
    }
}

bool CWidget::DeliverMouseEvent(CMouseEvent& event) {
    const CGuard self = MakeGuard();
    CUiState& state = State();
    if (state.underMouse != this) {
        CWidget* previous = state.underMouse;
        state.underMouse = this;
        CMouseEvent out(EVENT_MOUSE_OUT, event.x, event.y, event.buttons, event.mouse);
        CMouseEvent over(EVENT_MOUSE_OVER, event.x, event.y, event.buttons, event.mouse);
        if (previous && !previous->IsEventIgnored(EVENT_MOUSE_OUT)) previous->OnMouseEvent(out);
        if (!self.IsAlive()) return false;
        if (!IsEventIgnored(EVENT_MOUSE_OVER)) OnMouseEvent(over);
        if (!self.IsAlive()) return false;
    }
    if (!WasDelivered(this)) OnMouseEvent(event);
    return self.IsAlive();
}

void CWidget::RouteFocusRequest(CFocusEvent& event) {
    const CGuard self = MakeGuard();
    CWidget* hit = HitTest(event.x, event.y);
    while (hit && hit != State().focused) {
        if (!hit->IsEventIgnored(EVENT_FOCUS_REQUEST)) {
            CWidget* old = State().focused;
            State().focused = hit;
            event.handled = true;
            const CGuard taker = hit->MakeGuard();
            if (old && !old->IsEventIgnored(EVENT_FOCUS_LOST)) {
                CFocusEvent lost(EVENT_FOCUS_LOST);
                old->OnFocusEvent(lost);
            }
            if (taker.IsAlive()) hit->OnFocusEvent(event);
            return;
        }
        if (hit != this) {
            const CGuard child = hit->MakeGuard();
            hit->HandleEvent(event);
            if (event.handled || !self.IsAlive() || !child.IsAlive()) return;
        }
        hit = HitTest(event.x, event.y, hit);
    }
    if (hit) event.handled = true;
}

bool CWidget::RequestFocus() {
    if (IsEventIgnored(EVENT_FOCUS_REQUEST)) return false;
    if (State().focused == this) return true;
    CWidget* old = State().focused;
    State().focused = this;
    const CGuard self = MakeGuard();
    if (old && !old->IsEventIgnored(EVENT_FOCUS_LOST)) {
        CFocusEvent lost(EVENT_FOCUS_LOST);
        old->OnFocusEvent(lost);
    }
    if (!self.IsAlive()) return false;
    CFocusEvent request(EVENT_FOCUS_REQUEST, myRect.x, myRect.y);
    request.handled = true;
    OnFocusEvent(request);
    return true;
}

// --- children and depths --------------------------------------------------------

void CWidget::AddChild(CWidget* child) {
    if (!child) return;
    for (const CWidget* ancestor = this; ancestor; ancestor = ancestor->myParent)
        if (ancestor == child) return;
    if (child->myParent) child->myParent->RemoveChild(child);
    myChildren.insert(myChildren.begin(), child);
    child->myParent = this;
    RecomputeDepths();
}

void CWidget::RemoveChild(CWidget* child) {
    auto it = std::find(myChildren.begin(), myChildren.end(), child);
    if (it == myChildren.end()) return;
    myChildren.erase(it);
    child->myParent = nullptr;
}

void CWidget::BringChildToFront(CWidget* child) {
    auto it = std::find(myChildren.begin(), myChildren.end(), child);
    if (it == myChildren.end() || it == myChildren.begin()) return;
    std::rotate(myChildren.begin(), it, it + 1);
    RecomputeDepths();
}

void CWidget::BringToFront() {
    if (myParent) myParent->BringChildToFront(this);
}

void CWidget::SetDepth(int depth) {
    ShiftDepths(depth - myDepth);
}

void CWidget::ShiftDepths(int delta) {
    if (delta == 0) return;
    myDepth += delta;
    UpdateSpriteDepth();
    for (CWidget* child : myChildren)
        child->ShiftDepths(delta);
}

void CWidget::RecomputeDepths() {
    // A subtree that grows widens its ancestors' ranges: lay out from the root.
    CWidget* root = this;
    while (root->myParent)
        root = root->myParent;
    root->AssignDepths(root->myDepth);
}

void CWidget::AssignDepths(int depth) {
    if (depth != myDepth) {
        myDepth = depth;
        UpdateSpriteDepth();
    }
    // From the back-most child to the front-most: the front-most ends lowest.
    int next = depth - 1;
    int lowest = depth;
    for (auto it = myChildren.rbegin(); it != myChildren.rend(); ++it) {
        (*it)->AssignDepths(next);
        lowest = std::min(lowest, next - (*it)->mySpan + 1);
        next -= (*it)->mySpan;
    }
    mySpan = depth - lowest + 1;
}

// --- sprite -----------------------------------------------------------------------

void CWidget::SetSprite(const CSmartPtr<CSprite>& sprite) {
    mySprite = sprite;
    mySpriteCollapsed = false;
    UpdateSprite();
    UpdateSpriteDepth();
}

void CWidget::UpdateSprite() {
    CGfxHandler::GetSingleton()->PlaceSprite(mySprite.Get(), myRect, mySpriteCollapsed);
}

void CWidget::UpdateSpriteDepth() {
    CGfxHandler::GetSingleton()->SetSpriteDepth(mySprite.Get(), myDepth);
}

// --- the user interface's state -------------------------------------------------

CWidget* CWidget::GetFocusedWidget() {
    return State().focused;
}

CWidget* CWidget::GetWidgetUnderMouse() {
    return State().underMouse;
}

void CWidget::ClearFocus() {
    State().focused = nullptr;
}

void CWidget::SetFocus(CWidget* widget) {
    State().focused = widget;
}

void CWidget::AddMouseCapture(CWidget* widget) {
    if (!widget || IsMouseCaptured(widget)) return;
    State().capture.push_back(widget);
}

void CWidget::RemoveMouseCapture(CWidget* widget) {
    auto& capture = State().capture;
    capture.erase(std::remove(capture.begin(), capture.end(), widget), capture.end());
}

bool CWidget::IsMouseCaptured(const CWidget* widget) {
    const auto& capture = State().capture;
    return std::find(capture.begin(), capture.end(), widget) != capture.end();
}

const std::vector<CWidget*>& CWidget::GetMouseCaptureList() {
    return State().capture;
}

CWidget::CSavedState::CSavedState() : myFocused(State().focused), myUnderMouse(State().underMouse) {
    if (myFocused) myFocusedGuard = myFocused->MakeGuard();
    if (myUnderMouse) myUnderMouseGuard = myUnderMouse->MakeGuard();
    State().focused = nullptr;
    State().underMouse = nullptr;
}

CWidget::CSavedState::~CSavedState() {
    State().focused = myFocusedGuard.IsAlive() ? myFocused : nullptr;
    State().underMouse = myUnderMouseGuard.IsAlive() ? myUnderMouse : nullptr;
}

const std::vector<CWidget*>* CWidget::ExchangeDeliveredList(const std::vector<CWidget*>* list) {
    const std::vector<CWidget*>* previous = State().delivered;
    State().delivered = list;
    return previous;
}

bool CWidget::WasDelivered(const CWidget* widget) {
    const std::vector<CWidget*>* delivered = State().delivered;
    return delivered && std::find(delivered->begin(), delivered->end(), widget) != delivered->end();
}

}  // namespace vorn::ui
