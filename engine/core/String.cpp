#include "core/String.h"
#include "core/Format.h"
#include "core/Log.h"
#include "core/StrFunc.h"
#include "platform/CodePage.h"

#include <climits>
#include <cstring>
#include <ostream>
#include <string_view>
#include <type_traits>

namespace hgl
{
// ---------------------------------------------------------------- PrivateString

PrivateString::PrivateString(const u16char *text, int length, bool adopt)
    : count_(1), length_(0), buffer_(nullptr)
{
    if (adopt)
    {
        if (text && length < 0) length = StrLen(text);
        if (text && length > 0)
        {
            buffer_ = const_cast<u16char *>(text);
            length_ = length;
        }
        else
        {
            delete[] text; // nothing to hold: no buffer at length 0
        }
        return;
    }
    if (!text) return;
    if (length < 0) length = StrLen(text);
    if (length == 0) return;
    buffer_ = new u16char[static_cast<size_t>(length) + 1];
    std::memcpy(buffer_, text, static_cast<size_t>(length) * sizeof(u16char));
    buffer_[length] = 0;
    length_ = length;
}

PrivateString::~PrivateString()
{
    delete[] buffer_;
}

bool PrivateString::Release()
{
    if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1)
    {
        delete this;
        return true;
    }
    return false;
}

void PrivateString::Strcat(const u16char *text, int length)
{
    if (!text) return;
    if (length < 0) length = StrLen(text);
    if (length == 0) return;
    const size_t total = static_cast<size_t>(length_) + static_cast<size_t>(length);
    if (total > static_cast<size_t>(INT_MAX)) return; // a length no int can hold
    u16char *grown = new u16char[total + 1];
    if (length_) std::memcpy(grown, buffer_, static_cast<size_t>(length_) * sizeof(u16char));
    // text may lie inside the old buffer: it is still alive here.
    std::memcpy(grown + length_, text, static_cast<size_t>(length) * sizeof(u16char));
    grown[total] = 0;
    delete[] buffer_;
    buffer_ = grown;
    length_ = static_cast<int>(total);
}

void PrivateString::Delete(int pos, int count)
{
    if (pos < 0 || count <= 0 || pos >= length_) return;
    if (count >= length_ - pos)
    { // reaches the end (no overflow for huge counts)
        length_ = pos;
    }
    else
    {
        std::memmove(buffer_ + pos, buffer_ + pos + count,
                     static_cast<size_t>(length_ - pos - count) * sizeof(u16char));
        length_ -= count;
    }
    buffer_[length_] = 0;
}

// ---------------------------------------------------------------- String: making

String::String() : Length(this) {}

String::String(const u16char *text) : Length(this)
{
    if (text && *text) instance_ = new PrivateString(text, -1, false);
}

String::String(const u16char *text, int length) : Length(this)
{
    if (text && length != 0) instance_ = new PrivateString(text, length, false);
}

String::String(std::nullptr_t) : Length(this) {}

String::String(u16char ch) : Length(this)
{
    if (ch) instance_ = new PrivateString(&ch, 1, false);
}

String::String(const char *text) : Length(this)
{
    SetMultiByte(platform::CodePageAnsi, text, -1);
}

String::String(uint codePage, const char *text, int byteLength) : Length(this)
{
    SetMultiByte(codePage, text, byteLength);
}

String::String(const String &other) : Length(this), instance_(other.instance_)
{
    if (instance_) instance_->AddRef();
}

String::String(String &&other) noexcept : Length(this), instance_(other.instance_)
{
    other.instance_ = nullptr;
}

namespace
{
// Signed values go through the 64-bit signed conversion, unsigned ones through the
// unsigned one, so the widest of each kind keeps its full range.
template <typename T> PrivateString *FromNumber(T value)
{
    u16char digits[HGL_MAX_PATH + 1];
    if constexpr (std::is_signed_v<T>)
        Int64ToStr(digits, HGL_MAX_PATH, int64(value));
    else
        UInt64ToStr(digits, HGL_MAX_PATH, uint64(value));
    return new PrivateString(digits, -1, false);
}
} // namespace

