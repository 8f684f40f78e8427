#pragma once
// One standing character sprite: the picture named by the script, its three mouth
// layers, fades, cross-fades, zooms and the mouth animation while its voice plays.
// It keeps names, never cache pointers: the picture and its layers are looked up
// again at every draw, so a picture the cache let go of is never touched.
#include "core/String.h"
#include "core/Types.h"

namespace hgl
{
class HGPSame;
}

namespace avg
{
struct CharPic
{
    static constexpr int kFadeMs = 500;
    static constexpr int kZoomMs = 1000;

    hgl::String name;                // as the script gave it; empty = slot free
    hgl::String shown;               // the last name whose picture was found
    hgl::String previous;            // the picture cross-faded from
    hgl::String file, previous_file; // their files in the character cache
    hgl::String code;                // characters 1-2, upper-cased
    hgl::String family;              // characters 1-3
    int view_row = -1;
    float scale = 1.0f, zoom_base = 0.0f;
    float anchor_y = 1.0f, anchor_x = 0.0f;
    float offset_y = 0.0f, offset_x = 0.0f;
    bool talking = false, cross_fading = false, fading_out = false, visible = false;
    bool zoom_in = false, zoom_out = false;
    bool facing = true, upside_down = false, dark = false;
    int mouth = 0;
    hgl::uint64 voice_end = 0, zoom_timer = 0, cross_timer = 0, fade_timer = 0;

    void Reset() { *this = CharPic(); }
    void Load(const hgl::String &picture_name);
    // Draws at centre x with the manager's alpha; skip ends fades at once.
    void Draw(float alpha, float x, bool skip);
    // The mouth frame the next draw shows, 0..2 (for tests and the icon pass).
    int MouthFrame() const { return talking ? mouth / kMouthStep : 0; }
    bool IsFading(hgl::uint64 now) const;

  private:
    static constexpr int kMouthStep = 10;
    void StepMouth(hgl::uint64 now);
    void StepZoom(hgl::uint64 now);
    float FadeOpacity(hgl::uint64 now, float alpha, bool skip);
};
} // namespace avg
