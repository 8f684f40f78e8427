#pragma once
// hgl::gui::TexLabel: shows a texture at its own size, faded by the label's alpha.
#include "framework/GUIObject.h"
#include "gui/WidgetSupport.h"

#include <memory>

namespace hgl
{
class Texture2D;
}

namespace hgl::gui
{
class TexLabel : public GUIObject
{
    std::unique_ptr<Texture2D> owned; // the texture when the label owns it
    Texture2D *texture;
    MissingNotice no_texture;

  public:
    // own: the label deletes the texture with itself.
    TexLabel(float l, float t, Texture2D *shown, bool own);
    ~TexLabel() override;

    Texture2D *GetTexture() const { return texture; }

    void Draw() override;
};
} // namespace hgl::gui
