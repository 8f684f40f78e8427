#pragma once
// Tokens of the script language, the one-token recogniser and the token reader
// that the declaration parser and the script compiler read through.
#include "core/Types.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace angle_script
{
// Token ids. The values are fixed: binding tables, script values and one compiler
// message store or print them, and they double as the script's type codes.
enum eTokenType : int
{
    ttUnrecognizedToken = 0,
    ttEnd = 1,
    ttWhiteSpace = 2,
    ttOnelineComment = 3,
    ttMultilineComment = 4,
    ttIdentifier = 5,
    ttIntConstant = 6, // also a character constant in single quotes
    ttFloatConstant = 7,
    ttDoubleConstant = 8,
    ttStringConstant = 9,
    ttHeredocStringConstant = 10,
    ttNonTerminatedStringConstant = 11,
    ttBitsConstant = 12, // hexadecimal

    ttPlus = 13,                // +
    ttMinus = 14,               // -
    ttStar = 15,                // *
    ttSlash = 16,               // /
    ttPercent = 17,             // %
    ttHandle = 18,              // @
    ttAddAssign = 19,           // +=
    ttSubAssign = 20,           // -=
    ttMulAssign = 21,           // *=
    ttDivAssign = 22,           // /=
    ttModAssign = 23,           // %=
    ttOrAssign = 24,            // |=
    ttAndAssign = 25,           // &=
    ttXorAssign = 26,           // ^=
    ttShiftLeftAssign = 27,     // <<=
    ttShiftRightLAssign = 28,   // >>=
    ttShiftRightAAssign = 29,   // >>>=
    ttInc = 30,                 // ++
    ttDec = 31,                 // --
    ttDot = 32,                 // .
    ttAssignment = 33,          // =
    ttEndStatement = 34,        // ;
    ttListSeparator = 35,       // ,
    ttStartStatementBlock = 36, // {
    ttEndStatementBlock = 37,   // }
    ttOpenParanthesis = 38,     // (
    ttCloseParanthesis = 39,    // )
    ttOpenBracket = 40,         // [
    ttCloseBracket = 41,        // ]
    ttAmp = 42,                 // &
    ttBitOr = 43,               // |
    ttBitNot = 44,              // ~
    ttBitXor = 45,              // ^
    ttBitShiftLeft = 46,        // <<
    ttBitShiftRight = 47,       // >>
    ttBitShiftRightArith = 48,  // >>>
    ttEqual = 49,               // ==
    ttNotEqual = 50,            // !=
    ttLessThan = 51,            // <
    ttGreaterThan = 52,         // >
    ttLessThanOrEqual = 53,     // <=
    ttGreaterThanOrEqual = 54,  // >=
    ttQuestion = 55,            // ?
    ttColon = 56,               // :
    ttIf = 57,
    ttElse = 58,
    ttFor = 59,
    ttWhile = 60,
    ttBool = 61,
    ttImport = 62,
    ttGoto = 63, // goto, GOTO
    ttEnum = 64,
    ttFunc = 65,
    ttString = 66,
    ttInt = 67, // int, int32
    ttInt32 = ttInt,
    ttInt8 = 68,
    ttInt16 = 69,
    ttInt64 = 70,
    ttInterface = 71,
    ttUInt = 72, // uint, uint32
    ttUInt32 = ttUInt,
    ttUInt8 = 73,
    ttUInt16 = 74,
    ttUInt64 = 75,
    ttFloat = 76,
    ttVoid = 77,
    ttTrue = 78,
    ttFalse = 79,
    ttReturn = 80,
    ttNot = 81, // !, not
    ttAnd = 82, // &&, and
    ttOr = 83,  // ||, or
    ttXor = 84, // ^^, xor
    ttBreak = 85,
    ttContinue = 86,
    ttConst = 87,
    ttDo = 88,
    ttDouble = 89,
    ttSwitch = 90,
    ttCase = 91, // case, CASE
    ttDefault = 92,
    ttIn = 93,
    ttOut = 94,
    ttInOut = 95,
    ttNull = 96,
    ttClass = 97,
    ttCast = 98,
};

// One entry of the keyword table: NUL-terminated text and its token id.
struct sTokenWord
{
    const hgl::u16char *word;
    eTokenType tokenType;
};

constexpr int numTokenWords = 94;

// The keyword table in its fixed order (the reverse lookup takes the first entry of an id).
extern const sTokenWord tokenWords[numTokenWords];

// True for the twelve type keywords a variable or a native binding can name
// (bool, string, int, int8, int16, int64, uint, uint8, uint16, uint64, float, double).
bool IsTypeToken(int tokenType);

// Recognises one token at the start of a stretch of text; keeps no position.
class asCTokenizer
{
  public:
    asCTokenizer() = default;

    // Type of the token at the start of source; its length (1..sourceLength) goes to
    // tokenLength. sourceLength must be at least 1.
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, hgl::uint32 *tokenLength);
    // The same with the length handed back in a wider or a signed integer.
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, hgl::uint64 *tokenLength);
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, int *tokenLength);
    // Only the type wanted.
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, std::nullptr_t)
    {
        return GetToken(source, sourceLength, static_cast<hgl::uint32 *>(nullptr));
    }
    // The length handed back through a reference.
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, hgl::uint32 &tokenLength)
    {
        return GetToken(source, sourceLength, &tokenLength);
    }
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, hgl::uint64 &tokenLength)
    {
        return GetToken(source, sourceLength, &tokenLength);
    }
    eTokenType GetToken(const hgl::u16char *source, hgl::uint32 sourceLength, int &tokenLength)
    {
        return GetToken(source, sourceLength, &tokenLength);
    }

    // Text of the first keyword-table entry with that id; null for ids without one (0-12).
    static const hgl::u16char *GetDefinition(int tokenType);

  private:
    void ParseToken();
    bool IsWhiteSpace();
    bool IsComment();
    bool IsConstant();
    bool IsIdentifier();
    bool IsKeyWord();

    const hgl::u16char *source = nullptr;
    hgl::uint32 sourceLength = 0;
    eTokenType tokenType = ttUnrecognizedToken;
    hgl::uint32 tokenLength = 0;
};

} // namespace angle_script

