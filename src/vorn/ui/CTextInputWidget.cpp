#include "vorn/ui/CTextInputWidget.h"

#include <algorithm>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/ui/CGfxHandler.h"
#include "vorn/utils/string/Utf8.h"

namespace vorn::ui {

namespace {

enum Key {
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_DELETE = 127,
    KEY_KEYPAD_ENTER = 271,
    KEY_UP = 273,
    KEY_DOWN = 274,
    KEY_RIGHT = 275,
    KEY_LEFT = 276,
    KEY_HOME = 278,
    KEY_END = 279
};

CGfxHandler* Gfx() {
    return CGfxHandler::GetSingleton();
}

}  // namespace

CTextInputWidget::CTextInputWidget() {
    Setup("");
}

CTextInputWidget::CTextInputWidget(CWidget* parent, const types_rect& rect, bool relative,
                                   const std::string& name, const std::string& spriteFile,
                                   const std::string& text, const std::string& cursorFile)
    : CWidget(parent, rect, relative, name, spriteFile), myCursorFile(cursorFile) {
    Setup(text);
}

CTextInputWidget::~CTextInputWidget() = default;

void CTextInputWidget::Setup(const std::string& text) {
    SetEventIgnored(EVENT_FOCUS_REQUEST, false);
    SetEventIgnored(EVENT_FOCUS_LOST, false);
    myBackspace.Connect(this, &CTextInputWidget::DeleteBeforeCursor);
    myDelete.Connect(this, &CTextInputWidget::DeleteAtCursor);
    myRight.Connect(this, &CTextInputWidget::CursorRight);
    myLeft.Connect(this, &CTextInputWidget::CursorLeft);
    myHome.Connect(this, &CTextInputWidget::CursorHome);
    myEnd.Connect(this, &CTextInputWidget::CursorEnd);
    SetTextSprite(CSmartPtr<CSprite>(GetSprite()));
    StoreText(utf8::Truncate(text, MAX_LENGTH));
    myCursor = myText.size();
    ShowCursor();
}

void CTextInputWidget::SetTextSprite(const CSmartPtr<CSprite>& sprite) {
    Gfx()->MakeSingleLine(sprite.Get());
    myTextStart = Gfx()->GetTextStart(sprite.Get());
    myScroll = 0;
    if (sprite.Get() != GetSprite()) SetSprite(sprite);
    Gfx()->SetText(sprite.Get(), myText);
    ShowCursor();
}

// --- events ------------------------------------------------------------------------

void CTextInputWidget::OnFocusEvent(CFocusEvent& event) {
    if (event.type == EVENT_FOCUS_REQUEST) {
        myFocused = true;
        if (!myCursorSprite) myCursorSprite = Gfx()->LoadSprite(myCursorFile);
        Gfx()->SetOverlayDepth(myCursorSprite.Get(), GetDepth());
        ShowCursor();
    } else if (event.type == EVENT_FOCUS_LOST) {
        myFocused = false;
        myCursorSprite.Reset();
    } else {
        CLog::GetSingleton()->Error()
            << "CTextInputWidget::OnFocusEvent() - Recived an impossible event.\n";
    }
}

void CTextInputWidget::OnMouseEvent(CMouseEvent& event) {
    if (event.type == EVENT_MOUSE_BUTTON_DOWN) SetCursorFromPoint(types_point(event.x, event.y));
}

CSignal* CTextInputWidget::GetKeySignal(int key) {
    switch (key) {
        case KEY_BACKSPACE:
            return &myBackspace;
        case KEY_TAB:
            return &myTab;
        case KEY_RETURN:
        case KEY_KEYPAD_ENTER:
            return &myReturn;
        case KEY_ESCAPE:
            return &myEscape;
        case KEY_DELETE:
            return &myDelete;
        case KEY_UP:
            return &myUp;
        case KEY_DOWN:
            return &myDown;
        case KEY_RIGHT:
            return &myRight;
        case KEY_LEFT:
            return &myLeft;
        case KEY_HOME:
            return &myHome;
        case KEY_END:
            return &myEnd;
        default:
            return nullptr;
    }
}

void CTextInputWidget::OnKeyboardEvent(CKeyboardEvent& event) {
    if (event.type != EVENT_KEY_DOWN) return;
    if (CSignal* signal = GetKeySignal(event.key)) {
        // A slot may destroy the widget: touch nothing afterwards.
        signal->Emit();
        return;
    }
    if (!event.text.empty())
        InsertText(event.text);
    else if (event.character != 0)
        InsertCharacter(static_cast<char>(event.character));
}

// --- editing ------------------------------------------------------------------------

void CTextInputWidget::SetText(const std::string& text) {
    if (text == myText) return;
    StoreText(utf8::Truncate(text, MAX_LENGTH));
    myCursor = utf8::Boundary(myText, myCursor);
    ShowCursor();
}

void CTextInputWidget::StoreText(const std::string& text) {
    myText = text;
    Gfx()->SetText(GetSprite(), myText);
    ShowCursor();
}

void CTextInputWidget::DeleteBeforeCursor() {
    if (myText.empty()) return;
    myCursor = utf8::Boundary(myText, myCursor);
    if (myCursor == 0) return;
    const size_t start = utf8::Previous(myText, myCursor);
    const size_t end = myCursor;
    myCursor = start;
    StoreText(std::string(myText).erase(start, end - start));
}

void CTextInputWidget::DeleteAtCursor() {
    if (myText.empty() || myCursor >= myText.size()) return;
    myCursor = utf8::Boundary(myText, myCursor);
    StoreText(std::string(myText).erase(myCursor, utf8::Next(myText, myCursor) - myCursor));
}

void CTextInputWidget::InsertCharacter(char character) {
    InsertText(utf8::Encode(static_cast<unsigned char>(character)));
}

void CTextInputWidget::InsertText(const std::string& text) {
    // Control characters (Escape, a stray Tab) have no glyph and no place in a line.
    std::string clean;
    for (size_t at = 0, length = 1; at < text.size(); at += length) {
        const uint32_t code = utf8::Decode(text, at, &length);
        if (!utf8::IsControl(code)) clean += utf8::Encode(code);
    }
    if (myText.size() >= MAX_LENGTH) return;
    clean = utf8::Truncate(clean, MAX_LENGTH - myText.size());
    if (clean.empty()) return;
    myCursor = utf8::Boundary(myText, myCursor);
    std::string updated = myText;
    updated.insert(myCursor, clean);
    myCursor += clean.size();
    StoreText(updated);
}

void CTextInputWidget::CursorLeft() {
    SetCursor(utf8::Previous(myText, myCursor));
}

void CTextInputWidget::CursorRight() {
    SetCursor(utf8::Next(myText, utf8::Boundary(myText, myCursor)));
}

void CTextInputWidget::CursorHome() {
    SetCursor(0);
}

void CTextInputWidget::CursorEnd() {
    SetCursor(myText.size());
}

void CTextInputWidget::SetCursor(size_t cursor) {
    myCursor = utf8::Boundary(myText, cursor);
    ShowCursor();
}

void CTextInputWidget::SetCursorFromPoint(const types_point& point) {
    const int64_t room = int64_t(point.x) - (int64_t(GetRect().x) + myTextStart.x - myScroll);
    size_t cursor = 0;
    for (size_t at = 0; at < myText.size();) {
        at = utf8::Next(myText, at);
        if (TextWidth(at) > room) break;
        cursor = at;
    }
    SetCursor(cursor);
}

// --- showing ---------------------------------------------------------------------------

int CTextInputWidget::TextWidth(size_t bytes) const {
    return Gfx()->GetTextWidth(GetSprite(), myText.substr(0, bytes));
}

void CTextInputWidget::SetRect(const types_rect& rect) {
    CWidget::SetRect(rect);
    ShowCursor();
}

void CTextInputWidget::UpdateSpriteDepth() {
    CWidget::UpdateSpriteDepth();
    Gfx()->SetOverlayDepth(myCursorSprite.Get(), GetDepth());
}

void CTextInputWidget::ShowCursor() {
    CSprite* text = GetSprite();
    const types_rect& rect = GetRect();
    const int cursorX = TextWidth(myCursor);
    // Scroll so that the cursor stays in the visible part of the line, and
    // no further than the text needs.
    const int visible = std::max(0, rect.w - myTextStart.x - RIGHT_MARGIN);
    int scroll = myScroll;
    if (cursorX - scroll > visible) scroll = cursorX - visible;
    if (cursorX - scroll < 0) scroll = cursorX;
    const int total = TextWidth(myText.size());
    scroll = std::max(0, std::min(scroll, total - visible));
    if (scroll != myScroll) {
        myScroll = scroll;
        Gfx()->SetTextStart(text, types_point(myTextStart.x - myScroll, myTextStart.y));
    }
    if (CSprite* cursor = myCursorSprite.Get()) {
        const int height = cursor->GetRect().h;
        Gfx()->MoveSprite(cursor, rect.x + myTextStart.x - myScroll + cursorX,
                          rect.y + (rect.h - height) / 2);
    }
}

}  // namespace vorn::ui
