#include "TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

namespace {

// Tests run with SDL's dummy drivers, never on a real display or sound card.
struct DummyDrivers : ::testing::Environment {
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
};
[[maybe_unused]] ::testing::Environment* const dummyDrivers =
    ::testing::AddGlobalTestEnvironment(new DummyDrivers);

}  // namespace

CScopedTempDir::CScopedTempDir() : myPrevious(std::filesystem::current_path()) {
    std::random_device random;
    myPath = std::filesystem::temp_directory_path() /
             ("monsters_test_" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(myPath);
    std::filesystem::current_path(myPath);
}

CScopedTempDir::~CScopedTempDir() {
    std::error_code error;
    std::filesystem::current_path(myPrevious, error);
    std::filesystem::remove_all(myPath, error);
}

std::string CScopedTempDir::WriteFile(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = myPath / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunProgram(const std::string& program, const std::filesystem::path& folder,
               std::string* errorText, int timeoutSeconds, const std::string& environment) {
    const std::filesystem::path errors = folder / "test_stderr.txt";
    const std::string command = "cd '" + folder.string() + "' && SDL_VIDEODRIVER=dummy " +
                                "SDL_AUDIODRIVER=dummy " + environment + " timeout " +
                                std::to_string(timeoutSeconds) + " '" + program + "' 2> '" +
                                errors.string() + "' > /dev/null";
    const int status = std::system(command.c_str());
    if (errorText) *errorText = ReadFile(errors);
    std::filesystem::remove(errors);
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace testing_support