String::String(int value) : Length(this), instance_(FromNumber(value)) {}
String::String(long value) : Length(this), instance_(FromNumber(value)) {}
String::String(long long value) : Length(this), instance_(FromNumber(value)) {}

String::String(unsigned int value) : Length(this), instance_(FromNumber(value)) {}
String::String(unsigned long value) : Length(this), instance_(FromNumber(value)) {}
String::String(unsigned long long value) : Length(this), instance_(FromNumber(value)) {}

String::String(const std::u16string &text) : Length(this)
{
    if (!text.empty()) instance_ = new PrivateString(text.data(), static_cast<int>(text.size()), false);
}

String::~String()
{
    Release();
}

void String::Release()
{
    if (instance_)
    {
        PrivateString *old = instance_;
        instance_ = nullptr;
        old->Release();
    }
}

void String::Install(PrivateString *p)
{
    PrivateString *old = instance_;
    instance_ = p;
    if (old) old->Release();
}

// ---------------------------------------------------------------- assignment

void String::Set(const String &other)
{
    if (instance_ == other.instance_) return;
    if (other.instance_) other.instance_->AddRef();
    Install(other.instance_);
}

String &String::operator=(const String &other)
{
    Set(other);
    return *this;
}

String &String::operator=(String &&other) noexcept
{
    if (this != &other)
    {
        PrivateString *taken = other.instance_;
        other.instance_ = nullptr;
        Install(taken);
    }
    return *this;
}

String &String::operator=(const u16char *text)
{
    SetCopy(text, -1);
    return *this;
}

void String::Set(const u16char *text, int length)
{
    SetCopy(text, length);
}

void String::SetCopy(const u16char *text, int length)
{
    if (text && text == c_str() && (length < 0 || length == GetLength())) return;
    // Copy before releasing: text may point into our own buffer.
    Install(text ? new PrivateString(text, length, false) : nullptr);
}

void String::SetAdopt(u16char *buffer, int length)
{
    if (buffer && buffer == c_str()) return;
    if (buffer && length < 0) length = StrLen(buffer);
    if (!buffer || length <= 0)
    {
        delete[] buffer; // a zero-length text keeps no buffer and no instance
        Release();
        return;
    }
    Install(new PrivateString(buffer, length, true));
}

void String::SetMultiByte(uint codePage, const char *text, int byteLength)
{
    if (!text || byteLength == 0 || text[0] == 0) return;
    if (codePage != platform::CodePageAnsi)
    {
        if (!platform::IsValidCodePage(codePage))
        {
            PutError(u"无效的代码页<%d>", static_cast<int>(codePage));
            return;
        }
        platform::CodePageInfo info;
        if (!platform::GetCodePageInfo(codePage, info))
        {
            PutError(u"无法支持的代码页<%d>", static_cast<int>(codePage));
            return;
        }
    }
    std::u16string wide;
    if (!platform::MultiByteToUTF16(codePage, text, byteLength, wide) || wide.empty()) return;
    Install(new PrivateString(wide.data(), static_cast<int>(wide.size()), false));
}

bool String::Clear()
{
    if (!instance_) return false;
    PrivateString *old = instance_;
    instance_ = nullptr;
    return old->Release();
}

// ---------------------------------------------------------------- conversion

int String::ToMultiByte(char **out, uint codePage) const
{
    if (!out) return 0;
    *out = nullptr;
    if (GetLength() == 0) return 0;
    const int n = platform::UTF16ToMultiByte(codePage, c_str(), GetLength() + 1, nullptr, 0);
    if (n <= 0) return 0;
    char *bytes = new char[static_cast<size_t>(n) + 1];
    if (platform::UTF16ToMultiByte(codePage, c_str(), GetLength() + 1, bytes, n) != n)
    {
        delete[] bytes;
        return 0;
    }
    bytes[n] = 0;
    *out = bytes;
    return n;
}

