#include "script/Tokenizer.h"

#include "core/String.h"
#include "script/DevilEngine.h"

#include <cstring>

namespace angle_script
{
using hgl::u16char;
using hgl::uint32;

constexpr sTokenWord tokenWords[numTokenWords] = {
    {u"+", ttPlus},
    {u"-", ttMinus},
    {u"*", ttStar},
    {u"/", ttSlash},
    {u"%", ttPercent},
    {u"=", ttAssignment},
    {u".", ttDot},
    {u"+=", ttAddAssign},
    {u"-=", ttSubAssign},
    {u"*=", ttMulAssign},
    {u"/=", ttDivAssign},
    {u"%=", ttModAssign},
    {u"|=", ttOrAssign},
    {u"&=", ttAndAssign},
    {u"^=", ttXorAssign},
    {u"<<=", ttShiftLeftAssign},
    {u">>=", ttShiftRightLAssign},
    {u">>>=", ttShiftRightAAssign},
    {u"|", ttBitOr},
    {u"~", ttBitNot},
    {u"^", ttBitXor},
    {u"<<", ttBitShiftLeft},
    {u">>", ttBitShiftRight},
    {u">>>", ttBitShiftRightArith},
    {u";", ttEndStatement},
    {u",", ttListSeparator},
    {u"{", ttStartStatementBlock},
    {u"}", ttEndStatementBlock},
    {u"(", ttOpenParanthesis},
    {u")", ttCloseParanthesis},
    {u"[", ttOpenBracket},
    {u"]", ttCloseBracket},
    {u"?", ttQuestion},
    {u":", ttColon},
    {u"==", ttEqual},
    {u"!=", ttNotEqual},
    {u"<", ttLessThan},
    {u">", ttGreaterThan},
    {u"<=", ttLessThanOrEqual},
    {u">=", ttGreaterThanOrEqual},
    {u"++", ttInc},
    {u"--", ttDec},
    {u"&", ttAmp},
    {u"!", ttNot},
    {u"||", ttOr},
    {u"&&", ttAnd},
    {u"^^", ttXor},
    {u"@", ttHandle},
    {u"and", ttAnd},
    {u"bool", ttBool},
    {u"break", ttBreak},
    {u"cast", ttCast},
    {u"const", ttConst},
    {u"continue", ttContinue},
    {u"do", ttDo},
    {u"double", ttDouble},
    {u"else", ttElse},
    {u"false", ttFalse},
    {u"float", ttFloat},
    {u"for", ttFor},
    {u"goto", ttGoto},
    {u"GOTO", ttGoto},
    {u"if", ttIf},
    {u"in", ttIn},
    {u"inout", ttInOut},
    {u"import", ttImport},
    {u"enum", ttEnum},
    {u"func", ttFunc},
    {u"string", ttString},
    {u"int", ttInt},
    {u"int8", ttInt8},
    {u"int16", ttInt16},
    {u"int32", ttInt},
    {u"int64", ttInt64},
    {u"interface", ttInterface},
    {u"not", ttNot},
    {u"null", ttNull},
    {u"or", ttOr},
    {u"out", ttOut},
    {u"return", ttReturn},
    {u"true", ttTrue},
    {u"void", ttVoid},
    {u"while", ttWhile},
    {u"uint", ttUInt},
    {u"uint8", ttUInt8},
    {u"uint16", ttUInt16},
    {u"uint32", ttUInt},
    {u"uint64", ttUInt64},
    {u"switch", ttSwitch},
    {u"class", ttClass},
    {u"case", ttCase},
    {u"CASE", ttCase},
    {u"default", ttDefault},
    {u"xor", ttXor},
};

namespace
{
constexpr uint32 kMaxKeywordLength = 9; // "interface"

// The keyword table regrouped by first character, built at compile time, so that
// a word or an operator is compared only with the few entries that could match.
// The result is the same as trying every entry.
struct KeywordIndex
{
    unsigned char lengths[numTokenWords] = {};
    // For each ASCII first character, the entries starting with it (table order kept).
    signed char first[128][16] = {};
    unsigned char count[128] = {};

