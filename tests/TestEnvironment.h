#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh temporary folder made the working directory for the life of the
// object; the previous working directory is restored and the folder removed.
class CScopedTempDir {
public:
    CScopedTempDir();
    ~CScopedTempDir();
    const std::filesystem::path& Path() const { return myPath; }
    // Writes text to a file in the folder and returns its full path.
    std::string WriteFile(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path myPrevious;
    std::filesystem::path myPath;
};

// Whole content of a file ("" when missing).
std::string ReadFile(const std::filesystem::path& path);

// Runs a program with the given working directory and SDL's dummy drivers;
// returns its exit code (-1 when it could not run). Its standard error is
// captured into errorText. environment ("NAME=value ...") is set last.
int RunProgram(const std::string& program, const std::filesystem::path& folder,
               std::string* errorText = nullptr, int timeoutSeconds = 60,
               const std::string& environment = "");

}  // namespace testing_support
