#pragma once
// The CG page of one character in the album. Its album script (from the root of
// "Local.hac") sets the page background and declares up to 16 CG entries in a
// 4 x 4 grid; an entry shows its thumbnail once the story has shown the CG, else
// the "not found" picture, and only a seen entry opens the picture viewer over the
// page. Esc or a right click fades the page out and returns to the album.
//
// Script functions: "void SetBG(string)", "void SetCG(string,int)",
// "void SetZCG(string,int)".
#include "core/String.h"
#include "framework/FlowObject.h"
#include "game/screens/extras/AlbumFrame.h"

#include <memory>

namespace hgl
{
class HGP;
class Texture2D;
namespace gui
{
class Button;
class TZCGButton;
} // namespace gui
} // namespace hgl

class AlbumNewCG : public hgl::FlowObject
{
  public:
    static constexpr int kColumns = 4, kRows = 4, kPerPage = kColumns * kRows;
    static constexpr int kCloseFrames = 20;
    static constexpr float kFadeStep = 0.02f;

  private:
    hgl::HGP *background = nullptr; // owned by the object control
    std::unique_ptr<hgl::Texture2D> frame_texture;
    bool backgrounds;
    bool shown = false;
    int current = -1;
    avg::AlbumFrame frame;
    int page = 1, counter = 1;
    hgl::String script;
    hgl::gui::TZCGButton *latest = nullptr;
    hgl::gui::TZCGButton *grid[kRows][kColumns] = {};
    int entries = 0;
    float fade = 0.01f;
    bool leaving = false, busy = true;
    int close_countdown = kCloseFrames;

    void SetBG(const hgl::u16char *name);
    void SetCG(const hgl::u16char *name, int);
    void SetZCG(const hgl::u16char *name, int);

    bool KeyDown(int key);
    bool RightDown(int x, int y, int flags);
    void EntryClick(hgl::gui::Button *button);
    void FocusChange(hgl::EventObject *object, bool focus);
    void SetEntryAlpha(float alpha);

  public:
    AlbumNewCG(const hgl::u16char *script_name, bool use_backgrounds);
    ~AlbumNewCG() override;

    void Draw() override;

    // For tests.
    const hgl::String &GetScript() const { return script; }
    int GetEntryCount() const { return entries; }
    int GetCounter() const { return counter; }
    hgl::gui::TZCGButton *GetEntry(int row, int column) const;
    hgl::HGP *GetBackground() const { return background; }
    float GetFade() const { return fade; }
    bool IsBusy() const { return busy; }
    bool IsLeaving() const { return leaving; }
    bool IsShown() const { return shown; }
    int GetCurrent() const { return current; }
    const avg::AlbumFrame &GetFrame() const { return frame; }
};
