#include "vorn/utils/xml/Xml.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "vorn/console/CLog.h"
#include "vorn/utils/xml/CXmlHandler.h"
#include "vorn/utils/xml/CXmlParser.h"
#include "vorn/utils/xml/CXmlStreamHandler.h"

namespace vorn {

namespace {

// Runs a parse, reports a malformed input in one warning line and hands the
// tree over. parse returns false when there was no input at all.
template <class Parse>
std::unique_ptr<CXmlElement> BuildTree(const std::string& sourceName, Parse parse) {
    CXmlHandler handler;
    CXmlParser parser(&handler);
    if (!parse(parser))
        return nullptr;
    CXmlProblems problems;
    if (!handler.GetRootElement())
        problems.Note("no element found");
    problems.Merge(parser.GetProblems());
    problems.Merge(handler.GetProblems());
    problems.Log(sourceName);
    return handler.TakeRootElement();
}

bool SaveFailed(const std::string& fileName, const std::string& reason) {
    CLog::GetSingleton()->Error() << "[ERROR] Xml could not save the file: " << fileName << " ("
                                  << reason << "), the previous file is kept\n";
    return false;
}

}  // namespace

std::unique_ptr<CXmlElement> ParseXmlFile(const std::string& fileName) {
    return BuildTree(fileName, [&](CXmlParser& parser) { return parser.ParseFile(fileName); });
}

std::unique_ptr<CXmlElement> ParseXmlText(const std::string& text, const std::string& sourceName) {
    return BuildTree(sourceName, [&](CXmlParser& parser) {
        parser.ParseText(text);
        return true;
    });
}

std::string WriteXmlText(const CXmlElement& root) {
    std::ostringstream out;
    CXmlStreamHandler().Write(root, out);
    return out.str();
}

bool WriteXmlFile(const CXmlElement& root, const std::string& fileName) {
    namespace fs = std::filesystem;
    if (fileName.empty())
        return SaveFailed(fileName, "no file name");
    const fs::path target(fileName);
    std::error_code error;
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), error);
        if (error)
            return SaveFailed(fileName, "cannot create its folder: " + error.message());
    }

    // Write everything beside the target first: a crash or a full disk now
    // leaves the previous file as it was.
    const fs::path temporary(fileName + ".tmp");
    {
        std::ofstream out(temporary, std::ios::out | std::ios::binary | std::ios::trunc);
        if (!out.is_open())
            return SaveFailed(fileName, "cannot create " + temporary.string());
        const bool written = CXmlStreamHandler().Write(root, out);
        out.close();
        if (!written || out.fail()) {
            fs::remove(temporary, error);
            return SaveFailed(fileName, "writing " + temporary.string() + " failed");
        }
    }
    fs::rename(temporary, target, error);
    if (error) {
        const std::string reason = "cannot replace it: " + error.message();
        fs::remove(temporary, error);
        return SaveFailed(fileName, reason);
    }
    return true;
}

}  // namespace vorn
