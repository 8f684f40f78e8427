#pragma once
// The first screen of the CG album: ten character buttons. A click plays a sound,
// fades the screen out and, 20 black frames later, calls the character's CG page;
// when the page returns the screen fades in again. Esc or a right click fades out
// and returns to the caller.
#include "core/String.h"
#include "framework/FlowObject.h"
#include "game/screens/extras/AlbumFrame.h"

#include <memory>

namespace hgl
{
class HGP;
class Texture2D;
namespace gui
{
class Button;
class TZHGPButton;
} // namespace gui
} // namespace hgl

class AlbumNewUnit : public hgl::FlowObject
{
  public:
    static constexpr int kCharacters = 10;
    static constexpr int kOpenFrames = 20;
    static constexpr int kClickSound = 11;
    static constexpr float kFadeStep = 0.02f;
    // The album script of each character button, read from the root of "Local.hac".
    static const hgl::u16char *const kScripts[kCharacters];

  private:
    hgl::HGP *background; // owned by the object control
    std::unique_ptr<hgl::Texture2D> frame_texture;
    float sx, sy;
    avg::AlbumFrame frame;
    int current = -1;
    hgl::gui::TZHGPButton *buttons[kCharacters] = {}; // owned by the object control
    float fade = 0.01f;
    bool leaving = false, busy = true;
    hgl::String selected;
    int open_countdown = 0;

    bool KeyDown(int key);
    bool RightDown(int x, int y, int flags);
    void CharacterClick(hgl::gui::Button *button);
    void FocusChange(hgl::EventObject *object, bool focus);
    void SetButtons(float alpha, bool clickable);

  public:
    AlbumNewUnit();
    ~AlbumNewUnit() override;

    void Draw() override;
    void ProcReturn(hgl::FlowObject *finished) override;

    // For tests.
    hgl::gui::TZHGPButton *GetButton(int i) const { return i >= 0 && i < kCharacters ? buttons[i] : nullptr; }
    float GetFade() const { return fade; }
    bool IsBusy() const { return busy; }
    bool IsLeaving() const { return leaving; }
    const hgl::String &GetSelected() const { return selected; }
    int GetCurrent() const { return current; }
    const avg::AlbumFrame &GetFrame() const { return frame; }
};
