#pragma once

#include <string>

namespace vorn {

// A path with "/" as separator (backslashes are turned into "/").
//   path text:  as given, normalised
//   base:       the directory relative paths start from ("" = working directory)
// Join, comparison and relative paths work on the normalised full path, in
// which "." components are dropped and "a/.." pairs cancel out.
class CPath {
public:
    static constexpr const char* SEPARATOR = "/";
    static constexpr const char* CURRENT = ".";
    static constexpr const char* PARENT = "..";

    CPath() = default;
    explicit CPath(const std::string& path, const std::string& base = "");
    virtual ~CPath() = default;

    // This path followed by other (an absolute other replaces it).
    virtual CPath operator+(const CPath& other) const;
    virtual bool operator<(const CPath& other) const { return GetFullPath() < other.GetFullPath(); }
    virtual bool operator==(const CPath& other) const {
        return GetFullPath() == other.GetFullPath();
    }
    virtual bool operator!=(const CPath& other) const { return !(*this == other); }
    // This path as seen from the base directory.
    virtual std::string GetRelativePath() const;
    // The base directory joined with the path, normalised.
    virtual std::string GetFullPath() const;
    // other's full path as seen from this path's base directory.
    virtual std::string GetRelativePathTo(const CPath& other) const;

    const std::string& GetPath() const { return myPath; }
    const std::string& GetBase() const { return myBase; }
    // The last component ("" for a path ending in "/").
    std::string GetFileName() const;
    // The path without its last component.
    std::string GetDirectory() const;

    static std::string Normalise(const std::string& path);
    static bool IsAbsolutePath(const std::string& text);
    // The absolute, canonical form of a file name as far as it exists: two
    // names of the same file give the same text.
    static std::string FileIdentity(const std::string& fileName);
    // other's path relative to directory from (both normalised, same root kind).
    static std::string MakeRelative(const std::string& from, const std::string& to);

private:
    std::string myPath;
    std::string myFullPath;
    std::string myBase;
};

// A path naming a file.
class CFileName : public CPath {
public:
    using CPath::CPath;
    // The extension without the dot ("" when none).
    std::string GetExtension() const;
};

}  // namespace vorn
