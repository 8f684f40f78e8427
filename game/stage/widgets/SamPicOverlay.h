#pragma once
// The in-game screen's full-screen overlays drawn through an animated picture: the
// red pulse, and the one-shot animation that goes off after its last layer.
#include "game/core/ScreenOverlay.h"
#include "game/stage/widgets/SamPic.h"

class SamPicOverlay : public avg::ScreenOverlay
{
  public:
    using avg::ScreenOverlay::ScreenOverlay;

    void Start(const hgl::String &picture) override;
    void Draw() override;

  private:
    SamPic pic;
    bool loaded = false;
};
