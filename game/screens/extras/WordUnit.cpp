#include "game/screens/extras/WordUnit.h"

#include "game/core/Archives.h"
#include "game/core/DataScript.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/TipLayout.h"
#include "game/screens/extras/ViewHGP.h"
#include "game/screens/extras/ViewObject.h"
#include "game/screens/extras/ViewTips.h"
#include "game/screens/widgets/MusicButton.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "script/ScriptFunctionTable.h"

namespace
{
constexpr int kKeyEsc = 1;
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kTabLeft = 224, kTabTop = 206, kTabGap = 10;
constexpr float kGridTop = 333, kGridLeft = 160, kEntryW = 64, kEntryH = 180, kRowGap = 50;
// Tip entries in the first column are labels, except on this tab; from this row
// on they are not shown at all.
constexpr int kTabWithFirstColumn = 2, kFirstHiddenRow = 2;
const hgl::Color4f kBarColour(157 / 255.0f, 90 / 255.0f, 71 / 255.0f, 1);
constexpr float kBarHeight = 3;

hgl::String Text(const hgl::u16char *text)
{
    return text ? hgl::String(text) : hgl::String();
}

// The viewers take terminated texts; an empty String has none.
const hgl::u16char *Units(const hgl::String &text)
{
    return text.IsEmpty() ? u"" : text.c_str();
}

void Black(float alpha)
{
    avg::screen_draw::FlatRect(0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()),
                               hgl::Color4f(0, 0, 0, alpha));
}
} // namespace

const hgl::u16char *const WordUnit::kScripts[kTabs] = {u"Script\\Tips.CPP", u"Script\\Tips2.CPP",
                                                       u"Script\\Tips3.CPP", u"Script\\Tips4.CPP"};
const hgl::u16char WordUnit::kBackground[] = u"WordUnit\\BackGround.HGP";

WordUnit::WordUnit()
{
    background = avg::LoadHGP(kBackground);
    control->AddObject(background);

    const float sx = float(hgl::GetCanvasWidth()) / kDesignW, sy = float(hgl::GetCanvasHeight()) / kDesignH;
    float x = kTabLeft * sx;
    const float y = kTabTop * sy;
    for (int i = 0; i < kTabs; ++i)
    {
        hgl::String path;
        path.Sprintf(u"WordUnit\\WordButton%d.HGP", i);
        hgl::HGP *measure = avg::LoadHGP(path);
        control->AddObject(measure);
        const float w = float(measure->Width) * sx, h = float(measure->Height) * sy;
        auto *tab = new hgl::gui::MusicButton(x, y, w, h, path.c_str(), false);
        tab->Index = i;
        tab->OnClick.Bind<&WordUnit::TabClick>(this);
        tabs[i] = tab;
        control->AddObject(tab);
        x += w + kTabGap * sx;
    }
    LoadTab(0);

    FlowObject::OnMouseRightDown.Bind<&WordUnit::RightDown>(this);
    FlowObject::OnKeyDown.Bind<&WordUnit::KeyDown>(this);
}

WordUnit::~WordUnit() = default; // the entry list goes before the object control

hgl::gui::TZHGPButton *WordUnit::GetEntry(int i) const
{
    return i >= 0 && i < entries.GetCount() ? static_cast<hgl::gui::TZHGPButton *>(entries[i]) : nullptr;
}

void WordUnit::LoadTab(int i)
{
    if (i < 0 || i >= kTabs) return;
    current_tab = i;
    entries.Clear();
    latest_scene = nullptr;

    const float w = float(hgl::GetCanvasWidth());
    const float sx = w / kDesignW, sy = float(hgl::GetCanvasHeight()) / kDesignH;
    grid = Grid();
    grid.top = kGridTop * sy;
    grid.left = kGridLeft * sx;
    grid.width = kEntryW * sx;
    grid.height = kEntryH * sy;
    grid.column_gap = (w - 2 * grid.left - float(kColumns) * grid.width) / float(kColumns - 1);
    grid.row_gap = kRowGap * sy;
    tab_number = i + 1;

    avg::RunDataScript(kScripts[i],
                       [this](hgl::DevilEngine &e)
                       {
                           static constexpr hgl::ScriptFunction<WordUnit> kFunctions[] = {
                               {u"void SetTips(string,string,string,string)", hgl::Bind<&WordUnit::SetTips>},
                               {u"void SetObject(string,string,string)", hgl::Bind<&WordUnit::SetObject>},
                               {u"void SetSceneB(string,string)", hgl::Bind<&WordUnit::SetSceneB>},
                               {u"void SetSceneBZ(string)", hgl::Bind<&WordUnit::SetSceneBZ>},
                           };
                           return hgl::MapFunctions(e, this, kFunctions);
                       });
}

