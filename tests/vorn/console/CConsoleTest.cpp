#include <chrono>

#include "EngineFixture.h"
#include "LogCapture.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CVariable.h"
#include "vorn/utils/containers/CVarRef.h"

using namespace vorn;

namespace {

// Records how it was called: "()" without parentheses, else the parameters
// as type:text pairs.
class CEchoCommand : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override {
        std::string text = "[";
        for (size_t i = 0; i < params->Size(); ++i) {
            if (i) text += "|";
            text += params->IsType(i, CVariable::TYPE_NUMBER) ? "n:" : "s:";
            text += params->GetString(i);
        }
        ++calls;
        return text + "]";
    }
    std::string Execute() override {
        ++calls;
        return "()";
    }
    int calls = 0;
};

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        myDir = std::make_unique<testing_support::CScopedTempDir>();
        console.AddCommand("echo", &echo);
    }
    void TearDown() override {
        CApplicationFactory::DeleteSingleton();  // the log, made by the refusals
        myDir.reset();
    }
    std::string Run(const std::string& line) { return console.ExecuteLine(line); }

    std::unique_ptr<testing_support::CScopedTempDir> myDir;
    CConsole console;
    CEchoCommand echo;
};

TEST_F(ConsoleTest, ParsesStringsNumbersAndQuotedArguments) {
    EXPECT_EQ(Run("echo"), "()");
    EXPECT_EQ(Run("ECHO()"), "[]") << "names are case-insensitive by default";
    EXPECT_EQ(Run("echo(game, game, 5)"), "[s:game|s:game|n:5]");
    EXPECT_EQ(Run("echo(\"a,b\")"), "[s:a,b]");
    EXPECT_EQ(Run("echo(a,b)"), "[s:a|s:b]");
    EXPECT_EQ(Run("echo(a,,b,)"), "[s:a|s:b]") << "empty pieces are dropped";
    EXPECT_EQ(Run("echo(2.9, -1.5, -, +, 1.2.3)"), "[n:2.9|n:-1.5|n:0|n:0|n:1.2]");
    EXPECT_EQ(Run("echo(  spaced out  )"), "[s:spaced out]");
    EXPECT_EQ(Run("echo(\"  keep  \")"), "[s:  keep  ]");
}

TEST_F(ConsoleTest, ArgumentsAreExecutedButQuotedOnesAreLiteral) {
    CEchoCommand inner;
    console.AddCommand("inner", &inner);
    EXPECT_EQ(Run("missing(inner())"), "missing(inner())");
    EXPECT_EQ(inner.calls, 1)
        << "an argument that is a call runs even when the outer name is unknown";
    EXPECT_EQ(Run("echo(\"inner(inner())\")"), "[s:inner(inner())]");
    EXPECT_EQ(inner.calls, 1) << "a quoted argument is not executed";
    Run("x = 5");
    EXPECT_EQ(Run("echo(x)"), "[n:5]");
}

TEST_F(ConsoleTest, VariablesAssignLookUpAndPassLiteralsThrough) {
    EXPECT_EQ(Run("x = 5"), "5");
    EXPECT_EQ(Run("x"), "5");
    EXPECT_EQ(Run("X"), "5");
    EXPECT_EQ(Run("y"), "y");
    EXPECT_EQ(Run("x ="), "");
    EXPECT_EQ(console.GetVariable("x"), "");
    EXPECT_EQ(Run("msg = \"a = b\""), "\"a = b\"");
    int bound = 3;
    console.AddVariable("bound", new CVarRef<int>(&bound, "bound"));
    EXPECT_EQ(Run("bound = 12"), "12");
    EXPECT_EQ(bound, 12);
    Run("bound = nonsense");
    EXPECT_EQ(bound, 12) << "text that is no int leaves the value";
    int fixed = 1;
    console.AddVariable("fixed", new CVarRefConst<int>(&fixed, "fixed"));
    EXPECT_EQ(Run("fixed = 9"), "1");
}

TEST_F(ConsoleTest, CompoundLinesCommentsAndStatementLists) {
    EXPECT_EQ(Run("echo(); echo(1)"), "[]\n[n:1]\n");
    EXPECT_EQ(Run("// echo()"), "");
    EXPECT_EQ(Run("   // echo()"), "");
    EXPECT_EQ(Run(""), "");
    EXPECT_EQ(Run(" \t "), "");
    EXPECT_EQ(echo.calls, 2);
    EXPECT_EQ(Run("echo(a) // trailing comment"), "[s:a]");
    EXPECT_EQ(Run("echo(\"a;b//c\")"), "[s:a;b//c]");
    EXPECT_EQ(Run("echo(1); // echo(2)"), "[n:1]\n\n") << "the blank statement counts";
    // The base console runs namespace lines on itself.
    EXPECT_EQ(Run("other::echo(z)"), "[s:z]");
}

TEST_F(ConsoleTest, SemicolonsAndNamespacesAreFoundBeforeTheCommentIsCut) {
    // ";" anywhere on the line, even in the comment, makes it a sequence of
    // what comes before the comment.
    EXPECT_EQ(Run("echo(1) // c; echo(2)"), "[n:1]\n");
    EXPECT_EQ(echo.calls, 1);
    EXPECT_EQ(Run("other::echo(b) // c; d"), "[s:b]\n");
    EXPECT_EQ(echo.calls, 2);
    // "::" only in the comment: a namespace line with a single piece, which
    // runs nothing.
    EXPECT_EQ(Run("echo(1) // x::y"), "");
    EXPECT_EQ(echo.calls, 2);
    // Neither: the text before the comment runs.
    EXPECT_EQ(Run("echo(3) // plain"), "[n:3]");
    EXPECT_EQ(echo.calls, 3);
}

