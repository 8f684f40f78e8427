#pragma once
// The credits, pushed over the finished game. The lines come from the data script
// "Staff.CPP", whose function "ALL" calls SAY once a line (an empty SAY leaves a
// blank line). They start just below the bottom edge and the whole list scrolls
// up over 118 seconds of engine time while "BGM25" plays; then the last line
// longer than five characters fades out and every screen, the game below
// included, makes way for a new title. The screen is cleared to black every frame,
// so nothing of the game shows, and no input moves the list.
#include "core/Types.h"
#include "framework/FlowObject.h"

namespace hgl::gui
{
class Label;
class ScrollBox;
} // namespace hgl::gui

namespace avg
{
struct GameWiring;
}

class EndStaff : public hgl::FlowObject
{
    hgl::gui::ScrollBox *box; // a child of the object control
    hgl::uint64 start_time = 0;
    float offset;                              // while the script runs: the top of the next line
    hgl::gui::Label *last_long_line = nullptr; // a child of the scroll box
    int fade_frames = 0;                       // frames the last long line has faded
    const avg::GameWiring &wiring;
    bool running = true; // the title has not been started yet

    void Finish();

  public:
    static constexpr hgl::uint64 kScrollMs = 118000;
    static constexpr float kFadeStep = 0.005f;
    static constexpr float kFadeEnd = -0.2f;
    static constexpr int kLongLine = 5; // characters a line needs to be the one that fades
    static constexpr float kLineGap = 1.2f;

    // The wiring gives the title the credits end on; it outlives the credits.
    explicit EndStaff(const avg::GameWiring &wiring);
    ~EndStaff() override;

    // "void SAY(string)": one line, centred, in the large text font.
    void SAY(const hgl::u16char *text);

    void Draw() override;

    hgl::gui::ScrollBox *GetScrollBox() const { return box; }
    hgl::gui::Label *GetLastLongLine() const { return last_long_line; }
    bool IsRunning() const { return running; }
};
