#pragma once
// Folder listings and the file-name patterns of the content's platform.
#include <string>
#include <vector>

#include "core/Types.h"

namespace hgl::platform
{
struct DirEntry
{
    std::u16string name;
    bool is_folder = false;
    bool read_only = false;
    bool is_link = false; // a symbolic link (the other fields describe its target)
    uint64 size = 0;
};

// Lists a folder (engine path; empty = the current folder), without "." and "..",
// in sorted order. False when the folder cannot be read.
bool ReadFolder(const u16char *folder, std::vector<DirEntry> &out);

// The names in a folder (native path), without "." and "..", sorted bytewise.
// False when the folder cannot be opened.
bool ReadFolderNames(const std::string &native_folder, std::vector<std::string> &names);

// '*' any run, '?' one unit, ASCII case ignored. "*.*" matches every name,
// those without a dot included.
bool MatchPattern(const u16char *pattern, const u16char *name);
inline bool HasWildcard(const std::u16string &s)
{
    return s.find_first_of(u"*?") != std::u16string::npos;
}
} // namespace hgl::platform
