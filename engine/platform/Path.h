#pragma once
// The boundary between the engine's paths and the operating system's.
//
// The engine keeps UTF-16 paths with '\' (content names such as
// "MessageBox\DlgFrame.TEX", "\Save\"); the system wants UTF-8 with '/'. The
// content was made on a file system that ignores case, so a path that does not
// exist as spelled is looked up again component by component, ignoring ASCII
// case. Setting HGL_CASE_SENSITIVE=1 turns the second look-up off.
#include <string>

#include "core/Types.h"

namespace hgl::platform
{
// UTF-16 to UTF-8 (len -1: up to the terminator). Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const u16char *text, int len = -1);
// UTF-8 to UTF-16. Malformed or truncated sequences become U+FFFD.
std::u16string Utf8ToUtf16(const char *text, size_t len);
inline std::u16string Utf8ToUtf16(const std::string &text)
{
    return Utf8ToUtf16(text.data(), text.size());
}

// An engine path as the system spells it: UTF-8, every '\' turned into '/'.
// No case resolution (see ResolvePath).
std::string ToNativePath(const u16char *path, int len = -1);

// The native path to use for an engine path: each component that does not exist
// as spelled is replaced by the entry of its folder that equals it ignoring ASCII
// case (the first in sorted order when several do). Components past the first
// one that exists in no spelling keep the caller's spelling, so a path to be
// created lands in the existing folders and never beside a differently-cased twin.
std::string ResolvePath(const std::string &native);
inline std::string ResolvePath(const u16char *path)
{
    return ResolvePath(ToNativePath(path));
}

// The folder part and the last component of a native path ("a/b/c" -> "a/b", "c";
// "c" -> "", "c"; "/c" -> "/", "c"). Trailing '/' are ignored.
void SplitNativePath(const std::string &native, std::string &folder, std::string &name);

// Forget the cached listing of one folder (after something was created, deleted
// or moved in it), or of every folder.
void ForgetFolder(const std::string &native_folder);
void ForgetAllFolders();

// True when HGL_CASE_SENSITIVE=1 was set when the resolver was first used.
bool CaseSensitivePaths();

// ASCII-only case folding, the rule of the content's file names.
inline char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
inline u16char FoldAscii(u16char c)
{
    return (c >= u'A' && c <= u'Z') ? u16char(c - u'A' + u'a') : c;
}
} // namespace hgl::platform
