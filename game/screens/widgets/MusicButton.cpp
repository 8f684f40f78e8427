#include "game/screens/widgets/MusicButton.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/hgp/HGP.h"

namespace hgl::gui
{
MusicButton::MusicButton(float l, float t, float w, float h, const u16char *name, bool in_music_folder)
    : Button(l, t, w, h)
{
    const String file = name ? name : u"";
    picture.reset(avg::LoadHGP(in_music_folder ? String(u"DreamMusic\\") + file : file));
    OnDraw.Bind<&MusicButton::DrawTrack>(this);
}

MusicButton::~MusicButton() = default;

void MusicButton::DrawTrack(Button *, int)
{
    picture->SetAlpha(alpha);
    const u16char *layer = Selected ? u"Clicked" : (focus ? u"Actived" : u"Normal");
    avg::screen_draw::LayerTo(picture.get(), picture->FindLayerIndex(layer), 0, 0, width, height);
}
} // namespace hgl::gui
