#pragma once
// A fresh folder under the system temp folder for one test, removed with
// everything in it when the object goes away.
#include <cstdint>
#include <string>
#include <vector>

namespace hgl::test
{
class TempDir
{
    std::string path; // native UTF-8 path, no trailing '/'

  public:
    // prefix becomes part of the folder name, to tell test leftovers apart.
    explicit TempDir(const char *prefix = "hgl");
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    bool Valid() const { return !path.empty(); }

    // The folder itself, as a native path and as UTF-16 for engine calls.
    const std::string &Path() const { return path; }
    std::u16string Path16() const;

    // Native / UTF-16 path of a file or folder inside (name uses '/' or '\').
    std::string File(const std::string &name) const;
    std::u16string File16(const std::string &name) const;

    // Creates the file (and any missing folders before it) with these bytes.
    bool WriteFile(const std::string &name, const std::string &bytes) const;
    bool WriteFile(const std::string &name, const std::vector<uint8_t> &bytes) const;
    // Whole file as bytes; empty when it cannot be read.
    std::string ReadFile(const std::string &name) const;
    bool MakeDir(const std::string &name) const;
    bool Exists(const std::string &name) const;
    // Names directly inside the folder (or a sub-folder), sorted.
    std::vector<std::string> List(const std::string &sub = "") const;
};

// UTF-8 to UTF-16 for tests that build engine paths from native ones.
std::u16string ToU16(const std::string &utf8);
std::string ToU8(const std::u16string &utf16);
} // namespace hgl::test
