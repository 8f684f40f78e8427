#pragma once
// printf-style formatting into UTF-16 text, with the Windows wide-character
// conventions the engine's format strings were written for:
//   %s %ls %ws  UTF-16 text (const u16char *), a null pointer prints "(null)"
//   %S %hs      8-bit text (const char *) in the ANSI code page
//   %c %lc      one UTF-16 unit (passed as int);  %C %hc  one 8-bit char
//   %d %i %u %x %X %o %p %%, %f %F %e %E %g %G %a %A
//   flags - + space 0 #, width, precision, '*' for either
//   size prefixes h hh l ll q L I I32 I64 z j t
// %n is accepted but never writes anything. An unknown conversion is copied out
// as it stands and consumes no argument.
#include "core/Types.h"
#include <cstdarg>
#include <string>

namespace hgl
{
// Where the formatter takes its arguments from. The va_list form is the usual
// one; another source (tests, fuzzing) can supply values without a real
// variadic call.
class FormatArgs
{
  public:
    virtual ~FormatArgs() = default;
    virtual long long GetInt(int size) = 0; // size: 1, 2, 4 or 8 bytes
    virtual unsigned long long GetUInt(int size) = 0;
    virtual double GetDouble() = 0;
    virtual long double GetLongDouble() = 0;
    virtual const void *GetPointer() = 0; // %s %S %p %n
};

// Formats into buf, which holds size units: at most size - 1 units of text and
// a terminator are written (nothing when buf is null or size < 1). Returns the
// length of the whole formatted text without terminator, which is larger than
// size - 1 when the text was cut.
int VSPrintf(u16char *buf, int size, const u16char *format, va_list args);
int SPrintfN(u16char *buf, int size, const u16char *format, ...);
int FormatInto(u16char *buf, int size, const u16char *format, FormatArgs &args);

// Formats the whole text, however long it is.
std::u16string VFormat(const u16char *format, va_list args);
std::u16string Format(const u16char *format, ...);
std::u16string FormatWith(const u16char *format, FormatArgs &args);
} // namespace hgl
