#pragma once
// The object viewer of the glossary: an object's picture on black with its
// description laid out in lines below it. Any key or a right click returns.
#include "core/String.h"
#include "framework/FlowObject.h"
#include "graphics/font/Makeup.h"

#include <memory>

namespace hgl
{
class HGP;
class TileFont;
} // namespace hgl

class ViewObject : public hgl::FlowObject
{
  public:
    static constexpr float kFontRatio = 0.04f;

  private:
    hgl::HGP *background, *object; // owned by the object control; the background is not drawn
    hgl::String description;
    hgl::Makeup makeup; // its origin is the text's left and top
    int line_width = 0;
    std::unique_ptr<hgl::TileFont> font;
    float canvas_w, canvas_h;

    bool Close(int key);
    bool CloseOnRight(int x, int y, int flags);

  public:
    ViewObject(const hgl::u16char *background_name, const hgl::u16char *object_name,
               const hgl::u16char *description);
    ~ViewObject() override;

    void Draw() override;

    const hgl::Makeup &GetMakeup() const { return makeup; }
    int GetLineWidth() const { return line_width; }
    hgl::TileFont *GetFont() const { return font.get(); }
};
