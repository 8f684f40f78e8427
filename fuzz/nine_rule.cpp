// Bytes as a UTF-16 button picture name of a glossary tip: the nine rule reads
// only inside the name, and marks exactly the names with a '9' two places before
// their first '.'; the entry text built from the name splits back at its first
// and last ';' into the parts it was made of when they hold no ';' themselves.
#include "game/screens/extras/TipLayout.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::u16string name(size / 2, u'\0');
    for (size_t i = 0; i < name.size(); ++i)
        name[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    const size_t nul = name.find(u'\0');
    if (nul != std::u16string::npos) name.resize(nul);

    const size_t dot = name.find(u'.');
    const bool expected = dot != std::u16string::npos && dot >= 2 && name[dot - 2] == u'9';
    if (avg::tips::HasNineMark(hgl::String(name)) != expected) __builtin_trap();

    // The entry text: viewer ; tip ; button.
    const std::u16string viewer = u"WordUnit\\v.HGP", tip = u"a：b";
    hgl::String first, middle, last;
    avg::tips::SplitEntryText(hgl::String(viewer + u";" + tip + u";" + name), first, middle, last);
    if (first.ToStdString() != viewer) __builtin_trap();
    if (name.find(u';') == std::u16string::npos &&
        (middle.ToStdString() != tip || last.ToStdString() != name))
        __builtin_trap();
    return 0;
}
