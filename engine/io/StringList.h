#pragma once
// A list of lines: loads text files of the common encodings (recognised by their
// byte-order mark), and saves and loads itself in the engine's stream form.
#include "core/ObjectList.h"
#include "core/Property.h"
#include "core/String.h"
#include "io/DataObject.h"

namespace hgl
{
class Stream;
class HAC;

class StringList : public DataObject
{
    // Each line lives in its own heap String, so its address stays put until
    // Clear: the script engine keeps pointers to the texts of loaded lists.
    ObjectList<String> items;

    void InitPrivate();

    void SplitUTF16(const u16char *text, int units);
    void SplitBytes(const char *text, int bytes, uint codePage, bool utf8);

  public:
    Property<int> Count; // read-only: the number of lines
    int GetCount() const { return items.GetCount(); }

    StringList();
    StringList(const StringList &) = delete;
    StringList &operator=(const StringList &) = delete;
    ~StringList() override;

    int Add(const String &s);
    int AddText(const u16char *text);
    int AddText(const u16char *text, int length);
    int AddText(const char *text, uint codePage);
    int AddText(const char *text, int length, uint codePage);

    void Clear();
    // Index of an equal line, searching from the last; -1 when none.
    int Find(const String &s) const;

    String &operator[](int index) { return *items[index]; }
    const String &operator[](int index) const { return *items[index]; }
    String *GetItem(int index) const
    {
        return index >= 0 && index < items.GetCount() ? items[index] : nullptr;
    }

    // Replaces the contents with the lines of the text in the stream, which must
    // stand at its start. codePage is for text without a byte-order mark (0: ANSI).
    // False (and the list left empty) when the stream delivers less than its size.
    bool LoadFromStream(Stream *stream, uint codePage);
    bool LoadFromFile(const u16char *name, uint codePage);
    bool LoadFromHAC(HAC *archive, const u16char *path, uint codePage);

    bool WriteToStream(Stream *stream) override;
    // Appends the stored lines (the list is not cleared first).
    bool ReadFromStream(Stream *stream) override;
};

// Decodes UTF-8 into UTF-16: invalid or cut sequences and stray continuation bytes
// become U+FFFD, characters past U+FFFF become surrogate pairs.
void DecodeUTF8(const unsigned char *text, int bytes, std::u16string &out);
} // namespace hgl
