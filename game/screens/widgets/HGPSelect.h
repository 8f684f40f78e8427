#pragma once
// A yes/no question shown as a picture, centred over the screen below, which it
// darkens, with a yes and a no picture button under it. The caller pushes it over
// itself and hears the answer through the result closure: 1 for yes, 0 for no,
// nothing at all when the dialog is closed with Esc or a right click. The no
// button has the focus, so Enter answers no.
#include "core/BoundMethod.h"
#include "game/screens/widgets/KQ7FlowObject.h"

namespace hgl
{
class HGP;
namespace gui
{
class Button;
class HGPButton;
} // namespace gui
} // namespace hgl

class KQ7Form;

class HGPSelect : public KQ7FlowObject
{
    float dim = 0;
    float form_w, form_h;
    KQ7Form *form;      // a child of the object control
    int tag;            // kept for the caller
    hgl::HGP *question; // a child of the object control
    hgl::gui::HGPButton *yes_button, *no_button;

    void OnYes(hgl::gui::Button *);
    void OnNo(hgl::gui::Button *);

  public:
    static constexpr float kDimLimit = 0.7f, kDimStep = 0.025f;

    hgl::BoundMethod<void(int)> OnResult;

    // Picture names in "Data.hac".
    HGPSelect(const hgl::u16char *question_name, const hgl::u16char *yes_name, const hgl::u16char *no_name,
              int tag_value);
    ~HGPSelect() override = default;

    float GetDim() const { return dim; }
    int GetTag() const { return tag; }
    KQ7Form *GetForm() const { return form; }
    hgl::gui::HGPButton *GetYesButton() const { return yes_button; }
    hgl::gui::HGPButton *GetNoButton() const { return no_button; }

    void Draw() override;
};
