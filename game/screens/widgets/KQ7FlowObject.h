#pragma once
// The bases of the game's pop-up screens.
//
// KQ7FlowObject: Esc returns to the screen below, and so does a right click
// anywhere (it is Esc: a screen that takes Esc itself decides both). Other keys
// go to the children, then to the screen's key closure.
//
// KQ7TitleFlow: the layout scale of a 1024 x 768 design and an optional title
// picture at its top-left corner.
//
// TZScrollBoxFlow: a framed form (below the title) holding a scroll box that has
// the input focus, so that arrows, joystick and wheel scroll it.
#include "framework/FlowObject.h"

class KQ7Form;
class scrollbox;

namespace hgl
{
class Texture2D;
}

class KQ7FlowObject : public hgl::FlowObject
{
  public:
    KQ7FlowObject() = default;
    ~KQ7FlowObject() override = default;

    bool Proc_MouseRightDown(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
};

class KQ7TitleFlow : public KQ7FlowObject
{
  protected:
    float ScaleX, ScaleY;            // canvas / 1024 x 768
    hgl::Texture2D *title = nullptr; // shown (and owned) by the title label

  public:
    // title: a texture of "Data.hac", or null for none.
    explicit KQ7TitleFlow(const hgl::u16char *title_name);
    ~KQ7TitleFlow() override = default;

    float GetScaleX() const { return ScaleX; }
    float GetScaleY() const { return ScaleY; }
    hgl::Texture2D *GetTitle() const { return title; }
};

class TZScrollBoxFlow : public KQ7TitleFlow
{
  protected:
    KQ7Form *form;  // a child of the screen's object control
    scrollbox *box; // a child of the form

  public:
    // frame, bar and title are textures of "Data.hac" (title may be null).
    TZScrollBoxFlow(int left, int top, int width, int height, const hgl::u16char *frame,
                    const hgl::u16char *bar, const hgl::u16char *title_name);
    ~TZScrollBoxFlow() override = default;

    KQ7Form *GetForm() const { return form; }
    scrollbox *GetScrollBox() const { return box; }
};
