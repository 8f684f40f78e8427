#pragma once
// Builds HAC-3 archives. The engine only reads the format; content tools and the
// tests use this writer to produce archives the reader mounts.
//
// Layout written:
//   "HAC-3" 0x1A, two zero bytes, the file bodies one after another, the folder
//   tree (name text, sub-folder count, sub-folders, file count, file records),
//   then the u32 offset of that tree as the last four bytes.
// Within every folder the sub-folders and the files are each sorted in descending
// order of their ASCII-lower-cased names, which the reader's binary search needs.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hgl::hacpack
{
struct HacWriterFile
{
    std::u16string name;         // stored as given; the reader lower-cases it
    std::vector<uint8_t> data;   // the file's bytes as the reader returns them
    std::u16string method;       // "" = stored; otherwise a method name (<= 31 units)
    bool precompressed = false;  // true: `stored` already holds the method's output
    std::vector<uint8_t> stored; // bytes written into the archive when precompressed
};

struct HacWriterFolder
{
    std::u16string name;
    std::vector<HacWriterFolder> folders;
    std::vector<HacWriterFile> files;

    // Adds a file under a relative path ("a\\b\\c.txt" or "a/b/c.txt"), creating
    // the folders on the way. Returns the new file record.
    HacWriterFile &Add(const std::u16string &path, std::vector<uint8_t> data,
                       const std::u16string &method = u"");
    HacWriterFile &Add(const std::u16string &path, const std::string &text,
                       const std::u16string &method = u"");
    HacWriterFolder &Folder(const std::u16string &path); // finds or creates
};

// Compresses `in` with `method` into `out`; false leaves the file stored.
using HacCompressor = std::function<bool(const std::u16string &method, const std::vector<uint8_t> &in,
                                         std::vector<uint8_t> &out)>;

class HacWriter
{
  public:
    HacWriterFolder root;

    HacWriter() { root.name = u"root"; }

    void SetCompressor(HacCompressor c) { compressor = std::move(c); }

    // Serialises the tree. False with a message in `error` for duplicate names (after
    // lower-casing), method names over 31 units or an archive past 4 GiB.
    bool Build(std::vector<uint8_t> &out, std::string *error = nullptr) const;
    bool WriteFile(const std::string &path, std::string *error = nullptr) const;

    // Adds every file below a disk folder (recursively), names taken from the disk.
    bool AddDiskFolder(const std::string &folder, const std::u16string &method = u"",
                       std::string *error = nullptr);

  private:
    HacCompressor compressor;
};

std::u16string Utf8ToUtf16(const std::string &s);
std::string Utf16ToUtf8(const std::u16string &s);
std::u16string AsciiLower(std::u16string s);
} // namespace hgl::hacpack
