// The characters' node of a save: per shown slot its picture, the named positions
// it stands at and is heading for, its two flags and its two offsets. A slot in
// the middle of a slide stands at no named position and so keeps, on loading, the
// x the manager had.
#include "game/stage/char/CharManage.h"

#include "core/Log.h"
#include "io/TDF.h"

#include <cmath>

namespace avg
{
namespace
{
const hgl::u16char kCharNode[] = u"人物";
const hgl::u16char kCurrentKey[] = u"当前位置";
const hgl::u16char kTargetKey[] = u"目标位置";
const hgl::u16char kFacingKey[] = u"翻转";
const hgl::u16char kUpsideKey[] = u"颠倒";
const hgl::u16char kHeightKey[] = u"高度";
const hgl::u16char kLevelKey[] = u"水平";

// An offset read back, or 0 (logged) when it is missing or not a number.
float ReadOffset(hgl::TDFNode *node, const hgl::u16char *key)
{
    float value = 0;
    if (node->GetFloat(key, value) && std::isfinite(value)) return value;
    hgl::PutError(u"人物存档的<%s>已损坏", key);
    return 0;
}
} // namespace

bool CharManage::SaveState(hgl::TDFNode *root)
{
    if (!root) return false;
    hgl::TDFNode *node = root->AddChild(kCharNode);
    for (int slot = 0; slot < kSlots; ++slot)
    {
        const CharPic &pic = slots[slot];
        if (pic.name.IsEmpty()) continue;
        const hgl::String number(slot);
        hgl::TDFNode *child = node->AddChild(number);
        child->SetString(number.c_str(), pic.name);
        const int at = FindPositionOf(current[slot]), to = FindPositionOf(target[slot]);
        if (at >= 0) child->SetString(kCurrentKey, kPositionNames[at]);
        if (to >= 0) child->SetString(kTargetKey, kPositionNames[to]);
        child->SetBool(kFacingKey, pic.facing);
        child->SetBool(kUpsideKey, pic.upside_down);
        child->SetFloat(kHeightKey, pic.offset_y);
        child->SetFloat(kLevelKey, pic.offset_x);
    }
    return icons->SaveState(root);
}

bool CharManage::LoadState(hgl::TDFNode *root)
{
    for (int slot = 0; slot < kSlots; ++slot)
    {
        slots[slot].Reset();
        StopMove(slot);
        voice[slot] = false;
        voice_name[slot].Clear();
    }
    hgl::TDFNode *node = root ? root->FindChild(kCharNode) : nullptr;
    if (!node) return true;
    for (int slot = 0; slot < kSlots; ++slot)
    {
        const hgl::String number(slot);
        hgl::TDFNode *child = node->FindChild(number);
        hgl::String name;
        if (!child || !child->GetString(number.c_str(), name)) continue;
        hgl::String position;
        if (child->GetString(kCurrentKey, position)) FindPosition(position, current[slot]);
        if (child->GetString(kTargetKey, position)) FindPosition(position, target[slot]);
        CharPic &pic = slots[slot];
        if (!child->GetBool(kFacingKey, pic.facing) || !child->GetBool(kUpsideKey, pic.upside_down))
            hgl::PutError(u"人物存档<%d>的翻转或颠倒已损坏", slot);
        pic.offset_y = ReadOffset(child, kHeightKey);
        pic.offset_x = ReadOffset(child, kLevelKey);
        delta[slot] = target[slot] - current[slot];
        start[slot] = current[slot];
        Show(slot, name);
    }
    return icons->LoadState(root);
}
} // namespace avg
