#pragma once
// A sorted map of text keys to text values, read from a text file with one key, a
// separator and a value per line, and written back as UTF-16 with TAB between key
// and value.
//
// The separator is the first TAB of the line; without a TAB, the first space;
// without either, the first '='. So "Name=My Game" splits at the space: content
// authors should separate with a TAB. When one key occurs on several lines, the
// first of those lines wins.
#include "core/IndexData.h"
#include "core/String.h"

namespace hgl
{
class HAC;
class StringList;

class PList : public IndexData<String, String>
{
  public:
    ~PList() override = default;

    // Parses one line and stores its pair; false for a line that holds none.
    virtual bool ParseLine(const String &line);
    // Feeds the lines from the last to the first, so the first line of a key wins.
    void LoadFromStringList(StringList &lines);
    virtual bool LoadFromFile(const u16char *name);
    virtual bool LoadFromHAC(HAC *archive, const u16char *path);
    // FF FE, then "key TAB value LF" per pair from the last in key order to the
    // first. False when the file cannot be created or any write falls short.
    virtual bool SaveToFile(const u16char *name);

    bool GetPair(int index, String &key, String &value) const;
};
} // namespace hgl
