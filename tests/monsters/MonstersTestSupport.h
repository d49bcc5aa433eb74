#pragma once

#include <string>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/console/ILogListener.h"

namespace monsters_test {

// Collects the log lines written while it lives.
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
        for (const auto& line : myLines)
            count +=
                (level < 0 || line.level == level) && line.text.find(text) != std::string::npos;
        return count;
    }
    int Lines() const { return Count(-1); }
    int Warnings() const { return Count(vorn::CLog::LEVEL_WARNING); }
    int Errors() const { return Count(vorn::CLog::LEVEL_ERROR); }
    std::string All() const {
        std::string all;
        for (const auto& line : myLines)
            all += line.text;
        return all;
    }

private:
    struct Line {
        std::string text;
        int level;
    };
    std::vector<Line> myLines;
};

// A hand-written sample of tests/data/monsters/.
inline std::string SampleFile(const std::string& name) {
    return std::string(MONSTERS_SOURCE_DIR) + "/tests/data/monsters/" + name;
}

// Bytes that are not XML, the same on every run.
inline std::string Garbage(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

}  // namespace monsters_test
