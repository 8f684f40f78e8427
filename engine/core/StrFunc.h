#pragma once
// Null-safe functions on terminated UTF-16 texts, and conversions between text
// and numbers. A null text counts as empty wherever that makes sense; nothing
// throws and nothing allocates except CreateCopy.
//
// The classic forms (StrCpy, StrCat, StrAppendChar, the case-changing copies,
// SPrintf) trust the caller's buffer to be large enough. New code should use the
// bounded forms, which take the buffer's capacity in units (terminator included),
// never write past it and always terminate.
#include "core/Types.h"

namespace hgl
{
// ---- length, copy, append

int StrLen(const u16char *text);
void StrCpy(u16char *dst, const u16char *src);
// Copies at most n units and a terminator (dst holds n + 1 units).
void StrNCpy(u16char *dst, const u16char *src, int n);
void StrAppendChar(u16char *dst, u16char ch);
void StrCat(u16char *dst, const u16char *src);
// A new array (free with delete[]) of length + 1 units holding the first length
// units and a terminator; length -1: the whole text. Null for a null text or
// length 0.
u16char *CreateCopy(const u16char *text, int length = -1);

// Bounded forms: capacity is the size of dst in units. They return the length of
// the text in dst afterwards; a text that did not fit is cut (compare with the
// expected length to notice). Nothing is written when dst is null or capacity < 1.
int StrCpy(u16char *dst, int capacity, const u16char *src);
int StrCat(u16char *dst, int capacity, const u16char *src);
int StrAppendChar(u16char *dst, int capacity, u16char ch);

// ---- search and counting

// Like the C library's strchr, the searches take a constant text and hand back
// a plain pointer into it, so callers searching their own buffers can write
// through the result; do not write into a text that is really constant.
u16char *StrChr(const u16char *text, u16char ch);
// As StrChr, looking at no more than the first n units (stops at the terminator).
u16char *StrChrN(const u16char *text, u16char ch, int n);
u16char *StrRChr(const u16char *text, u16char ch);
int StatChar(const u16char *text, u16char ch);

// ---- comparison: differences of units as unsigned 16-bit values (code-unit order)

// Both null: 0; only a null: -1; only b null: 1.
int StrCmp(const u16char *a, const u16char *b);
// Compares units 0 .. n-2 while equal and returns a[i] - b[i] where it stopped
// (position n - 1 when all were equal). Stops early, with 0, when both texts end.
// n < 1: 0.
int StrNCmp(const u16char *a, const u16char *b, int n);

// ---- case change (ASCII letters only) and replacement

u16char *UpperCase(u16char *text);
u16char *LowerCase(u16char *text);
void UpperCase(const u16char *src, u16char *dst);
void LowerCase(const u16char *src, u16char *dst);
int UpperCase(const u16char *src, u16char *dst, int capacity);
int LowerCase(const u16char *src, u16char *dst, int capacity);
u16char *ReplaceChar(u16char *text, u16char from, u16char to);

// ---- formatting (see core/Format.h for the conversions)

// Unbounded, as the classic runtime call: buffer must hold the whole result.
// Null buffer: 0. Returns the number of units written.
int SPrintf(u16char *buffer, const u16char *format, ...);
// Bounded: SPrintfN (buffer, capacity, format, ...) in core/Format.h.

// ---- text to number: stop at the first unit that is not part of the number;
// no sign '+', no spaces, no exponent, no hexadecimal; null gives 0.

int ParseInt(const u16char *text); // 32-bit wrap on overflow
unsigned int ParseUInt(const u16char *text);
float ParseFloat(const u16char *text);   // accumulated step by step in float
double ParseDouble(const u16char *text); // ... in double
int StrToInt(const u16char *text);
unsigned int StrToUInt(const u16char *text);
float StrToFloat(const u16char *text);
double StrToDouble(const u16char *text);
bool StrToBool(const u16char *text); // first unit 'T' or 't'

// ---- number to text: at most size units (sign included) and a terminator, so
// buffer holds size + 1 units; a number too long keeps its leading digits.
// Null buffer or size < 1: null, nothing written.

u16char *Int64ToStr(u16char *buffer, int size, int64 value);
u16char *UInt64ToStr(u16char *buffer, int size, uint64 value);
} // namespace hgl
