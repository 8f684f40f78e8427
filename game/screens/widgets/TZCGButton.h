#pragma once
// hgl::gui::TZCGButton: an entry of the CG album page: the thumbnail inside a
// frame picture, with one cloud tile for each entry of its string list, in rows of
// four from the bottom-left corner upwards. It looks the same in every state.
#include "gui/Button.h"
#include "io/StringList.h"

#include <memory>

namespace hgl
{
class HGP;
class Texture2D;
} // namespace hgl

namespace hgl::gui
{
class TZCGButton : public Button
{
    std::unique_ptr<HGP> frame;
    std::unique_ptr<Texture2D> cloud;
    std::unique_ptr<HGP> thumbnail;

    void DrawEntry(Button *, int state);

  public:
    StringList Strings;

    TZCGButton(float l, float t, float w, float h, const u16char *thumbnail_name);
    ~TZCGButton() override;

    // The owner sets the alpha (SetAlpha) after construction.
    float GetAlpha() const { return alpha; }
};
} // namespace hgl::gui
