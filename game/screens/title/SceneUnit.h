#pragma once
// The movie gallery: one picture button per entry of "Script\Movie.CPP". An
// entry shows, and plays its movie when clicked, once its unlock name is "OPEN"
// or a system flag of that name is set; locked entries are hidden. The screen
// fades in from black; Esc or a right click fades it out and returns. After a
// movie the title music plays again.
#include "core/String.h"
#include "framework/FlowObject.h"

#include <vector>

namespace hgl
{
class HGP;
namespace gui
{
class Button;
class TZHGPButton;
} // namespace gui
} // namespace hgl

namespace avg
{
struct GameWiring;
}

class SceneUnit : public hgl::FlowObject
{
    const avg::GameWiring &wiring;                // makes the movies
    hgl::HGP *background;                         // "Video\BackGround.HGP", held by the object control
    float alpha = 0.01f;                          // fade level
    bool closing = false;                         // Esc was pressed
    bool busy = true;                             // a fade runs
    std::vector<hgl::gui::TZHGPButton *> entries; // script order; held by the object control
    int count = 0;

    bool OnKey(int key);
    bool OnRightDown(int x, int y, int flags);

  public:
    static constexpr int kMaxEntries = 50;
    static constexpr float kFadeStep = 0.02f;

    explicit SceneUnit(const avg::GameWiring &wiring);
    ~SceneUnit() override;

    // The script's "void SetMovie(string,string,string,float,float,float,float)":
    // picture, movie base name, "OPEN" or a flag name, and the button's place on a
    // 1600 x 1200 grid (a width or height of 0 or less takes the picture's).
    void SetMovie(const hgl::u16char *picture, const hgl::u16char *movie, const hgl::u16char *unlock, float x,
                  float y, float width, float height);
    // The click of an unlocked entry: stops the music and calls its movie.
    void PlayMovie(hgl::gui::Button *button);

    void Draw() override;
    void ProcReturn(hgl::FlowObject *finished) override;

    // The movie file an entry plays on a canvas of that size.
    static hgl::String MovieFile(const hgl::String &name, int canvas_width, int canvas_height);

    int GetCount() const { return count; }
    hgl::gui::TZHGPButton *GetEntry(int index) const;
    float GetAlpha() const { return alpha; }
    bool IsBusy() const { return busy; }
    bool IsClosing() const { return closing; }
};
