#pragma once
// Windows code pages on top of iconv. Code pages are named by their Windows
// numbers (936 = GBK, 65001 = UTF-8, 1252 = Western, ...). Code page 0 is the
// process-wide "ANSI" code page: 936 unless set otherwise (SetAnsiCodePage, or
// the environment variable HGL_ANSI_CODEPAGE read on first use).
//
// Conversions behave like Windows without flags: bad input never makes them
// fail. An invalid or cut multi-byte sequence gives one substitute unit ('?'
// for the legacy code pages, U+FFFD for UTF-8) and conversion goes on; a UTF-16
// unit the target cannot show becomes '?'. A length of -1 means "up to the
// terminator", and in the counted (buffer) forms the terminator is converted
// and counted too, as Windows does.
#include "core/Types.h"
#include <string>

namespace hgl
{
// The code page that code page 0 stands for. Setting 0 or an unknown code page
// is refused (false) and changes nothing.
bool SetAnsiCodePage(uint codePage);
uint GetAnsiCodePage();

namespace platform
{
constexpr uint CodePageAnsi = 0;
constexpr uint CodePageGBK = 936;
constexpr uint CodePageUTF16LE = 1200;
constexpr uint CodePageUTF8 = 65001;

struct CodePageInfo
{
    int maxCharSize;     // longest character in bytes (1 for single-byte pages)
    char defaultChar[2]; // what unmappable characters become ("?")
};

// The code page that 0 resolves to, others unchanged.
uint ResolveCodePage(uint codePage);

// iconv name of a code page, null when the code page is unknown.
const char *CodePageCharset(uint codePage);

// True when the code page is known and can be converted from and to UTF-16.
// Code page 0 is not a real code page and gives false (callers use it untested).
bool IsValidCodePage(uint codePage);

// Information about a valid code page (code page 0: the ANSI code page).
bool GetCodePageInfo(uint codePage, CodePageInfo &info);

// Buffer forms with Windows conventions. srcLen -1: up to and including the
// terminator. With dst null (or dstSize 0) returns the number of units/bytes the
// conversion produces; otherwise converts into dst and returns the count
// written, or 0 when dst is too small (nothing useful is left in it then).
// 0 also for an unknown code page, a null source or srcLen 0.
int MultiByteToUTF16(uint codePage, const char *src, int srcLen, u16char *dst, int dstSize);
int UTF16ToMultiByte(uint codePage, const u16char *src, int srcLen, char *dst, int dstSize);

// String forms: out receives the converted text (terminator not included, even
// for srcLen -1). False (out cleared) for an unknown code page or a null source.
bool MultiByteToUTF16(uint codePage, const char *src, int srcLen, std::u16string &out);
bool UTF16ToMultiByte(uint codePage, const u16char *src, int srcLen, std::string &out);

// UTF-8 <-> UTF-16 shorthands (paths, the console, file names on Linux).
std::u16string UTF8ToUTF16(const std::string &text);
std::u16string UTF8ToUTF16(const char *text, int len = -1);
std::string UTF16ToUTF8(const std::u16string &text);
std::string UTF16ToUTF8(const u16char *text, int len = -1);
} // namespace platform
} // namespace hgl
