#include "vorn/console/CLogListenerForFile.h"

#include <cstdio>
#include <ctime>
#include <fstream>

#include "vorn/io/CPath.h"

#ifndef VORN_COMPILER
#define VORN_COMPILER "Unknown compiler"
#endif

namespace vorn {

namespace {

// The name used by the last writer made in this process: a second writer of
// the same file appends instead of starting it afresh.
std::string& LastFileName() {
    static std::string name;
    return name;
}

const char* const INDENT_UNIT = "  ";

}  // namespace

const char* LogLevelMarker(int level) {
    switch (level) {
        case 3:
            return "<!> ";
        case 2:
            return "(!) ";
        case 1:
            return "( ) ";
        case 0:
            return "(d) ";
        case -1:
            return "(-) ";
        case -2:
            return "(+) ";
        default:
            return "";
    }
}

CLogListenerForFile::CLogListenerForFile(const std::string& fileName, const std::string& banner,
                                         bool summary)
    : myFileName(fileName), myBanner(banner), mySummary(summary) {
    // Remember the file itself, not its name: a log made after a change of
    // working directory starts its own file.
    const std::string identity = CPath::FileIdentity(fileName);
    if (LastFileName() == identity) return;
    LastFileName() = identity;
    // Start the file afresh; an unwritable place leaves the log silent.
    { std::ofstream truncate(myFileName, std::ios::out | std::ios::trunc); }
    WriteHeader();
}

CLogListenerForFile::~CLogListenerForFile() {
    if (!mySummary) return;
    std::ofstream out(myFileName, std::ios::app);
    if (!out) return;
    int errors = 0;
    int warnings = 0;
    out << "\n------------------------" << myBanner << "------------------------\n\n";
    for (const std::string& line : myCollected) {
        out << line;
        if (line.find("[ERROR]") != std::string::npos) ++errors;
        if (line.find("[WARNING]") != std::string::npos) ++warnings;
    }
    out << "\n" << myBanner << " - " << errors << " error(s), " << warnings << " warning(s)\n";
}

void CLogListenerForFile::WriteHeader() {
    char when[64] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now))
        std::strftime(when, sizeof(when), "%a,%b %d,%I:%M %p", local);
    const std::string rule = "--------------------------------------------------------------\n";
    WriteLine(rule, 1);
    WriteLine(std::string("New log created on ") + when + "\n", 1);
    WriteLine("Using " + myBanner + "\n", 1);
    WriteLine(std::string("Build in ") + VORN_COMPILER + " at " + __DATE__ + " " + __TIME__ + "\n",
              1);
    WriteLine(rule, 1);
}

void CLogListenerForFile::OnLogLine(const std::string& text, int level) {
    if (level >= 0 && level < myMinimumLevel) return;
    WriteLine(text, level);
}

void CLogListenerForFile::WriteLine(const std::string& text, int level) {
    if (mySummary && level >= 2) myCollected.push_back(text);
    if (level == -2) ++myDepth;
    if (level == -1) --myDepth;
    if (myDepth < 0) myDepth = 0;
    if (text.empty()) return;

    std::FILE* file = std::fopen(myFileName.c_str(), "a");
    if (!file) return;
    std::string line = LogLevelMarker(level);
    for (int i = 0; i < myDepth; ++i)
        line += INDENT_UNIT;
    line += text;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

}  // namespace vorn
