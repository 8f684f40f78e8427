#pragma once
// hgl::gui::MusicButton: a track of the music room (and a tab of the glossary):
// its picture's layer "Clicked" while selected, "Actived" while focused, else
// "Normal", at the button's alpha. Two texts are the owner's (the music's name
// and its title).
#include "core/String.h"
#include "gui/Button.h"

#include <memory>

namespace hgl
{
class HGP;
}

namespace hgl::gui
{
class MusicButton : public Button
{
    std::unique_ptr<HGP> picture;

    void DrawTrack(Button *, int state);

  public:
    String Music, Title;
    bool Selected = false;

    // The picture is "DreamMusic\" + name when in_music_folder is set, else name.
    MusicButton(float l, float t, float w, float h, const u16char *name, bool in_music_folder);
    ~MusicButton() override;

    float GetAlpha() const { return alpha; }
    HGP *GetPicture() const { return picture.get(); }
};
} // namespace hgl::gui