hgl::gui::TZHGPButton *WordUnit::Place(const hgl::u16char *picture)
{
    const int n = grid.count, c = n % grid.columns, r = n / grid.columns;
    return new hgl::gui::TZHGPButton(grid.left + float(c) * (grid.width + grid.column_gap),
                                     grid.top + float(r) * (grid.height + grid.row_gap), grid.width,
                                     grid.height, avg::GetDataHAC(), picture ? picture : u"");
}

void WordUnit::Add(hgl::gui::TZHGPButton *entry)
{
    control->AddObject(entry);
    entries.Add(entry);
    ++grid.count;
}

void WordUnit::SetTips(const hgl::u16char *, const hgl::u16char *button, const hgl::u16char *viewer,
                       const hgl::u16char *text)
{
    const int n = grid.count, column = n % grid.columns, row = n / grid.columns;
    hgl::gui::TZHGPButton *entry = Place(button);
    entry->SetName(Text(viewer) + u";" + Text(text) + u";" + Text(button));
    if (column == 0 && tab_number != kTabWithFirstColumn)
    {
        entry->SetName(hgl::String());
        if (row >= kFirstHiddenRow) entry->SetVisible(false);
    }
    else
        entry->OnClick.Bind<&WordUnit::TipClick>(this);
    if (avg::tips::HasNineMark(Text(button))) entry->OnClick.Unbind();
    Add(entry);
}

void WordUnit::SetObject(const hgl::u16char *button, const hgl::u16char *viewer,
                         const hgl::u16char *description)
{
    hgl::gui::TZHGPButton *entry = Place(button);
    entry->SetName(Text(viewer) + u";" + Text(description));
    entry->OnClick.Bind<&WordUnit::ObjectClick>(this);
    Add(entry);
}

void WordUnit::SetSceneB(const hgl::u16char *picture, const hgl::u16char *text)
{
    hgl::gui::TZHGPButton *entry = Place(picture);
    entry->SetName(Text(text));
    entry->OnClick.Bind<&WordUnit::SceneClick>(this);
    latest_scene = entry;
    Add(entry);
}

void WordUnit::SetSceneBZ(const hgl::u16char *name)
{
    if (latest_scene) latest_scene->Strings.Add(Text(name));
}

bool WordUnit::KeyDown(int key)
{
    if (busy || key != kKeyEsc) return false;
    leaving = true;
    return true;
}

bool WordUnit::RightDown(int, int, int)
{
    return KeyDown(kKeyEsc);
}

void WordUnit::TabClick(hgl::gui::Button *tab)
{
    LoadTab(tab->Index);
}

void WordUnit::TipClick(hgl::gui::Button *entry)
{
    hgl::String viewer, text, button;
    avg::tips::SplitEntryText(entry->GetName(), viewer, text, button);
    SetNextObject(new ViewTips(kBackground, Units(viewer), Units(text), Units(button)));
    SetObjectState(fosCall);
}

void WordUnit::ObjectClick(hgl::gui::Button *entry)
{
    hgl::String picture, description;
    avg::tips::SplitEntryTextOnce(entry->GetName(), picture, description);
    SetNextObject(new ViewObject(kBackground, Units(picture), Units(description)));
    SetObjectState(fosCall);
}

void WordUnit::SceneClick(hgl::gui::Button *entry)
{
    const auto *scene = static_cast<hgl::gui::TZHGPButton *>(entry);
    // The viewer runs over the glossary, which stays drawn beneath it.
    SetNextObject(
        new ViewHGP(scene->Strings, 0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()), true));
    SetObjectState(fosPush);
}

void WordUnit::Draw()
{
    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    if (fade > 0)
        avg::screen_draw::PictureTo(background, 0, 0, w, h);
    else
        Black(1);

    for (int i = 0; i < kTabs; ++i)
        tabs[i]->Selected = i == current_tab;

    if (tab_number == 1)
    {
        hgl::Color4f colour = kBarColour;
        colour.a = fade;
        const float x0 = grid.left + grid.width, x1 = w - grid.column_gap - grid.width;
        const float drops[4] = {0, grid.height + 7, grid.height + grid.row_gap,
                                4 * grid.height + 3 * grid.row_gap - 5};
        for (float d : drops)
            avg::screen_draw::FlatRect(x0, grid.top - 5 + d, x1 - x0, kBarHeight, colour);
    }

    if (!leaving)
    {
        if (fade >= 1)
        {
            busy = false;
            return;
        }
        Black(1 - fade);
        fade += kFadeStep;
        busy = true;
        return;
    }
    if (fade <= 0)
    {
        SetObjectState(fosReturn);
        busy = false;
        return;
    }
    Black(1 - fade);
    fade -= kFadeStep;
    busy = true;
}
