#pragma once
// The quick menu of the message window: it slides down out of the frame button
// (5 pixels a frame, until its top reaches the canvas top), then offers auto-pass
// (skip mode) and auto-play, each confirmed with a yes/no picture dialog. As soon
// as the pointer leaves its column once the items are up, it slides back into
// the button and returns to the game.
#include "framework/FlowObject.h"

#include <memory>

namespace avg
{
class GameUnit;
}

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

class MsgBoxMenu : public hgl::FlowObject
{
  public:
    enum Item
    {
        AutoPass,
        AutoPlay,
        ItemCount,
    };

  private:
    std::unique_ptr<hgl::Texture2D> frame, pointer;
    float left, top, width, height;
    float sx, sy;
    float post_inset, post_width, post_height;
    float start_top;
    bool opening = true;
    bool built = false;
    hgl::HGP *pictures[ItemCount]; // children of the object control
    hgl::gui::HGPButton *buttons[ItemCount] = {};
    float pointer_x = 0, pointer_y = 0;
    bool pointer_moving_left = true;
    float pointer_offset = 0;
    avg::GameUnit *game;
    int asked = -1; // the item the open confirmation is about

    void Slide();
    void DrawFrame();
    void Build();
    void StepPointer();
    void Ask(hgl::gui::Button *button);
    void PlacePointer(hgl::EventObject *button, bool focus);
    bool CloseTest(int x, int y, int flags);
    void Answer(int yes);

  public:
    static constexpr float kSlideStep = 5;

    // The frame button's rectangle, and the in-game screen whose modes it switches.
    MsgBoxMenu(float left, float top, float width, float height, avg::GameUnit *game);
    ~MsgBoxMenu() override;

    float GetTop() const { return top; }
    bool IsOpening() const { return opening; }
    bool IsBuilt() const { return built; }
    hgl::gui::HGPButton *GetButton(int item) const;
    float GetPointerX() const { return pointer_x; }
    float GetPointerY() const { return pointer_y; }
    float GetPointerOffset() const { return pointer_offset; }

    void Draw() override;
};
