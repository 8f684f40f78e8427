#pragma once
// The glossary: four tabs, each filling a grid of picture buttons from its own
// tips script. A tip entry opens the tip viewer and an object entry the object
// viewer in place of the screen; a scene entry opens the picture viewer over it.
// Esc or a right click fades the screen out and returns.
//
// Script functions: "void SetTips(string,string,string,string)",
// "void SetObject(string,string,string)", "void SetSceneB(string,string)",
// "void SetSceneBZ(string)".
#include "core/ObjectList.h"
#include "core/String.h"
#include "framework/FlowObject.h"

namespace hgl
{
class HGP;
namespace gui
{
class Button;
class MusicButton;
class TZHGPButton;
} // namespace gui
} // namespace hgl

class WordUnit : public hgl::FlowObject
{
  public:
    static constexpr int kTabs = 4;
    static constexpr int kColumns = 13;
    static constexpr float kFadeStep = 0.02f;
    static const hgl::u16char *const kScripts[kTabs];
    static const hgl::u16char kBackground[];

    // The grid of the loaded tab, in canvas pixels.
    struct Grid
    {
        int columns = kColumns, count = 0;
        float top = 0, left = 0, width = 0, height = 0, column_gap = 0, row_gap = 0;
    };

  private:
    hgl::HGP *background; // owned by the object control
    float fade = 0.01f;
    bool leaving = false, busy = true;
    int tab_number = 0, current_tab = -1;
    Grid grid;
    // Each entry is also a child of the object control; deleting it takes it out.
    hgl::ObjectList<hgl::gui::Button> entries;
    hgl::gui::MusicButton *tabs[kTabs] = {};
    hgl::gui::TZHGPButton *latest_scene = nullptr;

    hgl::gui::TZHGPButton *Place(const hgl::u16char *picture);
    void Add(hgl::gui::TZHGPButton *entry);

    void SetTips(const hgl::u16char *, const hgl::u16char *button, const hgl::u16char *viewer,
                 const hgl::u16char *text);
    void SetObject(const hgl::u16char *button, const hgl::u16char *viewer, const hgl::u16char *description);
    void SetSceneB(const hgl::u16char *picture, const hgl::u16char *text);
    void SetSceneBZ(const hgl::u16char *name);

    bool KeyDown(int key);
    bool RightDown(int x, int y, int flags);
    void TabClick(hgl::gui::Button *tab);
    void TipClick(hgl::gui::Button *entry);
    void ObjectClick(hgl::gui::Button *entry);
    void SceneClick(hgl::gui::Button *entry);

  public:
    WordUnit();
    ~WordUnit() override;

    // Clears the grid and fills it from tab i's script (0 .. 3).
    void LoadTab(int i);

    void Draw() override;

    // For tests.
    int GetTabNumber() const { return tab_number; }
    int GetCurrentTab() const { return current_tab; }
    const Grid &GetGrid() const { return grid; }
    int GetEntryCount() const { return entries.GetCount(); }
    hgl::gui::TZHGPButton *GetEntry(int i) const;
    hgl::gui::MusicButton *GetTab(int i) const { return i >= 0 && i < kTabs ? tabs[i] : nullptr; }
    float GetFade() const { return fade; }
    bool IsBusy() const { return busy; }
    bool IsLeaving() const { return leaving; }
};
