#include "game/stage/char/CharIcon.h"

#include "core/Random.h"
#include "game/core/DataScript.h"
#include "game/core/GameResources.h"
#include "game/core/UpperName.h"
#include "game/stage/char/CharName.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>

namespace avg
{
namespace
{
using namespace char_name;
constexpr int kLetterAt = 4, kLayersPerGroup = 3;
constexpr int kMouthSteps = 6, kPeriodMin = 5, kPeriodSpread = 11;
constexpr int kMouthPattern[kMouthSteps] = {0, 1, 2, 1, 2, 1};
constexpr float kPortraitWidth = 1.0f / 3.0f;
constexpr float kLabelBox = 0.2f, kLabelTop = 10.0f / 768.0f;

// The image-size pair of "test.CPP", shared by every icon.
float size_a = 0, size_b = 0;

void SetImageSize(float a, float b)
{
    size_a = a;
    size_b = b;
}

} // namespace

CharIcon::CharIcon()
{
    static constexpr hgl::ScriptFunction<void> kFunctions[] = {
        {u"void SetImageSize(float,float)", hgl::Bind<&SetImageSize>},
    };
    RunDataScript(u"Script\\test.CPP", [](hgl::DevilEngine &e) { return hgl::MapFunctions(e, kFunctions); });
}

CharIcon::~CharIcon() = default;

void CharIcon::SetChar(const hgl::u16char *row_code, const hgl::u16char *display_name, int, int,
                       const hgl::u16char *)
{
    if (!display.IsEmpty() || !row_code || !display_name || code.Comp(row_code) != 0) return;
    display = display_name;
    const int bracket = display.FindChar(u'(');
    if (bracket >= 0) display = Head(display, bracket);
}

void CharIcon::ReadDisplayName()
{
    static constexpr hgl::ScriptFunction<CharIcon> kFunctions[] = {
        {u"void SetChar(string,string,int,int,string);", hgl::Bind<&CharIcon::SetChar>},
    };
    RunDataScript(u"Script\\Character.CPP",
                  [this](hgl::DevilEngine &e) { return hgl::MapFunctions(e, this, kFunctions); });
}

void CharIcon::Set(const hgl::String &icon_name, float at_x, float at_y, float at_alpha)
{
    if (icon_name.IsEmpty())
    {
        picture.reset();
        return;
    }
    name = icon_name;
    code = UpperName(Head(name, kCodeLength));
    display.Clear();
    ReadDisplayName();

    const float H = float(hgl::GetCanvasHeight());
    const bool portrait = at_y >= float(hgl::GetCanvasHeight() / 2);
    const hgl::String folder = portrait ? u"CharacterDlg\\" : u"CharacterIcon\\";
    picture.reset(LoadHGP(folder + Head(name, kFileLength) + u".HGP"));

    mouth = voice_end = 0;
    group = name.GetLength() > kLetterAt ? (int(name.GetChar(kLetterAt)) - int(u'A')) * kLayersPerGroup : -1;
    x = at_x;
    y = at_y;
    const float pw = float(picture->Width);
    scale = 0;
    if (pw > 0) scale = portrait ? kPortraitWidth * H / pw : (size_b != 0 ? (H * size_a / pw) / size_b : 0);
    alpha = at_alpha;
}

void CharIcon::StepMouth()
{
    if (hgl::GetTime() >= voice_end)
    {
        mouth = 0;
        return;
    }
    if (++mouth >= hgl::uint64(kMouthSteps * period))
    {
        mouth = 0;
        period = kPeriodMin + int(hgl::RandomU32() % kPeriodSpread);
    }
}

int CharIcon::CurrentLayer() const
{
    if (!picture || picture->LayerCount == 0) return -1;
    if (picture->LayerCount == 1) return 0;
    if (group < 0) return -1;
    const int frame =
        hgl::GetTime() < voice_end ? kMouthPattern[std::min<hgl::uint64>(mouth / period, 5)] : 0;
    const int layer = group + frame;
    return layer < picture->LayerCount ? layer : -1;
}

void CharIcon::Draw()
{
    if (!picture) return;
    StepMouth();
    const int layer = CurrentLayer();
    hgl::HGPLayer *l = picture->GetLayer(layer);
    if (!l) return;
    l->Color = hgl::Color4f(1, 1, 1, alpha);
    picture->DrawLayer(layer, x, y, scale, scale);
}

void CharIcon::DrawLabel()
{
    const float H = float(hgl::GetCanvasHeight());
    if (!LabelFont || display.IsEmpty() || y > H * 0.5f) return;
    const float left = x + (H * kLabelBox - LabelFont->GetStringWidth(display.c_str())) * 0.5f;
    const float top = H * kLabelTop + H * kLabelBox + float(LabelFont->CharHeight);
    LabelFont->Color = hgl::Color4f(0, 0, 0, 1);
    LabelFont->DrawString(left + 1, top + 1, display.c_str());
    LabelFont->DrawString(left, top, display.c_str());
}
} // namespace avg
