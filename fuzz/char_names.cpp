// Bytes as picture, icon and mood names (two bytes a character, names split at
// 0x000A) through the display, icon and mood operations, with frames drawn in
// between: whatever the names, an icon never picks a layer outside its picture.
#include "CharFuzz.h"

#include "game/stage/char/CharManage.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <vector>

namespace
{
enum Operation
{
    kShow,
    kIcon,
    kPortrait,
    kMood,
    kVoice,
    kOperations
};

constexpr hgl::u16char kSplit = u'\n';
constexpr hgl::uint64 kVoiceMs = 500;
constexpr int kIconLayers = 6; // the most any of the prepared pictures holds

void CheckIcons(const avg::CharIconManage &icons)
{
    for (int place = 0; place < avg::CharIconManage::kPlaces; ++place)
        if (const avg::CharIcon *icon = icons.GetIcon(place))
            if (icon->CurrentLayer() < -1 || icon->CurrentLayer() >= kIconLayers) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    charfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<hgl::String> names(1);
    for (size_t i = 0; i + 1 < size; i += 2)
    {
        const hgl::u16char c = hgl::u16char(data[i] | (data[i + 1] << 8));
        if (c == kSplit)
            names.emplace_back();
        else if (c != 0)
            names.back() = names.back() + hgl::String(c);
    }
    avg::CharManage chars(nullptr, nullptr);
    int n = 0;
    for (const hgl::String &name : names)
    {
        const int slot = n % avg::CharManage::kSlots;
        switch (n++ % kOperations)
        {
        case kShow:
            chars.Show(slot, name);
            break;
        case kIcon:
            chars.GetIcons()->PutIcon(slot % avg::CharIconManage::kPlaces, name);
            break;
        case kPortrait:
            chars.PutPortrait(name, 0, 600);
            break;
        case kMood:
            chars.GetMoods()->SetMood(slot, name.c_str(), 0, 0);
            break;
        default:
            chars.StartVoice(name, {name, kVoiceMs});
            break;
        }
        chars.Draw();
        chars.DrawActiveIcon();
        CheckIcons(*chars.GetIcons());
    }
    return 0;
}
