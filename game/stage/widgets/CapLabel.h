#pragma once
// A caption over the stage in a fixed timed sequence: the first text types itself
// over a picture uncovered in step with it; a second after it is complete the
// picture fades, then the first text; then the second text fades in and, after a
// while, erases itself from its first character on. The label then stays, empty,
// until its owner replaces it.
#include "core/Limit.h"
#include "core/Types.h"
#include "game/core/StageManagers.h"
#include "graphics/font/Makeup.h"
#include "gui/Label.h"

#include <memory>

namespace hgl
{
class Texture2D;
class TileFont;
} // namespace hgl

class CapLabel : public hgl::gui::Label, public avg::CaptionPlace
{
  public:
    static constexpr float kRevealStep = 0.033333335f;

    // With the default caption font.
    CapLabel(int left, int top, const hgl::u16char *text1, const hgl::u16char *text2,
             const hgl::u16char *picture);
    CapLabel(int left, int top, const hgl::u16char *text1, const hgl::u16char *text2,
             const hgl::u16char *picture, hgl::TileFont *font);
    ~CapLabel() override;

    bool IsAt(float x, float y) const override { return GetLeft() == x && GetTop() == y; }

    float GetFirstReveal() const { return first_reveal.value; }
    float GetSecondReveal() const { return second_reveal.value; }
    float GetFirstAlpha() const { return first_alpha; }
    float GetSecondAlpha() const { return second_alpha; }
    float GetPictureAlpha() const { return picture_alpha; }
    hgl::uint64 GetSequenceStart() const { return sequence_start; }

    // White text with a black shadow one pixel down and right.
    void DrawGlyph(hgl::TileFont *font, float x, float y, const hgl::RectScope2<float> &glyph, float a,
                   hgl::u16char ch);
    void DrawCaption(hgl::gui::Label *label);

  private:
    float picture_scale_x = 0, picture_scale_y = 0;
    float first_alpha = 1.0f, second_alpha = 0, picture_alpha = 1.0f;
    hgl::uint64 sequence_start = 0;
    std::unique_ptr<hgl::Texture2D> picture;
    hgl::String first_text, second_text;
    hgl::Makeup first_layout, second_layout;
    hgl::Limit<float> first_reveal, second_reveal;

    void Init(const hgl::u16char *text1, const hgl::u16char *text2, const hgl::u16char *picture_name);
    void DrawRange(const hgl::Makeup &layout, const hgl::String &text, int from, int to, float x, float y,
                   float a);
    void Timeline(hgl::int64 t, int count2, float y);
};
