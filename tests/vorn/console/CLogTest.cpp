#include "TestEnvironment.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CLogListenerForFile.h"
#include "vorn/console/ILogListener.h"

using namespace vorn;

namespace {

struct CCollector : ILogListener {
    std::vector<std::pair<std::string, int>> lines;
    void OnLogLine(const std::string& text, int level) override { lines.emplace_back(text, level); }
};

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        myDir = std::make_unique<testing_support::CScopedTempDir>();
        CLog::DeleteSingleton();
        log = CLog::GetSingleton();
        log->AddListener(&collector);
    }
    void TearDown() override {
        CLog::DeleteSingleton();
        myDir.reset();
    }
    // log.txt without its five header lines.
    std::string Body() {
        const std::string text = testing_support::ReadFile("log.txt");
        size_t at = 0;
        for (int i = 0; i < 5; ++i)
            at = text.find('\n', at) + 1;
        return text.substr(at);
    }

    std::unique_ptr<testing_support::CScopedTempDir> myDir;
    CLog* log = nullptr;
    CCollector collector;
};

TEST_F(LogTest, AssemblesLinesAndResetsTheLevelAfterEach) {
    log->Write("abc");
    log->Error();
    log->Write("def\n");
    *log << "plain " << 42 << " " << 0.5 << std::endl;
    log->Write("a\r\nb\n");
    ASSERT_EQ(collector.lines.size(), 5u);
    EXPECT_EQ(collector.lines[0], std::make_pair(std::string("abcdef\n"), 3));
    EXPECT_EQ(collector.lines[1], std::make_pair(std::string("plain 42 0.5\n"), 1));
    EXPECT_EQ(collector.lines[3].first, "\n") << "CR LF completes a line and an empty one";
    EXPECT_EQ(Body(), "<!> abcdef\n( ) plain 42 0.5\n( ) a\n( ) \n( ) b\n");
}

TEST_F(LogTest, MarkersAndIndentationInTheFile) {
    log->Debug() << "dbg\n";
    log->Warning() << "careful\n";
    log->Indent();
    *log << "inside\n";
    log->Outdent();
    log->Outdent();
    log->Outdent();
    *log << "outside\n";
    log->Indent();
    *log << "again\n";
    EXPECT_EQ(Body(), "(d) dbg\n(!) careful\n( )   inside\n( ) outside\n( )   again\n");
}

TEST_F(LogTest, HeaderStartsEachRunAfreshAndLongPrintfIsCut) {
    const std::string header = testing_support::ReadFile("log.txt");
    EXPECT_EQ(header.rfind("( ) ------", 0), 0u);
    EXPECT_NE(header.find("( ) New log created on "), std::string::npos);
    EXPECT_NE(header.find("( ) Using Vorn version 0.23\n"), std::string::npos);
    EXPECT_NE(header.find("( ) Build in "), std::string::npos);

    const std::string huge(5000, 'x');
    log->Printf("[ERROR] %s tail\n", huge.c_str());
    log->Write("\n");
    // The cut line lost its line feed; the next write completes it.
    ASSERT_EQ(collector.lines.size(), 1u);
    EXPECT_EQ(collector.lines[0].first.size(), CLog::PRINTF_BUFFER_SIZE - 1 + 1);

    // A second log of the same process appends; nothing is lost.
    CLog::DeleteSingleton();
    CLog::GetSingleton()->Write("later\n");
    EXPECT_NE(testing_support::ReadFile("log.txt").find("xxx"), std::string::npos);
    EXPECT_NE(testing_support::ReadFile("log.txt").find("( ) later"), std::string::npos);
    log = nullptr;
}

TEST_F(LogTest, SummaryCountsErrorsAndWarnings) {
    {
        CLogListenerForFile file("summary.txt", "Banner", true);
        file.OnLogLine("[ERROR] one\n", 3);
        file.OnLogLine("[WARNING] two\n", 2);
        file.OnLogLine("normal\n", 1);
        file.SetMinimumLevel(2);
        file.OnLogLine("dropped\n", 1);
    }
    const std::string text = testing_support::ReadFile("summary.txt");
    EXPECT_EQ(text.find("dropped"), std::string::npos);
    EXPECT_NE(text.find("------------------------Banner------------------------"),
              std::string::npos);
    EXPECT_NE(text.find("Banner - 1 error(s), 1 warning(s)"), std::string::npos);
}

}  // namespace