u16char *String::CreateCopy() const
{
    return hgl::CreateCopy(c_str(), GetLength());
}

std::u16string String::ToStdString() const
{
    return instance_ && instance_->Length() ? std::u16string(c_str(), static_cast<size_t>(GetLength()))
                                            : std::u16string();
}

std::string String::ToUTF8() const
{
    return platform::UTF16ToUTF8(c_str(), GetLength());
}

String String::FromUTF8(const std::string &text)
{
    return String(platform::UTF8ToUTF16(text));
}

String String::FromUTF8(const char *text, int length)
{
    return String(platform::UTF8ToUTF16(text, length));
}

// ---------------------------------------------------------------- queries

u16char String::GetChar(int index) const
{
    if (index < 0 || index >= GetLength()) return 0;
    return c_str()[index];
}

int String::Comp(const String &other) const
{
    const u16char *a = c_str();
    const u16char *b = other.c_str();
    if (!a) return b ? -1 : 0;
    if (!b) return 1;
    // Over the shorter length plus its terminator, without stopping at zero units
    // inside the texts (Strings may hold them).
    const int last = (GetLength() < other.GetLength() ? GetLength() : other.GetLength());
    int i = 0;
    while (i < last && a[i] == b[i])
        ++i;
    return static_cast<int>(a[i]) - static_cast<int>(b[i]);
}

int String::Comp(const u16char *text) const
{
    if (GetLength() == 0) return text ? -1 : 0;
    if (!text || !*text) return 1;
    return StrNCmp(c_str(), text, GetLength() + 1);
}

int String::FindChar(u16char ch) const
{
    return FindChar(0, ch);
}

int String::FindChar(int start, u16char ch) const
{
    const int len = GetLength();
    if (start < 0 || start >= len) return -1;
    const u16char *p = c_str();
    for (int i = start; i < len; ++i)
        if (p[i] == ch) return i - start;
    return -1;
}

int String::FindRightChar(u16char ch) const
{
    const u16char *p = c_str();
    for (int i = GetLength() - 1; i >= 0; --i)
        if (p[i] == ch) return i;
    return -1;
}

int String::FindString(const String &sub) const
{
    if (GetLength() == 0 || sub.GetLength() == 0) return -1;
    const size_t pos = StringView(*this).find(StringView(sub));
    return pos == std::u16string_view::npos ? -1 : static_cast<int>(pos);
}

int String::StatChar(u16char ch) const
{
    const u16char *p = c_str();
    int n = 0;
    for (int i = 0; i < GetLength(); ++i)
        if (p[i] == ch) ++n;
    return n;
}

int String::StatLine() const
{
    const int len = GetLength();
    if (len == 0) return 0;
    int n = StatChar(u'\n');
    if (c_str()[len - 1] != u'\n') ++n;
    return n;
}

// ---------------------------------------------------------------- edits

void String::Strcat(const u16char *text)
{
    Strcat(text, -1);
}

void String::Strcat(const u16char *text, int length)
{
    if (!text) return;
    if (length < 0) length = StrLen(text);
    if (length == 0) return;
    if (GetLength() == 0)
    {
        // No text of our own (or a shared empty one): a fresh instance, so the
        // other sharers stay empty.
        Install(new PrivateString(text, length, false));
        return;
    }
    if (Shared()) Unlink(); // the old shared buffer stays alive, so text stays valid
    instance_->Strcat(text, length);
}

void String::Strcat(const String &other)
{
    Strcat(other.c_str(), other.GetLength());
}

String &String::operator+=(const String &other)
{
    Strcat(other.c_str(), other.GetLength());
    return *this;
}

String &String::operator+=(const u16char *text)
{
    Strcat(text, -1);
    return *this;
}

