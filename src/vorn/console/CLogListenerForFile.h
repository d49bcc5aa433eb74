#pragma once

#include <string>
#include <vector>

#include "vorn/console/ILogListener.h"

namespace vorn {

// Appends log lines to a file, each behind its level marker and indentation.
// The file is opened and closed for every line so that the log survives a
// crash. The first writer of a file name in a process truncates the file and
// writes the header; later writers of the same name append.
class CLogListenerForFile : public ILogListener {
public:
    CLogListenerForFile(const std::string& fileName, const std::string& banner,
                        bool summary = false);
    ~CLogListenerForFile() override;

    // Lines of level 0 .. minimum-1 are dropped; negative levels always pass.
    void SetMinimumLevel(int level) { myMinimumLevel = level; }
    int GetMinimumLevel() const { return myMinimumLevel; }
    const std::string& GetFileName() const { return myFileName; }

    void OnLogLine(const std::string& text, int level) override;

private:
    void WriteHeader();
    void WriteLine(const std::string& text, int level);

    int myMinimumLevel = 1;
    std::string myFileName;
    std::string myBanner;
    bool mySummary;
    int myDepth = 0;
    std::vector<std::string> myCollected;
};

// Marker written in front of a line of the given level ("" outside the table).
const char* LogLevelMarker(int level);

}  // namespace vorn
