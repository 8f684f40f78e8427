#pragma once
// One background picture on screen: the part of a scene picture it shows (its
// view, as fractions of the picture), its alpha, the transition wipe it draws
// over itself, and its own flicker zoom and one-second move.
#include "core/Object.h"
#include "core/String.h"
#include "core/Types.h"

namespace hgl
{
class HGP;
}

class BackPic : public hgl::Object
{
  public:
    BackPic();
    ~BackPic() override = default;

    // Takes the given picture (null: fetched by name, else "BLACK") and the view.
    void SetPicture(const hgl::String &name, hgl::HGP *picture, float left, float top, float width,
                    float height);
    // As above with the picture fetched by name; the blind wipes start again.
    void SetPicture(const hgl::String &name, float left, float top, float width, float height);
    // A flicker zoom towards the part; while moving, a move of the view's left and
    // top to (x, y) instead.
    void StartZoom(float x, float y, float width, float height);
    void CopyFrom(const BackPic &other);

    virtual void SetAlpha(float value) { alpha = value; }
    virtual void Draw();

    void SetView(const float value[4]);
    const float *GetView() const { return view; }
    float GetAlpha() const { return alpha; }
    const hgl::String &GetName() const { return name; }
    // The archive path the picture came from; empty when there is none.
    const hgl::String &GetPath() const { return path; }
    bool HasPicture() const { return !path.IsEmpty(); }
    int GetKind() const { return kind; }
    void SetKind(int value) { kind = value; }
    void SetMoving() { moving = true; }
    bool IsMoving() const { return moving; }
    bool IsZooming() const { return zoom_started != 0; }
    int GetFitMode() const { return fit_mode; }

  private:
    int fit_mode;
    float blind_in = 0, blind_out;
    float strip;
    hgl::String path; // the picture is asked of the cache by it at each draw
    hgl::String name;
    int kind = 0;
    float alpha = 1;
    hgl::uint64 zoom_started = 0;
    float view[4] = {0, 0, 1, 1};
    float target_xy[2] = {0, 0};
    float move_start[2] = {0, 0};
    float target_wh[2] = {1, 1};
    bool strip_on = false;
    bool moving = false;
    hgl::uint64 move_started = 0;

    void StepZoom(hgl::uint64 now);
    void StepMove(hgl::uint64 now);
    void Scales(const hgl::HGP &picture, float &sx, float &sy) const;
    void DrawWipe(float w, float h);
    void DrawFan(float w, float h, float from, float to) const;
    void DrawBlinds(float w, float h, float width, bool from_right) const;
    void DrawBars(float w, float h, bool vertical, bool from_far_edge) const;
};
