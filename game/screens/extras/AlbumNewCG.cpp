#include "game/screens/extras/AlbumNewCG.h"

#include "game/core/DataScript.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/ViewHGP.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/TZCGButton.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>

namespace
{
constexpr int kKeyEsc = 1;
constexpr float kDesignW = 1600, kDesignH = 1200;
// The grid on the design canvas.
constexpr float kGridLeft = 109, kGridTop = 160, kStepX = 360, kStepY = 255, kEntryW = 300, kEntryH = 220;
// How far the frame's corners reach beyond the entry.
constexpr float kFrameSide = 24, kFrameAbove = 16, kFrameBelow = 24;

hgl::String Text(const hgl::u16char *text)
{
    return text ? hgl::String(text) : hgl::String();
}

void Black(float alpha)
{
    avg::screen_draw::FlatRect(0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()),
                               hgl::Color4f(0, 0, 0, alpha));
}
} // namespace

AlbumNewCG::AlbumNewCG(const hgl::u16char *script_name, bool use_backgrounds)
    : backgrounds(use_backgrounds), script(Text(script_name))
{
    avg::RunDataScript(script,
                       [this](hgl::DevilEngine &e)
                       {
                           static constexpr hgl::ScriptFunction<AlbumNewCG> kFunctions[] = {
                               {u"void SetBG(string)", hgl::Bind<&AlbumNewCG::SetBG>},
                               {u"void SetCG(string,int)", hgl::Bind<&AlbumNewCG::SetCG>},
                               {u"void SetZCG(string,int)", hgl::Bind<&AlbumNewCG::SetZCG>},
                           };
                           return hgl::MapFunctions(e, this, kFunctions);
                       });

    FlowObject::OnMouseRightDown.Bind<&AlbumNewCG::RightDown>(this);
    FlowObject::OnKeyDown.Bind<&AlbumNewCG::KeyDown>(this);
    frame_texture.reset(avg::LoadTexture2D(u"DreamChar\\SelectChar.TEX", 0));
}

AlbumNewCG::~AlbumNewCG() = default;

hgl::gui::TZCGButton *AlbumNewCG::GetEntry(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return nullptr;
    return grid[row][column];
}

void AlbumNewCG::SetBG(const hgl::u16char *name)
{
    background = avg::LoadHGP(hgl::String(u"DreamChar\\") + Text(name));
    control->AddObject(background);
}

void AlbumNewCG::SetCG(const hgl::u16char *name, int)
{
    const int k = counter - 1;
    ++counter;
    if (k / kPerPage != page - 1) return; // only the first page's worth makes entries

    const int slot = entries, column = slot % kColumns, row = slot / kColumns;
    const hgl::String cg = Text(name);
    const hgl::String path = hgl::String(backgrounds ? u"BG\\" : u"event_small\\") + cg + u".HGP";
    const bool seen = avg::IsEventSeen(cg);

    const float sx = float(hgl::GetCanvasWidth()) / kDesignW, sy = float(hgl::GetCanvasHeight()) / kDesignH;
    auto *entry = new hgl::gui::TZCGButton((kGridLeft + kStepX * float(column)) * sx,
                                           (kGridTop + kStepY * float(row)) * sy, kEntryW * sx, kEntryH * sy,
                                           seen ? path.c_str() : u"DreamChar\\unfind.HGP");
    if (seen) entry->OnClick.Bind<&AlbumNewCG::EntryClick>(this);
    entry->OnFocusChange.Bind<&AlbumNewCG::FocusChange>(this);
    entry->SetName(path);
    entry->Index = slot;
    entry->SetVisible(true);
    entry->SetAlpha(fade);
    entry->Strings.Add(cg);
    latest = entry;
    grid[row][column] = entry;
    control->AddObject(entry);
    if (slot == 0) control->SetFocusObject(entry);
    ++entries;
}

void AlbumNewCG::SetZCG(const hgl::u16char *name, int)
{
    if (latest) latest->Strings.Add(Text(name));
}

bool AlbumNewCG::KeyDown(int key)
{
    if (busy || !shown) return false;
    if (key != kKeyEsc) return false;
    leaving = true;
    return true;
}

bool AlbumNewCG::RightDown(int, int, int)
{
    return KeyDown(kKeyEsc);
}

void AlbumNewCG::EntryClick(hgl::gui::Button *button)
{
    auto *entry = static_cast<hgl::gui::TZCGButton *>(button);
    // The viewer runs over the page, which stays drawn beneath it.
    SetNextObject(new ViewHGP(entry->Strings, entry->Left, entry->Top, entry->Width, entry->Height, false));
    SetObjectState(fosPush);
}

void AlbumNewCG::FocusChange(hgl::EventObject *object, bool focus)
{
    auto *entry = static_cast<hgl::gui::TZCGButton *>(object);
    if (!focus || entry->Index == current) return;
    frame.Place(entry->Left, entry->Top, entry->Width, entry->Height);
    current = entry->Index;
}

void AlbumNewCG::SetEntryAlpha(float alpha)
{
    for (auto &row : grid)
        for (hgl::gui::TZCGButton *entry : row)
            if (entry) entry->SetAlpha(alpha);
}

void AlbumNewCG::Draw()
{
    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    const float sx = w / kDesignW, sy = h / kDesignH;

    if (fade > 0 && background && background->Width > 0)
        avg::screen_draw::PictureTo(background, 0, 0, w, h);
    else
        Black(1);

    for (auto &row : grid)
        for (hgl::gui::TZCGButton *entry : row)
            if (entry) entry->SetVisible(true);
    shown = true;

    frame.Pulse();
    frame.Draw(frame_texture.get(), fade, kFrameSide * sx, kFrameAbove * sy, kFrameSide * sx,
               kFrameBelow * sy, avg::AlbumFrame::kCornerW * sx, avg::AlbumFrame::kCornerH * sy);

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
        SetEntryAlpha(fade);
        return;
    }
    if (fade > 0)
    {
        Black(1 - fade);
        fade -= kFadeStep;
        busy = true;
        SetEntryAlpha(std::max(fade, 0.0f));
        close_countdown = kCloseFrames;
        return;
    }
    close_countdown = std::max(close_countdown - 1, 0);
    if (close_countdown == 0)
    {
        SetObjectState(fosReturn);
        busy = false;
    }
}
