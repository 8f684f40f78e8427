#pragma once
// hgl::gui::HGPButton: a button drawn from one layer of a layered picture per
// state: the layers named "Normal", "Disable", "Select" and "Push" for the normal,
// disabled, focused and pressed states, or layers 0 to 3 when the picture has no
// "Normal" layer. A state without its layer shows the normal one. The picture is
// scaled to the button's size; a width or height of 0 or less takes the picture's.
#include "gui/Button.h"
#include "gui/WidgetSupport.h"

#include <memory>

namespace hgl
{
class HAC;
class HGP;
class HGPLayer;
} // namespace hgl

namespace hgl::gui
{
class HGPButton : public Button
{
    static constexpr int StateCount = 4;

    std::unique_ptr<HGP> owned_picture; // the picture when loaded by the button
    HGP *picture = nullptr;
    int state_layer[StateCount] = {-1, -1, -1, -1};
    MissingNotice no_picture;

    void Setup(float w, float h, const u16char *what);
    void FindStateLayers();
    void DrawState(Button *button, int state);

  public:
    // Loads the picture from the archive and owns it.
    HGPButton(float l, float t, float w, float h, HAC *archive, const u16char *picture_name);
    // Shows a picture the caller keeps owning.
    HGPButton(float l, float t, float w, float h, HGP *shown_picture);
    ~HGPButton() override;

    HGP *GetPicture() const { return picture; }
    // The layer shown for a state (ButtonState), so that owners can set its alpha;
    // null when the picture has none for it.
    HGPLayer *GetStateLayer(int state) const;
};
} // namespace hgl::gui
