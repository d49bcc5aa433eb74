#pragma once

#include <string>

#include "vorn/ui/CWidget.h"
#include "vorn/utils/signalslot/CSignal.h"

namespace vorn::ui {

// A one-line text entry. It takes the keyboard focus when clicked and shows a
// cursor sprite while it has it; a click also puts the cursor where the
// pointer is. Typed characters are inserted at the cursor; special keys only
// emit their signal:
//
//   Backspace  backspace  (connected to DeleteBeforeCursor)
//   Tab        tab
//   Return     return     (keypad Enter too)
//   Escape     escape
//   Delete     delete     (connected to DeleteAtCursor)
//   Up, Down   up, down
//   Right      right      (connected to CursorRight)
//   Left       left       (connected to CursorLeft)
//   Home, End  home, end  (connected to CursorHome, CursorEnd)
//
// The text is UTF-8, typed as the key events carry it (CKeyboardEvent::text);
// the cursor is a byte index that always lies between characters, and the
// editing keys step over whole characters. Control characters are not
// inserted, and the text holds at most MAX_LENGTH bytes. Its sprite should be
// a text sprite: it is drawn as one line, and scrolled sideways so that the
// cursor stays in view.
class CTextInputWidget : public CWidget {
public:
    static constexpr size_t MAX_LENGTH = 4096;
    // Pixels kept free right of the cursor when the text scrolls.
    static constexpr int RIGHT_MARGIN = 4;

    CTextInputWidget();
    CTextInputWidget(CWidget* parent, const types_rect& rect, bool relative,
                     const std::string& name, const std::string& spriteFile,
                     const std::string& text, const std::string& cursorFile);
    ~CTextInputWidget() override;

    // 8: shows the cursor; 9: hides it; anything else is an error.
    void OnFocusEvent(CFocusEvent& event) override;
    // A press puts the cursor at the pointer.
    void OnMouseEvent(CMouseEvent& event) override;
    void OnKeyboardEvent(CKeyboardEvent& event) override;
    void SetRect(const types_rect& rect) override;
    void UpdateSpriteDepth() override;

    // Replaces the text when it differs; the cursor stays within it.
    virtual void SetText(const std::string& text);
    virtual std::string GetText() const { return myText; }
    virtual void DeleteBeforeCursor();
    virtual void DeleteAtCursor();
    // Inserts the Latin-1 character of that code.
    virtual void InsertCharacter(char character);
    virtual void CursorLeft();
    virtual void CursorRight();
    virtual void CursorHome();
    virtual void CursorEnd();
    // The cursor goes to the last place whose text to the left fits left of point.
    virtual void SetCursorFromPoint(const types_point& point);
    // Stores the text and shows it.
    virtual void StoreText(const std::string& text);
    // Inserts UTF-8 text at the cursor (control characters dropped), as much
    // of it as fits, and puts the cursor after it.
    virtual void InsertText(const std::string& text);

    // The byte index of the cursor in the text.
    size_t GetCursor() const { return myCursor; }
    // Clamped to the text and moved back to the start of the character it
    // falls in.
    void SetCursor(size_t cursor);
    bool IsFocused() const { return myFocused; }
    // The text sprite to draw with (null: none); it is made single-line.
    void SetTextSprite(const CSmartPtr<CSprite>& sprite);
    CSprite* GetCursorSprite() const { return myCursorSprite.Get(); }
    // Pixels the text is scrolled to the left.
    int GetScroll() const { return myScroll; }

    CSignal& GetBackspaceSignal() { return myBackspace; }
    CSignal& GetTabSignal() { return myTab; }
    CSignal& GetReturnSignal() { return myReturn; }
    CSignal& GetEscapeSignal() { return myEscape; }
    CSignal& GetDeleteSignal() { return myDelete; }
    CSignal& GetUpSignal() { return myUp; }
    CSignal& GetDownSignal() { return myDown; }
    CSignal& GetRightSignal() { return myRight; }
    CSignal& GetLeftSignal() { return myLeft; }
    CSignal& GetHomeSignal() { return myHome; }
    CSignal& GetEndSignal() { return myEnd; }

private:
    void Setup(const std::string& text);
    CSignal* GetKeySignal(int key);
    // Width of the text's first bytes as drawn.
    int TextWidth(size_t bytes) const;
    // Scrolls to keep the cursor in view and places the cursor sprite.
    void ShowCursor();

    CSignal myBackspace;
    CSignal myTab;
    CSignal myReturn;
    CSignal myEscape;
    CSignal myDelete;
    CSignal myUp;
    CSignal myDown;
    CSignal myRight;
    CSignal myLeft;
    CSignal myHome;
    CSignal myEnd;
    std::string myText;
    std::string myCursorFile;
    CSmartPtr<CSprite> myCursorSprite;
    size_t myCursor = 0;
    bool myFocused = false;
    // Where the text sprite starts its text when not scrolled.
    types_point myTextStart;
    int myScroll = 0;
};

}  // namespace vorn::ui
