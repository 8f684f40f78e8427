#pragma once
// The full-screen picture viewer of the extras. It shows a list of scene
// pictures one at a time: opened from a CG thumbnail it first grows the picture
// out of the thumbnail's rectangle to the whole canvas (800 ms); a left click
// cross-fades to the next picture (1 s, cycling); Esc or a right click fades the
// viewer out (50 frames) and returns. From the glossary it opens at full size with
// a row of markers, one per picture. Callers run it as an overlay.
#include "core/String.h"
#include "core/Types.h"
#include "framework/FlowObject.h"
#include "io/StringList.h"

namespace hgl
{
class HGP;
}

class ViewHGP : public hgl::FlowObject
{
  public:
    static constexpr int kOpenMs = 800;
    static constexpr float kOpenStep = 0.00125f; // of the distance, per millisecond
    static constexpr int kSwitchMs = 1000;
    static constexpr float kSwitchAlphaStep = 0.001f; // per millisecond
    static constexpr float kCloseStep = 0.02f;        // per frame
    static constexpr int kCloseFrames = 50;
    static constexpr int kLongestFrameMs = 100;

  private:
    hgl::StringList names;
    int index = 0;
    // The scene cache owns the pictures and may evict them, so the viewer keeps
    // their cache paths and asks again each frame.
    hgl::String current_path, next_path;
    bool switching = false;
    hgl::int64 switch_start = 0;
    bool opening = true;
    float rect[4];  // x, y, width, height of the growing picture
    float steps[4]; // per millisecond
    int opened_ms = 0;
    bool closing = false;
    int closed_frames = 0; // counted, so that the 50th frame ends it whatever the rounding
    float alpha = 1.0f;
    bool show_markers;
    hgl::HGP *marker = nullptr; // owned by the object control
    hgl::int64 last_time = 0, elapsed = 0;

    hgl::String PathOf(int i) const;
    void FinishSwitch();
    void DrawOpening(hgl::HGP *current);
    void DrawShowing(hgl::HGP *current);

  public:
    ViewHGP(const hgl::StringList &names, float left, float top, float width, float height,
            bool show_markers);
    ~ViewHGP() override;

    // The input closures of the screen.
    bool OnKeyDown(int key);
    bool OnMouseLeftDown(int x, int y, int flags);
    bool OnMouseRightDown(int x, int y, int flags);

    void Draw() override;

    // For tests and callers that ask.
    int GetIndex() const { return index; }
    bool IsOpening() const { return opening; }
    bool IsSwitching() const { return switching; }
    bool IsClosing() const { return closing; }
    float GetAlpha() const { return alpha; }
    const float *GetRect() const { return rect; }
    const hgl::String &GetCurrentPath() const { return current_path; }
    const hgl::String &GetNextPath() const { return next_path; }
};
