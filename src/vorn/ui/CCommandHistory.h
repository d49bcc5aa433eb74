#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorn::ui {

// The lines typed into the developer console, oldest first, with a position
// for stepping through them: 0 is the line being edited, 1 the newest entry,
// 2 the one before, and so on.
//
// With a file name the history survives a restart: it is read at
// construction and written after every change, to a temporary file that then
// replaces the old one, so a crash leaves either the old or the new history,
// never half of one. One entry per line, in UTF-8 (a byte-order mark at the
// start is skipped); unreadable, empty or overlong lines are skipped, and only
// the newest MAX_ENTRIES are kept.
class CCommandHistory {
public:
    static constexpr size_t MAX_ENTRIES = 200;
    static constexpr size_t MAX_LINE_LENGTH = 4096;
    // More of a history file than this is not read.
    static constexpr size_t MAX_FILE_BYTES = 1 << 20;

    // An empty file name keeps the history in memory only.
    explicit CCommandHistory(const std::string& fileName = "");

    // Appends line (line breaks become blanks; empty lines are not kept) and
    // steps back to the edit line.
    void Add(const std::string& line);
    // One step back, towards older entries. When on the edit line and it
    // holds text, that text is kept as the newest entry first, so it is not
    // lost. The text to show, or nothing when there is nothing older.
    std::optional<std::string> Back(const std::string& editLine);
    // One step forward; the edit line comes back empty. Nothing when already
    // on the edit line.
    std::optional<std::string> Forward();
    void ResetPosition() { myPosition = 0; }
    size_t GetPosition() const { return myPosition; }
    const std::vector<std::string>& GetEntries() const { return myEntries; }
    const std::string& GetFileName() const { return myFileName; }

    // Reads the file again (replacing the entries); false when it cannot be read.
    bool Load();
    // False (with a warning in the log) when the file could not be written.
    bool Save() const;

private:
    void Append(const std::string& line);

    std::string myFileName;
    std::vector<std::string> myEntries;
    size_t myPosition = 0;
};

}  // namespace vorn::ui
