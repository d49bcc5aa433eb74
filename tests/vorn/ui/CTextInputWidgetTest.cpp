#include "UiTestSupport.h"
#include "vorn/console/CLog.h"
#include "vorn/console/ILogListener.h"
#include "vorn/ui/CTextInputWidget.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

// Key codes of the keys with signals.
enum {
    BACKSPACE = 8,
    TAB = 9,
    RETURN = 13,
    DEL = 127,
    UP = 273,
    DOWN = 274,
    RIGHT = 275,
    LEFT = 276,
    HOME = 278,
    END = 279,
    ESCAPE = 27,
    KEYPAD_ENTER = 271
};

struct CErrorLines : ILogListener {
    std::vector<std::string> lines;
    CErrorLines() { CLog::GetSingleton()->AddListener(this); }
    ~CErrorLines() override { CLog::GetSingleton()->RemoveListener(this); }
    void OnLogLine(const std::string& text, int level) override {
        if (level == CLog::LEVEL_ERROR) lines.push_back(text);
    }
};

struct CCounter : CCSSObject<CCounter> {
    int returns = 0;
    CWidget* victim = nullptr;
    void OnReturn() {
        ++returns;
        delete victim;
        victim = nullptr;
    }
};

class CTextInputWidgetTest : public CWidgetTestBase {
protected:
    void SetUp() override {
        CWidgetTestBase::SetUp();
        myInput = new CTextInputWidget(Desktop(), {10, 10, 200, 20}, false, "input", "", "abc", "");
    }
    CTextInputWidget* myInput = nullptr;
};

TEST_F(CTextInputWidgetTest, EditingKeysChangeTheTextAtTheCursor) {
    EXPECT_EQ(myInput->GetText(), "abc");
    EXPECT_EQ(myInput->GetCursor(), 3u);
    Click(20, 15);
    ASSERT_EQ(CWidget::GetFocusedWidget(), myInput);
    EXPECT_TRUE(myInput->IsFocused());
    Key(BACKSPACE);
    EXPECT_EQ(myInput->GetText(), "ab");
    EXPECT_EQ(myInput->GetCursor(), 2u);
    Key(HOME);
    Key(DEL);
    EXPECT_EQ(myInput->GetText(), "b");
    EXPECT_EQ(myInput->GetCursor(), 0u);
    Key(BACKSPACE);  // nothing before the cursor
    Key(LEFT);
    EXPECT_EQ(myInput->GetText(), "b");
    Type("x y");
    EXPECT_EQ(myInput->GetText(), "x yb");
    Key(END);
    Key(RIGHT);
    Key(DEL);  // nothing at the cursor
    EXPECT_EQ(myInput->GetCursor(), 4u);
    Key(LEFT);
    Key(LEFT);
    Type("!");
    EXPECT_EQ(myInput->GetText(), "x !yb");
    EXPECT_EQ(myInput->GetCursor(), 3u);

    myInput->SetText("longer text");
    EXPECT_EQ(myInput->GetCursor(), 3u);
    myInput->SetText("z");
    EXPECT_EQ(myInput->GetCursor(), 1u) << "clamped to the text";
    myInput->SetText("");
    Key(BACKSPACE);
    Key(DEL);
    Key(LEFT);
    EXPECT_EQ(myInput->GetText(), "");
    EXPECT_EQ(myInput->GetCursor(), 0u);
}