namespace hgl
{
class DevilEngine;
class DevilVM;
class String;

// The engine behind an engine interface (null when there is none).
DevilEngine *DevilEngineOf(DevilVM *vm);

// Walks a text from start to end handing out the significant tokens (white space and
// comments are passed over). Works on the caller's text in place: the text must
// outlive the reader, and the token views handed out point into it.
class DevilParse
{
  public:
    // length -1: the text is NUL-terminated and is measured; any other negative length reads as empty.
    DevilParse(DevilEngine *engine, const u16char *text, int length = -1);
    DevilParse(DevilEngine *engine, std::u16string_view text);

    // The same for an engine held through its interface (DevilVM *).
    template <class E>
    requires(!std::is_same_v<E, DevilEngine>) && std::is_base_of_v<DevilVM, E> DevilParse(E *vm,
                                                                                          const u16char *text,
                                                                                          int length = -1)
        : DevilParse(DevilEngineOf(vm), text, length)
    {
    }
    template <class E>
    requires(!std::is_same_v<E, DevilEngine>) && std::is_base_of_v<DevilVM, E> DevilParse(
                                                     E *vm, std::u16string_view text)
        : DevilParse(DevilEngineOf(vm), text)
    {
    }

    DevilEngine *GetEngine() const { return engine; }

    // Type of the next significant token, out = its characters as written (quotes
    // included). At the end of the text, or at an unrecognised character (which is
    // consumed), returns ttEnd and leaves out as it was.
    angle_script::eTokenType GetToken(std::u16string_view &out);
    angle_script::eTokenType GetToken(std::u16string &out);
    angle_script::eTokenType GetToken(String &out);

    // As GetToken, but the position is restored afterwards.
    angle_script::eTokenType PeekToken(std::u16string_view &out);
    angle_script::eTokenType PeekToken(std::u16string &out);
    angle_script::eTokenType PeekToken(String &out);

    // Reads tokens up to and including the first of the given type (out holds it);
    // false when the end came first.
    bool SkipTo(int tokenType, std::u16string_view &out);
    bool SkipTo(int tokenType, std::u16string &out);
    bool SkipTo(int tokenType, String &out);
    bool SkipTo(int tokenType);

    const u16char *GetSource() const { return source; } // start of the text
    uint32 GetPosition() const { return uint32(cur - source); }
    uint32 GetCharsLeft() const { return left; }

    // Type of the token the last GetToken or SkipTo returned (peeking leaves it);
    // ttEnd before the first read.
    angle_script::eTokenType GetLastType() const { return last_type; }

    // Nesting of the conditions being compiled through this reader; the compiler
    // refuses to go deeper than it can recurse safely.
    int GetIfDepth() const { return if_depth; }
    void EnterIf() { ++if_depth; }
    void LeaveIf() { --if_depth; }

  private:
    angle_script::eTokenType ReadToken(std::u16string_view &out);

    DevilEngine *engine;
    const u16char *source;
    const u16char *cur;
    uint32 left;
    angle_script::asCTokenizer tokenizer;
    angle_script::eTokenType last_type = angle_script::ttEnd;
    int if_depth = 0;
};

// The value of the inside of a quoted string constant: \t \n \r \" \\ \' are
// replaced, any other backslash pair stays as both characters, a trailing
// backslash stays. No numeric escapes.
void UnescapeString(std::u16string &out, const u16char *text, int length);
void UnescapeString(String &out, const u16char *text, int length);

} // namespace hgl
