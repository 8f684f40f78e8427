#pragma once
// The application with a window and OpenGL, standing above every service it
// starts: Init opens the window (or a headless GL surface when HGL_WINDOW=headless)
// from the start-up description, applies the OpenGL switches, builds the default
// tile font, opens the GUI theme and starts OpenAL, and the application owns all
// of them until it goes. Run drives the frame loop over the root flow control,
// handing it the input.
//
// Frame pacing (FrameMode): 1 unpaced; 3 fixed-step updates at the frame rate,
// skipping draws when late; any other value (2 by default) sleeps to the frame
// time, and while the window is inactive with WaitActive set, waits for events
// instead of drawing.
#include "framework/FlowControl.h"
#include "app/FrameClock.h"
#include "io/BaseApplication.h"
#include "platform/window/InputSink.h"

#include <memory>

namespace hgl
{
namespace platform
{
class PlatformWindow;
}
class JoystickPlugIn;
class TileFont;

class WinOpenGLApplication : public BaseApplication, private platform::InputSink
{
  public:
    static constexpr int FramePacingUnpaced = 1;
    static constexpr int FramePacingSleep = 2;
    static constexpr int FramePacingFixedStep = 3;
    static constexpr int MaxUpdatesPerDraw = 5; // fixed step: later than this drops time

    bool WaitActive = false;  // windowed only: wait for events while inactive
    bool BackNotDraw = false; // windowed only: no drawing while inactive

    explicit WinOpenGLApplication(bool open_log = true);
    ~WinOpenGLApplication() override;

    platform::PlatformWindow *GetWindow() const { return window.get(); }

    // The root flow control: the game starts its first screen on it. Null once
    // closed.
    FlowControl *GetFlow() const { return flow.get(); }
    // Deletes the flow control with every screen on it, while the window's context
    // is current (screens free their GL objects as they go). The game closes the
    // flow before it releases what the screens use; the application closes it
    // itself when it goes.
    void CloseFlow();

    // Replaces the clock the loop paces itself by (null: the system clock).
    void SetFrameClock(FrameClock *clock);

    // Runs frames until the flow control's state becomes exit; returns 0.
    int Run();
    // One pass of the loop in the current pacing mode.
    void RunOnce();

    int GetFrameCount() const { return frames_drawn; }
    int GetUpdateCount() const { return updates; }

  protected:
    // Makes the window object; tests hand in one of their own.
    virtual std::unique_ptr<platform::PlatformWindow> CreateWindowObject();

    void CloseScreenSaver() override;
    bool InitDisplay(SystemInitInfo &sii) override;
    void InitOpenGL(SystemInitInfo &sii) override;
    bool InitInput(SystemInitInfo &sii) override;
    void InitFontAndGUI(SystemInitInfo &sii) override;
    void InitAudio(SystemInitInfo &sii) override;

  private:
    bool CreateWindowFor(SystemInitInfo &sii);
    void UnpacedPass();
    void SleepingPass();
    void FixedStepPass();
    bool MayDraw() const;
    void Frame(bool draw);
    void UpdateOnly();

    // platform::InputSink
    void OnMouseMove(int x, int y, unsigned flags) override;
    void OnMouseDown(platform::MouseButton b, int x, int y, unsigned flags) override;
    void OnMouseUp(platform::MouseButton b, int x, int y, unsigned flags) override;
    void OnMouseWheel(int delta, int x, int y, unsigned flags) override;
    void OnKeyDown(int key) override;
    void OnKeyRepeat(int key) override;
    void OnChar(char16_t ch) override;
    void OnJoystickDown(int button) override;
    void OnJoystickRepeat(int button) override;
    void OnCloseRequest() override;

    std::unique_ptr<platform::PlatformWindow> window;
    std::unique_ptr<FlowControl> flow;
    std::unique_ptr<JoystickPlugIn> joystick;
    std::unique_ptr<TileFont> default_font; // global pointer 4 points at it
    bool gui_open = false;
    bool audio_open = false;
    SystemFrameClock system_clock;
    FrameClock *clock = &system_clock;
    double next_time = -1; // when the next frame (or update) is due; < 0: not yet known
    int frames_drawn = 0;
    int updates = 0;
};
} // namespace hgl