TEST_F(CTextInputWidgetTest, SpecialKeysOnlySignalAndLettersBeyondAsciiAreUtf8Text) {
    myInput->RequestFocus();
    myInput->SetText("");
    struct CNotes : CCSSObject<CNotes> {
        std::vector<std::string> notes;
        void Tab() { notes.push_back("tab"); }
        void Return() { notes.push_back("return"); }
        void Up() { notes.push_back("up"); }
        void Down() { notes.push_back("down"); }
        void Escape() { notes.push_back("escape"); }
    } notes;
    myInput->GetEscapeSignal().Connect(&notes, &CNotes::Escape);
    myInput->GetTabSignal().Connect(&notes, &CNotes::Tab);
    myInput->GetReturnSignal().Connect(&notes, &CNotes::Return);
    myInput->GetUpSignal().Connect(&notes, &CNotes::Up);
    myInput->GetDownSignal().Connect(&notes, &CNotes::Down);
    Key(TAB, 9);
    Key(RETURN, 13);
    Key(UP);
    Key(DOWN);
    Key(ESCAPE, 27);
    Key(KEYPAD_ENTER, 13);
    Key(300);  // no character at all
    EXPECT_EQ(notes.notes,
              (std::vector<std::string>{"tab", "return", "up", "down", "escape", "return"}));
    EXPECT_EQ(myInput->GetText(), "");

    // What a key types arrives as UTF-8; a lone character byte counts as the
    // Latin-1 letter of that code. Control characters are no text.
    CKeyboardEvent euro(EVENT_KEY_DOWN, 101, 0, "\xE2\x82\xAC");
    Desktop()->HandleEvent(euro);
    Key(160, 0xE9);  // é
    Key(161, 0xFF);  // ÿ
    myInput->InsertCharacter('\x80');
    myInput->InsertCharacter('\x7f');
    myInput->InsertCharacter('\n');
    myInput->InsertText(
        "a\tb\xC2\x85"
        "c");
    EXPECT_EQ(myInput->GetText(),
              "\xE2\x82\xAC\xC3\xA9\xC3\xBF"
              "abc");
    Key(LEFT);
    Key(LEFT);
    Key(LEFT);
    Key(BACKSPACE);
    EXPECT_EQ(myInput->GetText(),
              "\xE2\x82\xAC\xC3\xA9"
              "abc")
        << "a whole letter goes";
    Key(HOME);
    Key(DEL);
    EXPECT_EQ(myInput->GetText(),
              "\xC3\xA9"
              "abc");
    Key(RIGHT);
    EXPECT_EQ(myInput->GetCursor(), 2u);
    myInput->SetCursor(1);
    EXPECT_EQ(myInput->GetCursor(), 0u) << "never inside a letter";
    myInput->SetText("\xC3\xA9");
    myInput->InsertText("\xFF");
    EXPECT_EQ(myInput->GetText(), "\xC3\xBF\xC3\xA9") << "a stray byte becomes its letter";

    // Bounded, however long a key is held, and never cut inside a letter.
    myInput->SetText(std::string(CTextInputWidget::MAX_LENGTH + 50, 'q'));
    EXPECT_EQ(myInput->GetText().size(), CTextInputWidget::MAX_LENGTH);
    Key(END);
    Type("w");
    EXPECT_EQ(myInput->GetText().size(), CTextInputWidget::MAX_LENGTH);
    myInput->SetText(std::string(CTextInputWidget::MAX_LENGTH - 1, 'q'));
    Key(END);
    Key(160, 0xE9);
    EXPECT_EQ(myInput->GetText().size(), CTextInputWidget::MAX_LENGTH - 1);
}

TEST_F(CTextInputWidgetTest, FocusShowsTheCursorAndAnImpossibleFocusEventIsLogged) {
    CErrorLines errors;
    EXPECT_FALSE(myInput->IsFocused());
    myInput->RequestFocus();
    EXPECT_TRUE(myInput->IsFocused());
    Click(500, 500);
    EXPECT_FALSE(myInput->IsFocused());
    EXPECT_EQ(myInput->GetCursorSprite(), nullptr);
    CFocusEvent odd(EVENT_MOUSE_MOVE);
    myInput->OnFocusEvent(odd);
    EXPECT_EQ(errors.lines,
              (std::vector<std::string>{
                  "CTextInputWidget::OnFocusEvent() - Recived an impossible event.\n"}));
}

TEST_F(CTextInputWidgetTest, AReturnHandlerMayDestroyTheInput) {
    CCounter counter;
    counter.victim = myInput;
    myInput->GetReturnSignal().Connect(&counter, &CCounter::OnReturn);
    myInput->RequestFocus();
    Key(RETURN, 13);
    EXPECT_EQ(counter.returns, 1);
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);
    EXPECT_TRUE(Desktop()->GetChildren().empty());
    Key(RETURN, 13);
    EXPECT_EQ(counter.returns, 1);
}

}  // namespace
