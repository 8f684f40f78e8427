#pragma once
// A form that either draws a frame stretched from one picture around its area or
// draws nothing of its own. The frame is five quads: a band along the top and the
// bottom, a side on the left and the right, and the centre; the bottom band and
// the right side are the top band and the left side of the picture turned round,
// the centre is the right half of the picture below its top band.
#include "gui/Form.h"

#include <memory>

namespace hgl
{
class Texture2D;
}

class KQ7Form : public hgl::gui::Form
{
    std::unique_ptr<hgl::Texture2D> frame;

    void NoFrame(hgl::gui::Form *) {}

  public:
    // With framed set, frame (a texture of "Data.hac") is drawn around the area.
    KQ7Form(int left, int top, int width, int height, const hgl::u16char *frame_name, bool framed);
    // Draws nothing of its own.
    KQ7Form(int left, int top, int width, int height);
    ~KQ7Form() override;

    hgl::Texture2D *GetFrameTexture() const { return frame.get(); }
    // The band height and the side width on the current canvas.
    static float BandHeight();
    static float SideWidth();

    void DrawFrame(hgl::gui::Form *form);
};
