#pragma once
// An event object with a rectangle (Left, Top, Width, Height, in the coordinate space
// of its owner), an alignment mode its owner lays it out by, and the screen origin of
// that space. It keeps a pointer-over flag from the pointer moves it sees and fires
// OnPointerOver when the pointer enters it.
#include "framework/EventObject.h"

namespace hgl
{
class TileFont;

// How an owner's AlignObjects places a child: not at all, along one edge of the space
// left (taking the whole width or height of it), or over all of what remains.
enum VAlign
{
    alNone = 0,
    alTop,
    alBottom,
    alLeft,
    alRight,
    alClient,
};

class GUIObject : public EventObject
{
    void InitPrivate();

  protected:
    float left = 0, top = 0, width = 0, height = 0;
    VAlign align = alNone;
    float origin_x = 0, origin_y = 0;
    bool pointer_over = false;
    TileFont *font = nullptr;
    void *user_data = nullptr;

    float GetLeft() const { return left; }
    float GetTop() const { return top; }
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    VAlign GetAlign() const { return align; }
    TileFont *GetFont() const { return font; }

  public:
    Property<float> Left, Top, Width, Height;
    Property<VAlign> Align;
    Property<TileFont *> Font;

    // Called with this object when the pointer enters it.
    BoundMethod<void(GUIObject *)> OnPointerOver;

    GUIObject();
    GUIObject(float l, float t, float w, float h);
    ~GUIObject() override = default;

    virtual void SetLeft(float value) { left = value; }
    virtual void SetTop(float value) { top = value; }
    virtual void SetWidth(float value) { width = value; }
    virtual void SetHeight(float value) { height = value; }
    virtual void SetAlign(VAlign value) { align = value; }
    virtual void SetFont(TileFont *value) { font = value; }
    void SetPosition(float l, float t);
    void SetSize(float w, float h);

    // The screen position of the space Left/Top are measured in.
    virtual void SetOrigin(float x, float y);
    float GetOriginX() const { return origin_x; }
    float GetOriginY() const { return origin_y; }

    void SetUserData(void *data) { user_data = data; }
    void *GetUserData() const { return user_data; }

    bool IsPointerOver() const { return pointer_over; }
    // Whether (x, y), in the owner's space, lies inside the rectangle (right and bottom
    // edges excluded).
    bool PointIn(int x, int y) const;

    // Keeps the pointer-over flag; handles nothing.
    bool Proc_MouseMove(int x, int y, int flags) override;
};
} // namespace hgl