    constexpr KeywordIndex()
    {
        for (int i = 0; i < numTokenWords; ++i)
        {
            const u16char *w = tokenWords[i].word;
            unsigned len = 0;
            while (w[len])
                ++len;
            lengths[i] = (unsigned char)len;
            const unsigned c = w[0];
            first[c][count[c]++] = (signed char)i;
        }
    }
};

constexpr KeywordIndex kIndex;

constexpr const KeywordIndex &Index()
{
    return kIndex;
}

inline bool IsWhite(u16char c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xFEFF;
}

inline bool IsDigit(u16char c)
{
    return c >= u'0' && c <= u'9';
}

inline bool IsHexDigit(u16char c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

inline bool IsIdentStart(u16char c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

inline bool IsIdentChar(u16char c)
{
    return IsIdentStart(c) || IsDigit(c);
}
} // namespace

bool IsTypeToken(int t)
{
    switch (t)
    {
    case ttBool:
    case ttString:
    case ttInt:
    case ttInt8:
    case ttInt16:
    case ttInt64:
    case ttUInt:
    case ttUInt8:
    case ttUInt16:
    case ttUInt64:
    case ttFloat:
    case ttDouble:
        return true;
    default:
        return false;
    }
}

const u16char *asCTokenizer::GetDefinition(int t)
{
    for (int i = 0; i < numTokenWords; ++i)
        if (tokenWords[i].tokenType == t) return tokenWords[i].word;
    return nullptr;
}

eTokenType asCTokenizer::GetToken(const u16char *src, uint32 srcLength, uint32 *outLength)
{
    source = src;
    sourceLength = srcLength;
    ParseToken();
    if (outLength) *outLength = tokenLength;
    return tokenType;
}

eTokenType asCTokenizer::GetToken(const u16char *src, uint32 srcLength, hgl::uint64 *outLength)
{
    uint32 n = 0;
    const eTokenType t = GetToken(src, srcLength, &n);
    if (outLength) *outLength = n;
    return t;
}

eTokenType asCTokenizer::GetToken(const u16char *src, uint32 srcLength, int *outLength)
{
    uint32 n = 0;
    const eTokenType t = GetToken(src, srcLength, &n);
    if (outLength) *outLength = int(n);
    return t;
}

void asCTokenizer::ParseToken()
{
    if (sourceLength == 0)
    { // not called so; answer sanely anyway
        tokenType = ttEnd;
        tokenLength = 0;
        return;
    }
    // The recognisers are tried in the order white space, comment, constant,
    // identifier, keyword; each accepts only text starting with certain characters,
    // so the first character picks the ones worth trying.
    const u16char c = source[0];
    if (IsWhite(c))
    {
        if (IsWhiteSpace()) return;
    }
    else if (c == u'/')
    {
        if (IsComment() || IsKeyWord()) return;
    }
    else if (IsDigit(c) || c == u'"' || c == u'\'')
    {
        if (IsConstant()) return;
    }
    else if (IsIdentStart(c))
    {
        if (IsIdentifier() || IsKeyWord()) return;
    }
    else if (IsKeyWord())
    {
        return;
    }

    tokenType = ttUnrecognizedToken;
    tokenLength = 1;
}

bool asCTokenizer::IsWhiteSpace()
{
    uint32 n = 0;
    while (n < sourceLength && IsWhite(source[n]))
        ++n;
    if (n == 0) return false;
    tokenType = ttWhiteSpace;
    tokenLength = n;
    return true;
}

bool asCTokenizer::IsComment()
{
    if (sourceLength < 2 || source[0] != u'/') return false;

    if (source[1] == u'/')
    {
        uint32 n = 2;
        while (n < sourceLength && source[n] != u'\n')
            ++n;
        if (n < sourceLength) ++n; // the line feed belongs to the comment
        tokenType = ttOnelineComment;
        tokenLength = n;
        return true;
    }

    if (source[1] == u'*')
    {
        uint32 n = 2;
        for (;;)
        {
            if (n + 1 >= sourceLength)
            { // not closed: runs to the end
                n = sourceLength;
                break;
            }
            if (source[n] == u'*' && source[n + 1] == u'/')
            {
                n += 2;
                break;
            }
            ++n;
        }
        tokenType = ttMultilineComment;
        tokenLength = n;
        return true;
    }

    return false;
}

bool asCTokenizer::IsConstant()
{
    const u16char c = source[0];

    if (IsDigit(c))
    {
        if (sourceLength >= 2 && (source[1] == u'x' || source[1] == u'X'))
        {
            uint32 n = 2;
            while (n < sourceLength && IsHexDigit(source[n]))
                ++n;
            tokenType = ttBitsConstant;
            tokenLength = n;
            return true;
        }

        uint32 n = 1;
        while (n < sourceLength && IsDigit(source[n]))
            ++n;

        if (n < sourceLength && source[n] == u'.')
        {
            ++n;
            while (n < sourceLength && IsDigit(source[n]))
                ++n;
            if (n < sourceLength && (source[n] == u'e' || source[n] == u'E'))
            {
                ++n;
                if (n < sourceLength && (source[n] == u'+' || source[n] == u'-')) ++n;
                while (n < sourceLength && IsDigit(source[n]))
                    ++n;
            }
            if (n < sourceLength && (source[n] == u'f' || source[n] == u'F'))
            {
                tokenType = ttFloatConstant;
                tokenLength = n + 1;
            }
            else
            {
                tokenType = ttDoubleConstant;
                tokenLength = n;
            }
            return true;
        }

        tokenType = ttIntConstant;
        tokenLength = n;
        return true;
    }

    if (c == u'"')
    {
        if (sourceLength >= 6 && source[1] == u'"' && source[2] == u'"')
        {
            uint32 n = 3;
            for (;;)
            {
                if (n + 2 >= sourceLength)
                { // no closing triple: runs to the end
                    n = sourceLength;
                    break;
                }
                if (source[n] == u'"' && source[n + 1] == u'"' && source[n + 2] == u'"')
                {
                    n += 3;
                    break;
                }
                ++n;
            }
            tokenType = ttHeredocStringConstant;
            tokenLength = n;
            return true;
        }

        bool escape = false;
        for (uint32 n = 1; n < sourceLength; ++n)
        {
            const u16char d = source[n];
            if (d == u'\n')
            {
                tokenType = ttNonTerminatedStringConstant;
                tokenLength = n;
                return true;
            }
            if (d == u'"' && !escape)
            {
                tokenType = ttStringConstant;
                tokenLength = n + 1;
                return true;
            }
            escape = (d == u'\\') ? !escape : false;
        }
        tokenType = ttNonTerminatedStringConstant;
        tokenLength = sourceLength;
        return true;
    }

    if (c == u'\'')
    {
        bool escape = false;
        uint32 n = 1;
        for (; n < sourceLength; ++n)
        {
            const u16char d = source[n];
            if (d == u'\n') break;
            if (d == u'\'' && !escape)
            {
                tokenType = ttIntConstant;
                tokenLength = n + 1;
                return true;
            }
            escape = (d == u'\\') ? !escape : false;
        }
        // Unterminated: the length is one less than the distance to the line feed
        // (or the end), unlike a string constant; kept as the language has it.
        tokenType = ttNonTerminatedStringConstant;
        tokenLength = n > 1 ? n - 1 : 1;
        return true;
    }

    return false;
}

bool asCTokenizer::IsIdentifier()
{
    if (!IsIdentStart(source[0])) return false;

    uint32 n = 1;
    while (n < sourceLength && IsIdentChar(source[n]))
        ++n;

    // A word equal to a keyword is left to the keyword recogniser. No keyword is
    // longer than nine characters, so longer words need no comparison.
    if (n <= kMaxKeywordLength)
    {
        const KeywordIndex &idx = Index();
        const unsigned c = source[0];
        for (int k = 0; k < idx.count[c]; ++k)
        {
            const int e = idx.first[c][k];
            if (idx.lengths[e] != n) continue;
            if (std::memcmp(tokenWords[e].word, source, n * sizeof(u16char)) == 0) return false;
        }
    }

    tokenType = ttIdentifier;
    tokenLength = n;
    return true;
}

bool asCTokenizer::IsKeyWord()
{
    const unsigned c = source[0];
    if (c >= 128) return false;

    // Longest keyword that is a prefix of the remaining text.
    const KeywordIndex &idx = Index();
    int best = -1;
    uint32 bestLength = 0;
    for (int k = 0; k < idx.count[c]; ++k)
    {
        const int e = idx.first[c][k];
        const uint32 len = idx.lengths[e];
        if (len > sourceLength || len <= bestLength) continue;
        if (std::memcmp(tokenWords[e].word, source, len * sizeof(u16char)) != 0) continue;
        best = e;
        bestLength = len;
    }
    if (best < 0) return false;

    tokenType = tokenWords[best].tokenType;
    tokenLength = bestLength;
    return true;
}

} // namespace angle_script

namespace hgl
{
using namespace angle_script;

namespace
{
uint32 MeasureText(const u16char *text)
{
    uint32 n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}
} // namespace

DevilEngine *DevilEngineOf(DevilVM *vm)
{
    return dynamic_cast<DevilEngine *>(vm);
}

DevilParse::DevilParse(DevilEngine *e, const u16char *text, int length) : engine(e), source(text), cur(text)
{
    if (!text)
        left = 0;
    else if (length == -1)
        left = MeasureText(text);
    else
        left = length > 0 ? uint32(length) : 0;
}

DevilParse::DevilParse(DevilEngine *e, std::u16string_view text)
    : engine(e), source(text.data()), cur(text.data()), left(uint32(text.size()))
{
}

eTokenType DevilParse::GetToken(std::u16string_view &out)
{
    last_type = ReadToken(out);
    return last_type;
}

eTokenType DevilParse::ReadToken(std::u16string_view &out)
{
    while (left > 0)
    {
        uint32 len = 0;
        const eTokenType t = tokenizer.GetToken(cur, left, &len);
        if (len == 0 || len > left) len = left; // defensive: never run past the end
        const u16char *start = cur;
        cur += len;
        left -= len;

        switch (t)
        {
        case ttUnrecognizedToken:
        case ttEnd:
            return ttEnd;
        case ttWhiteSpace:
        case ttOnelineComment:
        case ttMultilineComment:
            continue;
        default:
            out = std::u16string_view(start, len);
            return t;
        }
    }
    return ttEnd;
}

eTokenType DevilParse::GetToken(std::u16string &out)
{
    std::u16string_view v;
    const eTokenType t = GetToken(v);
    if (t != ttEnd) out.assign(v.data(), v.size());
    return t;
}

eTokenType DevilParse::PeekToken(std::u16string_view &out)
{
    const u16char *saved_cur = cur;
    const uint32 saved_left = left;
    const eTokenType t = ReadToken(out);
    cur = saved_cur;
    left = saved_left;
    return t;
}

eTokenType DevilParse::PeekToken(std::u16string &out)
{
    std::u16string_view v;
    const eTokenType t = PeekToken(v);
    if (t != ttEnd) out.assign(v.data(), v.size());
    return t;
}

bool DevilParse::SkipTo(int type, std::u16string_view &out)
{
    for (;;)
    {
        const eTokenType t = GetToken(out);
        if (t == ttEnd) return false;
        if (t == type) return true;
    }
}

bool DevilParse::SkipTo(int type, std::u16string &out)
{
    std::u16string_view v;
    for (;;)
    {
        const eTokenType t = GetToken(v);
        if (t == ttEnd) return false;
        out.assign(v.data(), v.size());
        if (t == type) return true;
    }
}

eTokenType DevilParse::GetToken(String &out)
{
    std::u16string_view v;
    const eTokenType t = GetToken(v);
    if (t != ttEnd) out.Set(v.data(), int(v.size()));
    return t;
}

eTokenType DevilParse::PeekToken(String &out)
{
    std::u16string_view v;
    const eTokenType t = PeekToken(v);
    if (t != ttEnd) out.Set(v.data(), int(v.size()));
    return t;
}

bool DevilParse::SkipTo(int type, String &out)
{
    std::u16string_view v;
    for (;;)
    {
        const eTokenType t = GetToken(v);
        if (t == ttEnd) return false;
        out.Set(v.data(), int(v.size()));
        if (t == type) return true;
    }
}

bool DevilParse::SkipTo(int type)
{
    std::u16string_view v;
    return SkipTo(type, v);
}

void UnescapeString(std::u16string &out, const u16char *text, int length)
{
    static const u16char escapes[7][2] = {
        {u't', u'\t'}, {u'n', u'\n'}, {u'r', u'\r'}, {u'"', u'"'}, {u'\\', u'\\'}, {u'\'', u'\''}, {0, 0},
    };

    out.clear();
    if (!text || length <= 0) return;
    out.reserve(size_t(length));

    int i = 0;
    while (i < length)
    {
        const u16char c = text[i];
        if (c != u'\\' || i + 1 >= length)
        { // a trailing backslash stays as it is
            out.push_back(c);
            ++i;
            continue;
        }
        const u16char next = text[i + 1];
        u16char result = 0;
        for (int k = 0; escapes[k][0]; ++k)
            if (escapes[k][0] == next)
            {
                result = escapes[k][1];
                break;
            }
        if (result)
        {
            out.push_back(result);
        }
        else
        {
            out.push_back(c);
            out.push_back(next);
        }
        i += 2;
    }
    // The value is a NUL-terminated text: a NUL unit written in the constant ends it.
    const size_t nul = out.find(u'\0');
    if (nul != std::u16string::npos) out.resize(nul);
}

void UnescapeString(String &out, const u16char *text, int length)
{
    std::u16string value;
    UnescapeString(value, text, length);
    out.Set(value.data(), int(value.size()));
}

} // namespace hgl
