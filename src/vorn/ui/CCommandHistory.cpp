#include "vorn/ui/CCommandHistory.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "vorn/console/CLog.h"
#include "vorn/utils/string/Utf8.h"

namespace vorn::ui {

namespace {

// One line as an entry: breaks become blanks, the length is bounded.
std::string Clean(const std::string& line) {
    std::string clean = utf8::Truncate(line, CCommandHistory::MAX_LINE_LENGTH);
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    return clean;
}

}  // namespace

CCommandHistory::CCommandHistory(const std::string& fileName) : myFileName(fileName) {
    if (!myFileName.empty()) Load();
}

void CCommandHistory::Append(const std::string& line) {
    const std::string clean = Clean(line);
    if (clean.empty()) return;
    myEntries.push_back(clean);
    if (myEntries.size() > MAX_ENTRIES)
        myEntries.erase(myEntries.begin(), myEntries.end() - MAX_ENTRIES);
}

void CCommandHistory::Add(const std::string& line) {
    Append(line);
    myPosition = 0;
    Save();
}

std::optional<std::string> CCommandHistory::Back(const std::string& editLine) {
    if (myPosition == 0 && !Clean(editLine).empty()) {
        // Keep the unsent line; the step then goes past it.
        if (myEntries.empty() || myEntries.back() != Clean(editLine)) {
            Append(editLine);
            Save();
        }
        myPosition = 1;
    }
    if (myEntries.empty()) return std::nullopt;
    myPosition = std::min(myPosition + 1, myEntries.size());
    return myEntries[myEntries.size() - myPosition];
}

std::optional<std::string> CCommandHistory::Forward() {
    if (myPosition == 0) return std::nullopt;
    myPosition = std::min(myPosition - 1, myEntries.size());
    if (myPosition == 0) return std::string();
    return myEntries[myEntries.size() - myPosition];
}

bool CCommandHistory::Load() {
    if (myFileName.empty()) return false;
    std::ifstream in(myFileName, std::ios::binary);
    if (!in) return false;
    std::string data(MAX_FILE_BYTES, '\0');
    in.read(&data[0], std::streamsize(data.size()));
    data.resize(size_t(in.gcount()));
    myEntries.clear();
    myPosition = 0;
    // Editors may start a UTF-8 file with a byte-order mark.
    size_t start = data.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A line with a NUL byte is no typed line: the file is damaged there.
        if (line.size() <= MAX_LINE_LENGTH && line.find('\0') == std::string::npos) Append(line);
        start = end + 1;
    }
    return true;
}

bool CCommandHistory::Save() const {
    if (myFileName.empty()) return true;
    const std::string temporary = myFileName + ".tmp";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& entry : myEntries)
            out << entry << '\n';
        out.flush();
        written = bool(out);
    }
    std::error_code error;
    if (written) std::filesystem::rename(temporary, myFileName, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        CLog::GetSingleton()->Printf("[WARNING] The console history could not be saved to %s\n",
                                     myFileName.c_str());
        return false;
    }
    return true;
}

}  // namespace vorn::ui
