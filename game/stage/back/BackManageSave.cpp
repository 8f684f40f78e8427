// The background's node of a save: the layer names, the highest layer in use and
// the view of the current and next pictures. Transitions, zooms, moves, shakes and
// inverted periods are not kept: a save made during one restores both pictures
// as they stand, the next one laid over the current.
#include "game/stage/back/BackManage.h"

#include "core/Log.h"
#include "io/TDF.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
const hgl::u16char kBackNode[] = u"背景";
const hgl::u16char kStackKey[] = u"Stack";
const hgl::u16char kIndexKey[] = u"Index";
const hgl::u16char kCurKey[] = u"Cur";
const hgl::u16char kNextKey[] = u"Next";
const hgl::u16char kFileKey[] = u"Filename";
const hgl::u16char *const kViewKeys[4] = {u"Left", u"Top", u"Width", u"Height"};
constexpr int kLowestIndex = -1;

hgl::MemStream *Rewound(hgl::TDFNode *node)
{
    hgl::MemStream *s = node->GetStream();
    s->SetPosition(0);
    return s;
}

void SavePicture(hgl::TDFNode *back, const hgl::u16char *key, const BackPic *pic)
{
    if (!pic) return;
    hgl::TDFNode *node = back->AddChild(key);
    node->SetString(kFileKey, pic->GetName());
    for (int i = 0; i < 4; ++i)
        node->SetFloat(kViewKeys[i], pic->GetView()[i]);
}
} // namespace

bool BackManage::SaveState(hgl::TDFNode *root)
{
    if (!root) return false;
    hgl::TDFNode *back = root->AddChild(kBackNode);
    hgl::MemStream *stack = back->AddChild(kStackKey)->GetStream();
    for (const hgl::String &name : layer)
        if (!stack->WriteString(name)) return false;
    back->SetUInt32(kIndexKey, hgl::uint32(index));
    SavePicture(back, kCurKey, current.get());
    SavePicture(back, kNextKey, next.get());
    return true;
}

bool BackManage::LoadPicture(hgl::TDFNode *back, const hgl::u16char *key, std::unique_ptr<BackPic> &pic)
{
    hgl::TDFNode *node = back->FindChild(key);
    if (!node) return true;
    hgl::TDFNode *file = node->FindChild(kFileKey);
    hgl::String name;
    float view[4];
    bool ok = file && Rewound(file)->ReadString(name) >= 0;
    for (int i = 0; ok && i < 4; ++i)
        ok = node->GetFloat(kViewKeys[i], view[i]) && std::isfinite(view[i]);
    if (!ok)
    {
        hgl::PutError(u"背景存档的<%s>已损坏", key);
        return false;
    }
    pic = std::make_unique<BackPic>();
    pic->SetPicture(name, view[0], view[1], view[2], view[3]);
    return true;
}

bool BackManage::LoadState(hgl::TDFNode *root)
{
    Clear();
    finish = Finish::None;
    hgl::TDFNode *back = root ? root->FindChild(kBackNode) : nullptr;
    if (!back) return true;
    bool ok = true;
    if (hgl::TDFNode *stack = back->FindChild(kStackKey))
    {
        hgl::MemStream *s = Rewound(stack);
        hgl::String names[kLayers];
        for (hgl::String &name : names)
            ok = ok && s->ReadString(name) >= 0;
        if (ok)
            std::copy(std::begin(names), std::end(names), std::begin(layer));
        else
            hgl::PutError(u"背景存档的图层名已损坏");
    }
    hgl::uint32 stored;
    if (back->GetUInt32(kIndexKey, stored))
    {
        const hgl::int32 value = hgl::int32(stored);
        index = std::clamp(value, kLowestIndex, kLayers - 1);
        if (index != value) hgl::PutError(u"背景存档的图层序号%d超出范围，改为%d", value, index);
    }
    ok = LoadPicture(back, kCurKey, current) && ok;
    ok = LoadPicture(back, kNextKey, next) && ok;
    return ok;
}
