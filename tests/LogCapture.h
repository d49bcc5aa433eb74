#pragma once

#include <string>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/console/ILogListener.h"

namespace testing_support {

// Collects the log lines (levels 0 and up) written while it lives.
class CLogCapture : public vorn::ILogListener {
public:
    CLogCapture() { vorn::CLog::GetSingleton()->AddListener(this); }
    ~CLogCapture() override { vorn::CLog::GetSingleton()->RemoveListener(this); }
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    void OnLogLine(const std::string& text, int level) override {
        if (level >= 0) myLines.push_back({text, level});
    }
    // Lines of that level (any level for -1) holding text.
    int Count(int level, const std::string& text = "") const {
        int count = 0;
        for (const Line& line : myLines)
            count +=
                (level < 0 || line.level == level) && line.text.find(text) != std::string::npos;
        return count;
    }
    int Count(const std::string& text, int level = -1) const { return Count(level, text); }
    // Warning and error lines.
    int Count() const { return Warnings() + Errors(); }
    bool Has(const std::string& text, int level = -1) const { return Count(level, text) > 0; }
    int Lines() const { return Count(-1); }
    int Warnings() const { return Count(vorn::CLog::LEVEL_WARNING); }
    int Errors() const { return Count(vorn::CLog::LEVEL_ERROR); }
    std::string All() const {
        std::string all;
        for (const Line& line : myLines)
            all += line.text;
        return all;
    }
    void Clear() { myLines.clear(); }

private:
    struct Line {
        std::string text;
        int level;
    };
    std::vector<Line> myLines;
};

}  // namespace testing_support
