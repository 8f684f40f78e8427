#pragma once
// hgl::String: UTF-16 text in a shared, reference-counted buffer that is copied
// on write. Copies are a count increment, so Strings are passed by value freely;
// an edit of a shared text first makes a private copy. A String without buffer
// and one of length 0 behave alike (but see Comp(const u16char *)).
#include "core/StrFunc.h" // the text functions come with the text type
#include "core/StringView.h"
#include "core/Types.h"

#include <atomic>
#include <iosfwd>
#include <string>
#include <string_view>

namespace hgl
{
// The shared buffer. Used only by String.
class PrivateString
{
  public:
    // adopt: take over text (new[]-allocated, length + 1 units, terminated) as is.
    // Otherwise copy: length -1 measures; null, empty or length 0 gives no buffer.
    PrivateString(const u16char *text, int length, bool adopt);
    ~PrivateString();
    PrivateString(const PrivateString &) = delete;
    PrivateString &operator=(const PrivateString &) = delete;

    void AddRef() { count_.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; destroys the instance and returns true when it was the last.
    bool Release();
    int RefCount() const { return count_.load(std::memory_order_acquire); }

    void Strcat(const u16char *text, int length);
    void Delete(int pos, int count);

    int Length() const { return length_; }
    u16char *Buffer() const { return buffer_; }

  private:
    std::atomic<int> count_;
    int length_;
    u16char *buffer_;
};

class String
{
  public:
    // Read-only length, read like an int: s.Length, s.Length + 1, s.Length().
    // Holds only its owner; never copied with it.
    class LengthProperty
    {
      public:
        explicit LengthProperty(const String *owner) : owner_(owner) {}
        LengthProperty(const LengthProperty &) = delete;
        LengthProperty &operator=(const LengthProperty &) = delete;
        operator int() const { return owner_->GetLength(); }
        int operator()() const { return owner_->GetLength(); }
        // The read side of hgl::Property, so code written for one reads this too.
        int Get() const { return owner_->GetLength(); }
        bool CanRead() const { return true; }
        bool CanWrite() const { return false; }

      private:
        const String *owner_;
    };

    LengthProperty Length;

    String();
    String(const u16char *text);
    String(std::nullptr_t); // empty (either text type could be meant)
    String(const u16char *text, int length);
    String(u16char ch);       // 0 gives an empty String
    String(const char *text); // ANSI code page (code page 0)
    String(uint codePage, const char *text, int byteLength);
    String(const String &other);
    String(String &&other) noexcept;
    String(int value);
    String(long value); // int64 on this platform
    String(long long value);
    // Unsigned numbers in decimal as well: without these an unsigned argument
    // would be ambiguous between the signed forms and the character.
    String(unsigned int value);
    String(unsigned long value);
    String(unsigned long long value);
    explicit String(const std::u16string &text);
    ~String();

    // ---- assignment

    String &operator=(const String &other);
    String &operator=(String &&other) noexcept;
    String &operator=(const u16char *text);
    void Set(const String &other);
    void Set(const u16char *text, int length = -1);
    void SetCopy(const u16char *text, int length = -1);
    // Takes over buffer (new[]-allocated, length + 1 units, terminated).
    void SetAdopt(u16char *buffer, int length);
    // Converts 8-bit text from a code page (0: ANSI); byteLength -1: up to its
    // terminator. A bad code page is logged and leaves the String unchanged.
    void SetMultiByte(uint codePage, const char *text, int byteLength);
    // Releases the text; true when this was its last holder.
    bool Clear();

    // ---- conversion

    // *out = new char[n + 1] holding the text and its terminator converted, n
    // being the converted size including the terminator; returns n. Empty String
    // or failed conversion: *out = null, 0. Null out: 0.
    int ToMultiByte(char **out, uint codePage) const;
    u16char *CreateCopy() const; // new[] copy; null when empty
    std::u16string ToStdString() const;
    std::string ToUTF8() const;
    static String FromUTF8(const std::string &text);
    static String FromUTF8(const char *text, int length = -1);

    // ---- queries

    const u16char *c_str() const { return instance_ ? instance_->Buffer() : nullptr; }
    // The text as a view, for the look-ups by name; no copy is made.
    operator StringView() const noexcept { return StringView(c_str(), static_cast<size_t>(GetLength())); }
    int GetLength() const { return instance_ ? instance_->Length() : 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    u16char GetChar(int index) const;

    // Difference of the first differing units (unsigned 16-bit), 0 when equal.
    int Comp(const String &other) const;
    // An empty String gives 0 against null and -1 against any other text (the
    // empty one too); a non-empty String gives 1 against null or "". Test for
    // emptiness with Length, not with Comp(u"").
    int Comp(const u16char *text) const;

    int FindChar(u16char ch) const;
    // Distance from start to the first ch at or after start (not the index!).
    int FindChar(int start, u16char ch) const;
    int FindRightChar(u16char ch) const;
    int FindString(const String &sub) const;
    int StatChar(u16char ch) const;
    int StatLine() const;

    // ---- edits (copy on write)

    void Strcat(const u16char *text);
    void Strcat(const u16char *text, int length);
    void Strcat(const String &other);
    String &operator+=(const String &other);
    String &operator+=(const u16char *text);
    void Delete(int pos, int count);
    void LowerCase();
    // The replacement comes first: Replace(u' ', u'/') turns "a/b" into "a b".
    void Replace(u16char newChar, u16char oldChar);
    bool ClearString(const String &sub);
    void Sprintf(const u16char *format, ...);
    void CatSprintf(const u16char *format, ...);
    // Gives this String a private copy of its text.
    void Unlink();

  private:
    bool Shared() const { return instance_ && instance_->RefCount() > 1; }
    void Release();
    void Install(PrivateString *p); // releases the old instance, keeps p

    PrivateString *instance_ = nullptr;
};

// Content comparisons for containers and tests (null, "" and an empty String are
// all equal here; order is code-unit order as Comp).
bool operator==(const String &a, const String &b);
bool operator!=(const String &a, const String &b);
bool operator<(const String &a, const String &b);
bool operator==(const String &a, const u16char *b);
bool operator!=(const String &a, const u16char *b);
bool operator==(const u16char *a, const String &b);
bool operator!=(const u16char *a, const String &b);

String operator+(const u16char *text, const String &s);
String operator+(const String &a, const String &b);
String operator+(const String &a, const u16char *text);

// Converts 8-bit text (byteLength -1: up to its terminator) into out, which holds
// outUnits + 1 units; at most outUnits units and always a terminator are
// written. True when the conversion produced text.
bool MultiByteToWide(uint codePage, u16char *out, int outUnits, const char *text, int byteLength);

// UTF-8 form, for gtest messages and streams.
std::ostream &operator<<(std::ostream &os, const String &s);
} // namespace hgl

// Hashing by content, for unordered containers.
template <> struct std::hash<hgl::String>
{
    size_t operator()(const hgl::String &s) const noexcept
    {
        return std::hash<std::u16string_view>{}(hgl::StringView(s));
    }
};
