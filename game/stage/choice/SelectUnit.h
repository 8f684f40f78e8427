#pragma once
// The choice menu of the in-game screen. The script announces a story variable and
// how many options follow ("SELECT"), then sends the options ("SELDT",
// "SELDT_Switch"); when the last one has come, the script pauses and the options
// stand as a column of text buttons over a frame at the bottom of the screen. The
// player picks one with the pointer, the keys or a joystick: its position (0 for
// the first) goes into the variable, the variable's name with the position is
// remembered as chosen, and the story goes on. The script then branches on the
// variable, itself or through "SWITCH"/"CaseGoto".
//
// A pick only records the button; the menu carries it out at its next update, so
// the buttons are never deleted under their own handlers and no script runs
// inside input handling. Further picks before then are ignored.
//
// At most ten options make a choice (positions 0 to 9); a button's index is the
// position, plus 10 when that option was chosen in an earlier game. An empty
// option (or one whose "SELDT_Switch" flags are not all met) is hidden: it keeps
// its position but takes no row. A choice with no option to show does not open.
#include "core/RectScope.h"
#include "core/String.h"
#include "game/core/StageManagers.h"
#include "io/StringList.h"

#include <memory>
#include <vector>

namespace hgl
{
class DevilEngine;
class Texture2D;
namespace gui
{
class Button;
}
} // namespace hgl

class GameValue;
class KQ7Button;

namespace avg
{
class GameStateControl;

class SelectUnit : public ChoiceStage
{
  public:
    static constexpr int kMaxOptions = 10;
    // The index of an option chosen before is its position plus this.
    static constexpr int kSeenIndex = 10;

    // game may be null (no autosave, no skip to end, the text speed left alone).
    SelectUnit(GameUnit *game, GameStateControl *state, GameValue *values, hgl::DevilEngine *engine);
    ~SelectUnit() override;

    void RegisterScript(hgl::DevilEngine *engine);
    // Buttons shown: 0 while no choice is open.
    int GetCount() const override { return int(buttons.size()); }
    // The menu's alpha and that of every button's colours.
    void SetAlpha(float value) override;
    // Writes "选择项" only while a choice is open; false otherwise.
    bool SaveState(hgl::TDFNode *record) override;
    // Opens the saved choice again; without "选择项" nothing happens. False (logged)
    // when the node is there but its variable cannot be read.
    bool LoadState(hgl::TDFNode *record) override;
    // Deletes the buttons, forgets the options and a pick not carried out yet.
    void Clear();

    void UpdateObject() override;
    void Update() override;
    void DrawObject() override;
    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_JoystickDown(int button) override;

    const hgl::StringList &GetOptions() const { return options; }
    const hgl::String &GetVariable() const { return variable; }
    int GetExpected() const { return expected; }
    KQ7Button *GetButton(int i) const { return buttons[size_t(i)]; }
    KQ7Button *GetFocusButton() const;
    // The menu's place on the canvas; the buttons lie in it, relative to its top-left.
    hgl::RectScope2<float> GetMenuRect() const;
    // In the menu's coordinates.
    const hgl::RectScope2<float> &GetHighlight() const { return highlight; }
    bool IsHighlightSeen() const { return highlight_seen; }
    float GetFlagOffset() const { return flag_offset; }

  private:
    class Menu;

    GameStateControl *state;
    GameValue *values;
    hgl::DevilEngine *engine;
    GameUnit *game;
    std::unique_ptr<Menu> menu;       // holds the buttons
    std::vector<KQ7Button *> buttons; // in the menu, in creation order
    hgl::StringList options;          // a hidden one is " "
    bool flag_moving_left = true;
    float flag_offset = 0;
    bool highlight_seen = false;
    bool pictures_tried = false; // read when the first choice opens
    std::unique_ptr<hgl::Texture2D> seen_mark, frame, bar, flag;
    hgl::RectScope2<float> highlight;
    int expected = 0;
    hgl::String variable;
    int pending = -1; // the index of a pick not carried out yet

    void LoadPictures();
    void Open();
    void BuildButtons();
    void Pick(hgl::gui::Button *button);
    void CarryOutPick();
    void OnButtonFocus(hgl::EventObject *button, bool focus);
    void MoveFocus(int step);
    void DrawMenu();
    bool HasVisibleOption() const;
    void AddOption(const hgl::u16char *text);
    bool Met(const hgl::u16char *flag);

    void SELECT(const hgl::u16char *name, int count);
    void SELDT(const hgl::u16char *text);
    void SELDT_Switch(const hgl::u16char *text, const hgl::u16char *flag1, const hgl::u16char *flag2,
                      const hgl::u16char *flag3);
    void SWITCH(const hgl::u16char *name, int);
    void CaseGoto(int value, const hgl::u16char *label);
};
} // namespace avg
