#include "gui/TexLabel.h"

#include "graphics/texture/Texture.h"

namespace hgl::gui
{
TexLabel::TexLabel(float l, float t, Texture2D *shown, bool own)
    : GUIObject(l, t, 0, 0), owned(own ? shown : nullptr), texture(shown)
{
    focusable = false;
    if (texture) SetSize(float(texture->Width), float(texture->Height));
}

TexLabel::~TexLabel() = default;

void TexLabel::Draw()
{
    if (!texture || texture->IsEmpty())
    {
        no_texture.Tell(u"贴图标签<%s>没有贴图，不绘制!", name.c_str());
        return;
    }
    const float kept = texture->Color.a;
    texture->Color.a = kept * alpha;
    texture->Draw(left, top, width / texture->Width, height / texture->Height);
    texture->Color.a = kept;
}
} // namespace hgl::gui
