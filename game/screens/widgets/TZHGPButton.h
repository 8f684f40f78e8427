#pragma once
// hgl::gui::TZHGPButton: the game's picture button. Its alpha is copied into the
// alpha of the four state layers, so a whole set of buttons fades together; at
// alpha 0 it still takes clicks until its owner clears the click closure. The
// object name and a string list are the owner's to fill (a glossary entry keeps
// its viewer's arguments and pictures there).
#include "gui/HGPButton.h"
#include "io/StringList.h"

namespace hgl::gui
{
class TZHGPButton : public HGPButton
{
  public:
    StringList Strings;

    // Loads the picture from the archive and owns it.
    TZHGPButton(float l, float t, float w, float h, HAC *archive, const u16char *picture_name);
    // Shows a picture the caller keeps owning.
    TZHGPButton(float l, float t, float w, float h, HGP *shown_picture);
    ~TZHGPButton() override = default;

    void SetAlpha(float value) override;
    float GetAlpha() const { return alpha; }
};
} // namespace hgl::gui
