#include "game/stage/char/CharIconManage.h"

#include "core/Log.h"
#include "game/stage/char/CharName.h"
#include "graphics/gl/Canvas.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>

namespace avg
{
namespace
{
using namespace char_name;
constexpr float kMargin = 10.0f, kIconBox = 0.2f, kPortraitTop = 0.8f;
constexpr float kFadeStep = 0.02f, kFadeStart = 0.1f, kPortraitFadeStart = 0.005f;
constexpr int kPortraitNameLength = 5;

bool SameFamily(const hgl::String &a, const hgl::String &b)
{
    if (a.IsEmpty() || b.IsEmpty()) return false;
    return Head(a, kFamilyLength).Comp(Head(b, kFamilyLength)) == 0;
}
} // namespace

CharIconManage::CharIconManage(hgl::DevilEngine *engine)
{
    if (!engine) return;
    static constexpr hgl::ScriptFunction<CharIconManage> kFunctions[] = {
        {u"void ICON_LEFT_START(string,float)", hgl::Bind<&CharIconManage::Start<kLeft>>},
        {u"void ICON_RIGHT_START(string,float)", hgl::Bind<&CharIconManage::Start<kRight>>},
        {u"void ICON_MID_START(string,float)", hgl::Bind<&CharIconManage::Start<kPortrait>>},
        {u"void ICON_LEFT_END()", hgl::Bind<&CharIconManage::End<kLeft>>},
        {u"void ICON_RIGHT_END()", hgl::Bind<&CharIconManage::End<kRight>>},
        {u"void ICON_MID_END()", hgl::Bind<&CharIconManage::End<kPortrait>>},
    };
    hgl::MapFunctions(*engine, this, kFunctions);
}

void CharIconManage::Empty(int place)
{
    icons[place].reset();
    names[place].Clear();
    showing[place] = false;
    if (place == kPortrait) right = false;
    if (active == place) active = -1;
}

void CharIconManage::PutIcon(int place, const hgl::String &name)
{
    if (place < 0 || place >= kPlaces) return;
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float top = H * kMargin / kDesignH, margin = W * kMargin / kDesignW;
    const float at_x[kPlaces] = {margin, margin, W - H * kIconBox - margin};
    const float at_y[kPlaces] = {top, H * kPortraitTop, top};
    icons[place] = std::make_unique<CharIcon>();
    icons[place]->Set(name, at_x[place], at_y[place], 1.0f);
    showing[place] = true;
    alpha[place] = SameFamily(names[place], name) ? 1.0f : kFadeStart;
    icons[place]->SetAlpha(alpha[place]);
    names[place] = icons[place]->GetName();
}

void CharIconManage::PutPortrait(const hgl::String &name, float x, float y)
{
    const bool on_right = name.GetLength() > kPortraitNameLength;
    const hgl::String used = on_right ? hgl::String(name.c_str(), kPortraitNameLength) : name;
    icons[kPortrait] = std::make_unique<CharIcon>();
    icons[kPortrait]->Set(used, x, y, 1.0f);
    right = on_right;
    showing[kPortrait] = true;
    alpha[kPortrait] = SameFamily(names[kPortrait], used) ? 1.0f : kPortraitFadeStart;
    icons[kPortrait]->SetAlpha(alpha[kPortrait]);
    names[kPortrait] = icons[kPortrait]->GetName();
}

void CharIconManage::RemovePortrait()
{
    Empty(kPortrait);
}

void CharIconManage::SetSpeaker(const hgl::String &speaker, hgl::uint64 voice_end)
{
    active = -1;
    for (int i = 0; i < kPlaces; ++i)
        if (icons[i] && icons[i]->GetCode().Comp(speaker) == 0)
        {
            active = i;
            icons[i]->SetVoiceEnd(voice_end);
            return;
        }
}

float CharIconManage::GetActiveAlpha() const
{
    return active >= 0 && icons[active] ? icons[active]->GetAlpha() : 0.0f;
}

void CharIconManage::DrawActive()
{
    if (active < 0 || !icons[active]) return;
    icons[active]->Draw();
    icons[active]->DrawLabel();
}

void CharIconManage::Fade(int place)
{
    if (!icons[place]) return;
    if (showing[place])
        alpha[place] = std::min(1.0f, alpha[place] < 1.0f ? alpha[place] + kFadeStep : alpha[place]);
    else if (alpha[place] >= 0)
        alpha[place] -= kFadeStep;
    icons[place]->SetAlpha(alpha[place]);
    if (alpha[place] < 0) Empty(place);
}

void CharIconManage::Draw()
{
    for (int place = 0; place < kPlaces; ++place)
        Fade(place);
    for (int place : {int(kLeft), int(kRight)})
        if (icons[place]) icons[place]->Draw();
}
} // namespace avg

// ---------------------------------------------------------------- the save node

namespace avg
{
namespace
{
const hgl::u16char kIconNode[] = u"人物图标";
const hgl::u16char kRightKey[] = u"是否右边";
const hgl::u16char *const kNameKeys[CharIconManage::kPlaces] = {u"左边Icon", u"对话Icon", u"右边Icon"};
const hgl::u16char kActiveKey[] = u"当前激活";
const hgl::u16char kNull[] = u"null";
constexpr int kPortraitTopThirds = 2;
} // namespace

bool CharIconManage::SaveState(hgl::TDFNode *root)
{
    if (!root) return false;
    hgl::TDFNode *node = root->AddChild(kIconNode);
    node->SetBool(kRightKey, right);
    for (int i = 0; i < kPlaces; ++i)
        node->SetString(kNameKeys[i], icons[i] && !names[i].IsEmpty() ? names[i] : hgl::String(kNull));
    node->SetUInt32(kActiveKey, hgl::uint32(active));
    return true;
}

bool CharIconManage::LoadState(hgl::TDFNode *root)
{
    for (int i = 0; i < kPlaces; ++i)
        Empty(i);
    active = -1;
    right = false;
    hgl::TDFNode *node = root ? root->FindChild(kIconNode) : nullptr;
    if (!node) return true;
    bool saved_right = false;
    hgl::String saved[kPlaces];
    hgl::uint32 saved_active = 0;
    bool ok = node->GetBool(kRightKey, saved_right) && node->GetUInt32(kActiveKey, saved_active);
    for (int i = 0; ok && i < kPlaces; ++i)
        ok = node->GetString(kNameKeys[i], saved[i]);
    if (!ok)
    {
        hgl::PutError(u"存档的<%s>已损坏", kIconNode);
        return false;
    }
    const auto present = [](const hgl::String &s) { return !s.IsEmpty() && s.Comp(kNull) != 0; };
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    for (int place : {int(kLeft), int(kRight)})
        if (present(saved[place])) PutIcon(place, saved[place]);
    if (present(saved[kPortrait]))
    {
        const hgl::String &name = saved[kPortrait];
        if (saved_right)
            PutPortrait(Head(name, kPortraitNameLength) + u"A", W - H / 3, H * kPortraitTopThirds / 3);
        else
            PutPortrait(name, 0, H * kPortraitTopThirds / 3);
    }
    const int wanted = int(hgl::int32(saved_active));
    active = wanted >= 0 && wanted < kPlaces && icons[wanted] ? wanted : -1;
    if (wanted < -1 || wanted >= kPlaces) hgl::PutError(u"存档的当前激活<%d>超出范围", wanted);
    return true;
}
} // namespace avg
