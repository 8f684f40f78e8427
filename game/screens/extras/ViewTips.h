#pragma once
// The tip viewer of the glossary: a term's picture slides in from the left with
// a soft shadow beside the entry's own button picture, and the term's title and
// explanation are written in vertical columns from right to left, all fading in
// over 100 frames on the glossary's background. Any key or a right click returns.
#include "core/String.h"
#include "framework/FlowObject.h"

#include <memory>

namespace hgl
{
class HGP;
class HGPSame;
class HGPLayer;
class TileFont;
} // namespace hgl

class ViewTips : public hgl::FlowObject
{
  public:
    static constexpr int kAppearFrames = 100;
    // Design positions on a 1600 x 1200 canvas.
    static constexpr float kTitleX = 1476, kBodyX = 1342, kTextTop = 290, kColumnShift = 64;
    static constexpr float kBodyFontRatio = 0.04f, kTitleFontRatio = 0.046666667f;

  private:
    // Owned by the object control.
    hgl::HGP *background, *pattern;
    hgl::HGPSame *picture, *shadow;
    hgl::HGP *entry;
    hgl::HGPLayer *entry_select; // the entry's "Select" layer, or null

    hgl::String title, body;
    std::unique_ptr<hgl::TileFont> title_font, body_font;

    int appear = 0; // frames drawn, up to kAppearFrames
    float sx, sy, canvas_w, canvas_h;
    float picture_left = 0, picture_top = 0, picture_scale = 1;

    bool Close(int key);
    bool CloseOnRight(int x, int y, int flags);
    void DrawColumns(float t);

  public:
    ViewTips(const hgl::u16char *background_name, const hgl::u16char *picture_name, const hgl::u16char *text,
             const hgl::u16char *entry_name);
    ~ViewTips() override;

    void Draw() override;

    // The appear level t, 0 .. 1.
    float GetAppear() const { return float(appear) / float(kAppearFrames); }
    const hgl::String &GetTitle() const { return title; }
    const hgl::String &GetBody() const { return body; }
    float GetPictureLeft() const { return picture_left; }
    float GetPictureTop() const { return picture_top; }
    float GetPictureScale() const { return picture_scale; }
    // Where the picture is drawn now (it slides while it appears).
    float GetPictureX() const;
    // The fonts, for layout checks; null when one could not be made.
    hgl::TileFont *GetTitleFont() const { return title_font.get(); }
    hgl::TileFont *GetBodyFont() const { return body_font.get(); }
};
