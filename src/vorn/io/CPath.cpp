#include "vorn/io/CPath.h"

#include <cctype>
#include <filesystem>
#include <vector>

#include "vorn/utils/string/StringUtils.h"

namespace vorn {

namespace {

// Splits a normalised path into its root ("/", "c:/" or "") and components,
// resolving "." and "x/..". Leading ".." of a relative path stay.
void Decompose(const std::string& path, std::string& root, std::vector<std::string>& parts) {
    std::string text = ReplaceAll(path, "\\", "/");
    root.clear();
    if (!text.empty() && text[0] == '/') {
        root = "/";
    } else if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) &&
               text[1] == ':') {
        root = text.substr(0, 2) + "/";
    }
    parts.clear();
    const size_t skip = root.empty() ? 0 : (root == "/" ? 1 : 2);
    for (const std::string& part : Split(text.substr(skip), "/")) {
        if (part == CPath::CURRENT) continue;
        if (part == CPath::PARENT && !parts.empty() && parts.back() != CPath::PARENT) {
            parts.pop_back();
            continue;
        }
        // ".." above the root of an absolute path stays at the root.
        if (part == CPath::PARENT && !root.empty()) continue;
        parts.push_back(part);
    }
}

std::string Compose(const std::string& root, const std::vector<std::string>& parts) {
    std::string result = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) result += "/";
        result += parts[i];
    }
    return result;
}

}  // namespace

CPath::CPath(const std::string& path, const std::string& base)
    : myPath(ReplaceAll(path, "\\", "/")), myBase(ReplaceAll(base, "\\", "/")) {
    if (IsAbsolutePath(myPath) || myBase.empty()) {
        myFullPath = Normalise(myPath);
    } else {
        myFullPath = Normalise(myBase + "/" + myPath);
    }
}

std::string CPath::Normalise(const std::string& path) {
    std::string root;
    std::vector<std::string> parts;
    Decompose(Trim(path), root, parts);
    std::string result = Compose(root, parts);
    if (result.empty()) return CURRENT;
    return result;
}

bool CPath::IsAbsolutePath(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) return false;
    if (trimmed[0] == '/' || trimmed[0] == '\\') return true;
    return trimmed.size() >= 2 && std::isalpha(static_cast<unsigned char>(trimmed[0])) &&
           trimmed[1] == ':';
}

CPath CPath::operator+(const CPath& other) const {
    if (IsAbsolutePath(other.myPath)) return CPath(other.myPath, myBase);
    if (myPath.empty()) return CPath(other.myPath, myBase);
    return CPath(myPath + "/" + other.myPath, myBase);
}

std::string CPath::GetFullPath() const {
    return myFullPath;
}

std::string CPath::GetRelativePath() const {
    if (myBase.empty()) return Normalise(myPath);
    return MakeRelative(Normalise(myBase), myFullPath);
}

std::string CPath::GetRelativePathTo(const CPath& other) const {
    return MakeRelative(myBase.empty() ? std::string(CURRENT) : Normalise(myBase),
                        other.GetFullPath());
}

std::string CPath::FileIdentity(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
    if (error) return fileName;
    const std::string identity = std::filesystem::weakly_canonical(absolute, error).string();
    return error ? absolute.string() : identity;
}

std::string CPath::MakeRelative(const std::string& from, const std::string& to) {
    std::string fromRoot, toRoot;
    std::vector<std::string> fromParts, toParts;
    Decompose(from, fromRoot, fromParts);
    Decompose(to, toRoot, toParts);
    // Different roots have no relative way between them.
    if (ToLower(fromRoot) != ToLower(toRoot)) return Normalise(to);
    size_t common = 0;
    while (common < fromParts.size() && common < toParts.size() &&
           fromParts[common] == toParts[common])
        ++common;
    std::vector<std::string> parts;
    for (size_t i = common; i < fromParts.size(); ++i)
        parts.push_back(PARENT);
    for (size_t i = common; i < toParts.size(); ++i)
        parts.push_back(toParts[i]);
    if (parts.empty()) return CURRENT;
    return Compose("", parts);
}

std::string CPath::GetFileName() const {
    const size_t slash = myFullPath.rfind('/');
    return slash == std::string::npos ? myFullPath : myFullPath.substr(slash + 1);
}

std::string CPath::GetDirectory() const {
    const size_t slash = myFullPath.rfind('/');
    if (slash == std::string::npos) return CURRENT;
    if (slash == 0) return SEPARATOR;
    return myFullPath.substr(0, slash);
}

std::string CFileName::GetExtension() const {
    const std::string name = GetFileName();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? "" : name.substr(dot + 1);
}

}  // namespace vorn
