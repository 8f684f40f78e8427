#pragma once
// hgl::gui::TexLabel: shows a texture at its own size, faded by the label's alpha.
#include "framework/GUIObject.h"
#include "gui/WidgetSupport.h"

namespace hgl
{
class Texture2D;
}

namespace hgl::gui
{
class TexLabel : public GUIObject
{
    Texture2D *texture;
    bool own_texture;
    MissingNotice no_texture;

  public:
    // own: the label deletes the texture with itself.
    TexLabel(float l, float t, Texture2D *shown, bool own);
    ~TexLabel() override;

    Texture2D *GetTexture() const { return texture; }

    void Draw() override;
};
} // namespace hgl::gui