TEST_F(ConsoleTest, LongLinesSplitInLinearTime) {
    // 250,000 statements in a 1 MB line; splitting once took time growing
    // with the square of the length (80,000 statements took seconds).
    std::string line;
    for (int i = 0; i < 250000; ++i)
        line += "y=1;";
    ASSERT_EQ(line.size(), 1000000u);
    const auto start = std::chrono::steady_clock::now();
    const std::string result = Run(line);
    const std::string manyCommas = "echo(" + std::string(3000000, ',') + ")";
    EXPECT_EQ(Run(manyCommas), "[]");
    std::string manyArguments = "echo(";
    for (int i = 0; i < 100000; ++i)
        manyArguments += "\"a\",";
    EXPECT_EQ(Run(manyArguments + ")").size(), 100000u * 4 + 1);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(result.size(), 250000u * 2);
    EXPECT_EQ(console.GetVariable("y"), "1");
    // Generous for slow machines and sanitizers; the old splitting needed
    // minutes here.
    EXPECT_LT(seconds, 20.0);
}

TEST_F(ConsoleTest, ScriptLinesAndScriptsAreBounded) {
    testing_support::CLogCapture log;
    const std::string tooLong(CConsole::MAX_SCRIPT_LINE + 1, 'x');
    const std::string longest = "echo(" + std::string(CConsole::MAX_SCRIPT_LINE - 6, 'z') + ")";
    myDir->WriteFile(
        "long.txt", "echo(1)\n" + tooLong + "\necho(2)\n" + longest + "\r\n" + tooLong + "echo(3)");
    console.ExecuteFile("long.txt");
    EXPECT_EQ(echo.calls, 3) << "the rest of the script runs, the longest allowed line too";
    EXPECT_EQ(log.Count("line 2 of long.txt is longer than 1048576 bytes; skipped"), 1)
        << log.All();
    EXPECT_EQ(log.Count("line 5 of long.txt is longer than"), 1) << "the last line too";
    EXPECT_EQ(log.Count("[ERROR]"), 2);

    // A device without line breaks and without a size: reading stops at the
    // script bound with one log line.
    log.Clear();
    const auto start = std::chrono::steady_clock::now();
    console.ExecuteFile("/dev/zero");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(log.Count("/dev/zero is larger than 67108864 bytes; reading stopped in line 1"), 1)
        << log.All();
    EXPECT_EQ(log.Count("[ERROR]"), 1) << log.All();
    EXPECT_LT(seconds, 20.0);
    EXPECT_EQ(Run("echo(4)"), "[n:4]");
}

TEST_F(ConsoleTest, CaseSensitiveModeKeepsNamesApart) {
    console.SetCaseSensitive(true);
    CEchoCommand upper;
    console.AddCommand("Echo", &upper);
    console.AddCommand("echo", &echo);
    EXPECT_EQ(Run("Echo"), "()");
    EXPECT_EQ(upper.calls, 1);
    EXPECT_EQ(Run("eCHO"), "eCHO");
}

TEST_F(ConsoleTest, HostileLinesNeitherCrashNorHang) {
    EXPECT_EQ(Run("echo(\"unbalanced)"), "[s:\"unbalanced]");
    EXPECT_EQ(Run("echo(((a)"), "[s:((a]");
    EXPECT_EQ(Run("echo)("), "echo)(") << "a ')' before the '(' encloses nothing";
    EXPECT_EQ(Run("echo)(a"), "echo)(a");
    EXPECT_EQ(Run("echo(a))"), "[s:a)]");
    EXPECT_EQ(Run("echo(, ,  ,)"), "[n:0|n:0]") << "blank arguments read as the number 0";
    EXPECT_EQ(Run("=5"), "");
    const std::string longLine = "echo(" + std::string(10000, 'x') + ")";
    EXPECT_EQ(Run(longLine).size(), 10004u);

    // 100,000 nested calls are refused at a fixed depth, with a log line.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "a(";
    deep += std::string(100000, ')');
    Run(deep);
    EXPECT_NE(testing_support::ReadFile("log.txt").find("nested deeper than"), std::string::npos);
    EXPECT_EQ(Run("echo(1)"), "[n:1]") << "the console still works afterwards";
}

TEST_F(ConsoleTest, ScriptsRunEveryLineAndRefuseToLoadThemselves) {
    myDir->WriteFile("script.txt", "echo(1)\r\n// comment\n\necho(2)");
    console.ExecuteFile("script.txt");
    EXPECT_EQ(echo.calls, 2) << "the last line runs without a line break, CRLF works";
    EXPECT_EQ(console.ExecuteFile("missing.txt"), "");
}

TEST(CVariableTest, ConvertsWithDefaultStreamFormatting) {
    CVariableNumber number(100);
    EXPECT_EQ(number.GetString(), "100");
    number.SetNumber(0.5);
    EXPECT_EQ(number.GetString(), "0.5");
    number.SetNumber(1234567.0);
    EXPECT_EQ(number.GetString(), "1.23457e+06");
    CVariableString text("12abc");
    EXPECT_EQ(text.GetNumber(), 12);
    text.SetString("abc");
    EXPECT_EQ(text.GetNumber(), 0);
    CVariable base;
    EXPECT_EQ(base.GetString(), "");
    EXPECT_TRUE(base.IsType(0));
    EXPECT_FALSE(text.IsType(2));

    CVariableList list;
    list.PushBack(new CVariableString("a"));
    list.PushBack(new CVariableNumber(2));
    list.RemoveFirst();
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_TRUE(list.IsType(0, 2));
    EXPECT_FALSE(list.IsType(5, 2));
    list.RemoveFirst();
    list.RemoveFirst();
    EXPECT_TRUE(list.Empty());
}

}  // namespace