void String::Delete(int pos, int count)
{
    if (GetLength() == 0 || pos < 0 || count <= 0 || pos >= GetLength()) return;
    if (Shared()) Unlink();
    instance_->Delete(pos, count);
    if (instance_->Length() == 0) Clear();
}

void String::LowerCase()
{
    const int len = GetLength();
    if (len == 0) return;
    u16char *target = Shared() ? CreateCopy() : instance_->Buffer();
    for (int i = 0; i < len; ++i) // by length: a String may hold zero units
        if (target[i] >= u'A' && target[i] <= u'Z') target[i] = static_cast<u16char>(target[i] + 32);
    if (target != instance_->Buffer()) SetAdopt(target, len);
}

void String::Replace(u16char newChar, u16char oldChar)
{
    const int len = GetLength();
    if (len == 0) return;
    u16char *target = Shared() ? CreateCopy() : instance_->Buffer();
    for (int i = 0; i < len; ++i)
        if (target[i] == oldChar) target[i] = newChar;
    if (target != instance_->Buffer()) SetAdopt(target, len);
}

bool String::ClearString(const String &sub)
{
    const String what(sub); // sub may be this very String
    if (what.GetLength() == 0) return false;
    bool removed = false;
    for (int pos = FindString(what); pos >= 0; pos = FindString(what))
    {
        Delete(pos, what.GetLength());
        removed = true;
    }
    return removed;
}

void String::Sprintf(const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::u16string text = VFormat(format, ap);
    va_end(ap);
    SetCopy(text.c_str(), -1);
}

void String::CatSprintf(const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::u16string text = VFormat(format, ap);
    va_end(ap);
    Strcat(text.c_str(), -1);
}

void String::Unlink()
{
    const int len = GetLength();
    if (len != 0) SetAdopt(CreateCopy(), len);
}

// ---------------------------------------------------------------- free functions

namespace
{
bool SameText(const u16char *a, int la, const u16char *b, int lb)
{
    return la == lb && (la == 0 || std::memcmp(a, b, static_cast<size_t>(la) * sizeof(u16char)) == 0);
}
} // namespace

bool operator==(const String &a, const String &b)
{
    return SameText(a.c_str(), a.GetLength(), b.c_str(), b.GetLength());
}
bool operator!=(const String &a, const String &b)
{
    return !(a == b);
}
bool operator<(const String &a, const String &b)
{
    return a.Comp(b) < 0;
}
bool operator==(const String &a, const u16char *b)
{
    return SameText(a.c_str(), a.GetLength(), b, StrLen(b));
}
bool operator!=(const String &a, const u16char *b)
{
    return !(a == b);
}
bool operator==(const u16char *a, const String &b)
{
    return b == a;
}
bool operator!=(const u16char *a, const String &b)
{
    return !(b == a);
}

String operator+(const u16char *text, const String &s)
{
    String result(text);
    result += s;
    return result;
}

String operator+(const String &a, const String &b)
{
    String result(a);
    result += b;
    return result;
}

String operator+(const String &a, const u16char *text)
{
    String result(a);
    result.Strcat(text);
    return result;
}

bool MultiByteToWide(uint codePage, u16char *out, int outUnits, const char *text, int byteLength)
{
    if (!out || outUnits < 0) return false;
    out[0] = 0;
    std::u16string wide;
    if (!text || !platform::MultiByteToUTF16(codePage, text, byteLength, wide)) return false;
    if (wide.empty()) return byteLength == -1; // just a terminator was converted
    const size_t n =
        wide.size() < static_cast<size_t>(outUnits) ? wide.size() : static_cast<size_t>(outUnits);
    std::memcpy(out, wide.data(), n * sizeof(u16char));
    out[n] = 0;
    return true;
}

std::ostream &operator<<(std::ostream &os, const String &s)
{
    return os << s.ToUTF8();
}
} // namespace hgl
