#pragma once
// Scripted play: a tour is a text file of steps, one a line, that the game plays
// instead of a player. Blank lines and lines starting with '#' are skipped.
//   wait N                 let N frames pass
//   key NAME               a key press (Esc, Enter, Space, Up, F1, A, 1, ...)
//   move X Y               the pointer to canvas point (X, Y)
//   press BUTTON X Y       a button goes down there (left, right or middle)
//   release BUTTON X Y     and up again
//   click BUTTON X Y       press and release
//   wheel DELTA X Y        the wheel turned at (X, Y)
//   joystick N             joystick button N
//   screenshot NAME        the frame just drawn as a BMP file ("ScreenShot\NAME"
//                          under the start folder unless NAME is absolute)
//   quit                   the game ends as a window close ends it
//   until SCREEN [N]       let frames pass until the active screen is of the class
//                          SCREEN (at most N frames, 3600 unless given)
//   expect SCREEN...       the screens running, the bottom one first, are of these
//                          classes, and no others
//   pace real|fast         frames take their frame time of wall time too, or run
//                          as fast as the machine goes (the start)
//   mark NAME              logs the name with the wall time since the tour began
//   canvas W H             the points of the steps after it are on a canvas of
//                          W x H: they are scaled to the game's own canvas
//   skip N                 N frames pass at once, updated but not drawn (what
//                          moves only as it is drawn waits; what follows the
//                          clock moves on): a fast-forward
// The steps run at the end of each frame, up to the next wait. While touring, the
// frame loop's clock and the engine's clock advance by exactly one frame time per
// frame, however long a frame takes, so a tour gives the same frames on any
// machine. The end of the tour ends the game. A screen not reached or a stack
// not as expected fails the tour: the game ends at once, and with status 1.
#include "core/String.h"
#include "app/FrameClock.h"

#include <memory>
#include <string>
#include <vector>

namespace hgl
{
class FlowControl;
class WinOpenGLApplication;
} // namespace hgl

namespace avg
{
class Tour : public hgl::FrameClock
{
  public:
    enum Action
    {
        Wait,
        Key,
        Move,
        Press,
        Release,
        Click,
        Wheel,
        Joystick,
        Screenshot,
        Quit,
        Until,
        Expect,
        Pace,
        Mark,
        Skip,
        Canvas,
    };

    enum Button
    {
        Left,
        Right,
        Middle,
    };

    struct Step
    {
        Action action = Wait;
        int value = 0; // frames, key code, wheel delta, joystick button, Button, real pace
        int x = 0, y = 0;
        std::string name;               // screenshot file, screen class, mark
        std::vector<std::string> names; // the screens expected
    };

    static constexpr int kDefaultUntilFrames = 3600;

    // Reads the steps; false with a message naming the line that cannot be read.
    static bool Parse(const std::string &text, std::vector<Step> &steps, std::string &error);
    // The same from a file.
    static std::unique_ptr<Tour> Load(const std::string &filename, std::string &error);

    explicit Tour(std::vector<Step> steps);
    ~Tour() override;

    // Takes over the application's frame clock and the engine clock.
    void Attach(hgl::WinOpenGLApplication &app);
    bool IsDone() const { return next >= steps.size() && waiting == 0 && until.empty(); }
    // A step was not met; the message says which.
    bool IsFailed() const { return failed; }
    const std::string &GetFailure() const { return failure; }

    double Now() override { return seconds; }
    // The frame is over: time moves on by the wait asked for and the steps run.
    void Sleep(double duration) override;

    // The class names of the screens running, the bottom one first.
    static std::vector<std::string> ScreenNames(const hgl::FlowControl &flow);

  private:
    std::vector<Step> steps;
    size_t next = 0;
    int waiting = 0;
    double seconds = 0;
    double frame_time = 1.0 / 60;   // the last frame time the loop asked for
    int design_w = 0, design_h = 0; // the canvas the points are given on; 0: the game's own
    hgl::FlowControl *flow = nullptr;
    std::string until; // the screen awaited
    bool real_pace = false;
    double wall_start = 0, wall_due = 0; // seconds of the steady clock
    bool failed = false;
    std::string failure;

    static hgl::uint64 EngineClock();
    static double WallNow();
    void RunSteps();
    void RunStep(const Step &step);
    void PressButton(const Step &step);
    // The step's point on the game's canvas.
    void Point(const Step &step, int &x, int &y) const;
    bool CheckUntil();
    void Fail(const std::string &why);
};
} // namespace avg
