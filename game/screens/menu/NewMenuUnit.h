#pragma once
// The in-game menu, pushed over the running game, which it dims. Six picture
// items drop in from the top edge one after another (each starts once its left
// neighbour is a quarter of the way down): return to the title, return to the
// game, options, save, load and backlog. Keys are swallowed until all six stand;
// then they become buttons and the focused one is framed by two breathing
// corner brackets. Esc, a right click or the return item raise the items again,
// the backlog first, and the game goes on.
//
// Save and load fade the menu to black, rest 20 frames and call their screen; the
// menu fades back in when it returns. The options and the backlog open over the
// menu. Returning to the title asks first; on yes everything fades to black under
// OnlyForNewMenu and a new title takes the place of every screen.
//
// The items move a fixed step a drawn frame, however long the frame took, and an
// item whose picture is missing moves (unseen) all the same.
#include "core/Types.h"
#include "framework/FlowObject.h"

#include <memory>

namespace hgl
{
class EventObject;
class HGP;
class Texture2D;
namespace gui
{
class Button;
class HGPButton;
} // namespace gui
} // namespace hgl

class HGPSelect;

namespace avg
{
class GameUnit;
class MessageStage;
struct GameWiring;

namespace menu
{
class NewMenuUnit : public hgl::FlowObject
{
  public:
    static constexpr int kItemCount = 6;
    enum Item
    {
        itTitle,
        itReturn,
        itOption,
        itSave,
        itLoad,
        itHistory,
    };
    static constexpr float kDim = 0.3f;
    static constexpr float kDropStep = 0.05f; // of the item height, a frame
    static constexpr float kFadeStep = 0.02f;
    static constexpr int kWaitFrames = 20;
    static constexpr int kMarkerFrames = 15;

  private:
    const GameWiring &wiring;
    GameUnit *game;        // not owned
    MessageStage *message; // not owned: the message window
    float item_w, item_h, item_gap, drop_speed;
    float mx, my; // canvas / 1600 x 1200
    hgl::HGP *pictures[kItemCount];
    std::unique_ptr<hgl::Texture2D> flag;
    float item_x[kItemCount], item_y[kItemCount];
    hgl::gui::HGPButton *buttons[kItemCount] = {};
    int selected = -1;
    float marker_left = 0, marker_top = 0, marker_width = 0, marker_height = 0;
    bool marker_direction = false;
    int marker_counter = 0;
    hgl::uint64 last_time;
    hgl::uint64 elapsed = 0;
    bool items_ready = false;
    bool dropping = true;
    bool raising = false;
    int result = 0; // itSave or itLoad: the screen to call after the fade
    bool fade_requested = false;
    bool called = false;
    float alpha = 1.0f;
    int wait = 0;
    HGPSelect *confirm = nullptr; // the title question while it is open

    void DrawItem(int i);
    void DropIn();
    void Rise();
    void CreateButtons();
    void SetClicks();
    void ClearClicks();
    void SetItemAlpha(float value);
    void DrawMarker();
    void CloseFade(float W, float H);
    void FadeBack(float W, float H);

    void OnReturn(hgl::gui::Button *);

  public:
    // The wiring gives the screens the menu opens; it outlives the menu.
    NewMenuUnit(const GameWiring &wiring, GameUnit *game_unit, MessageStage *dialog);
    ~NewMenuUnit() override;

    void Draw() override;
    void ProcReturn(hgl::FlowObject *finished) override;
    bool Proc_MouseRightDown(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;

    // The items' actions.
    void ConfirmTitle(hgl::gui::Button *);
    void OpenOption(hgl::gui::Button *);
    void SelectSave(hgl::gui::Button *);
    void SelectLoad(hgl::gui::Button *);
    void OpenHistory(hgl::gui::Button *);
    // The title question's answer: 1 yes, 0 no.
    void ReturnToTitle(int answer);
    void ItemFocused(hgl::EventObject *button, bool focus);

    bool IsDropping() const { return dropping; }
    bool IsRaising() const { return raising; }
    bool IsReady() const { return items_ready; }
    bool IsCalled() const { return called; }
    bool IsFadeRequested() const { return fade_requested; }
    float GetAlpha() const { return alpha; }
    int GetSelected() const { return selected; }
    float GetItemX(int i) const { return item_x[i]; }
    float GetItemY(int i) const { return item_y[i]; }
    float GetItemHeight() const { return item_h; }
    hgl::gui::HGPButton *GetButton(int i) const { return buttons[i]; }
    hgl::uint64 GetElapsed() const { return elapsed; }
    void GetMarker(float &left, float &top, float &width, float &height) const
    {
        left = marker_left;
        top = marker_top;
        width = marker_width;
        height = marker_height;
    }
};

// Fades everything to black over all screens, then clears them all in favour of
// the screen it holds (the new title), handed over once.
class OnlyForNewMenu : public hgl::FlowObject
{
    float alpha = 0;
    hgl::FlowObject *next; // owned until handed over

  public:
    static constexpr float kFadeStep = 0.01f;

    explicit OnlyForNewMenu(hgl::FlowObject *next_screen);
    ~OnlyForNewMenu() override;

    void Draw() override;

    float GetAlpha() const { return alpha; }
    bool IsHolding() const { return next != nullptr; }
};
} // namespace menu
} // namespace avg
