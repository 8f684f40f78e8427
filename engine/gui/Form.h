#pragma once
// hgl::gui::Form: a container with a caption. Its drawing is its draw closure
// (nothing without one), under its children. With drag-to-move on (the default) a
// left press on the form where no child takes it lets the form follow the pointer
// until the release.
#include "core/BoundMethod.h"
#include "core/String.h"
#include "gui/DrawnControl.h"

namespace hgl::gui
{
class Form : public DrawnControl
{
    String caption;
    bool drag_move = true;
    bool dragging = false;
    int last_x = 0, last_y = 0; // the pointer when the form last moved

    const String &GetCaptionValue() const { return caption; }
    bool GetDragMove() const { return drag_move; }
    void InitPrivate();

  public:
    Property<String> Caption;
    Property<bool> DragMove;

    // Called at the form's origin with the form.
    BoundMethod<void(Form *)> OnDraw;

    Form(float l, float t, float w, float h, const String &text);
    ~Form() override = default;

    void SetCaption(const String &text) { caption = text; }
    void SetDragMove(bool value);
    bool IsDragging() const { return dragging; }

    void Draw() override;

    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
};
} // namespace hgl::gui
