#pragma once
// A window with an OpenGL context, or a headless GL surface that behaves like one.
// The canvas (the logical size every frame is drawn at) is an offscreen
// framebuffer; the window shows it scaled to fit. Input goes through the
// translator to the sink the application installs.
#include "platform/window/CanvasTarget.h"
#include "platform/window/InputTranslator.h"
#include "platform/window/WindowTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hgl::platform
{
class PlatformWindow
{
  public:
    virtual ~PlatformWindow();
    PlatformWindow(const PlatformWindow &) = delete;
    PlatformWindow &operator=(const PlatformWindow &) = delete;

    // Makes the window (full screen in options.mode when asked), its context and
    // the canvas; leaves the context current with the GL entry points loaded.
    // False with Error() set on failure.
    bool Create(const WindowOptions &options);
    const std::string &Error() const { return error_; }
    const WindowOptions &Options() const { return options_; }
    virtual const char *BackendName() const = 0;

    // The display modes a full-screen window can take.
    virtual std::vector<DisplayMode> DisplayModes() const = 0;

    void MakeCurrent();
    int CanvasWidth() const { return options_.width; }
    int CanvasHeight() const { return options_.height; }
    CanvasTarget &Canvas() { return canvas_; }
    virtual void GetFramebufferSize(int &width, int &height) const = 0;

    // A frame: BeginFrame binds the canvas, EndFrame shows it and swaps.
    void BeginFrame();
    void EndFrame();

    // Whether the window must be drawn anew although its picture did not change (it
    // was made, exposed, resized or switched to or from full screen); clears the wish.
    bool TakeRefresh();
    void RequestRefresh() { refresh_ = true; }

    // Delivers the pending events to the input sink; WaitEvents first blocks up to
    // the given time for one to arrive.
    virtual void PollEvents() = 0;
    virtual void WaitEvents(double seconds) = 0;

    bool IsActive() const { return active_; }
    bool CloseRequested() const { return close_requested_; }
    virtual void SetTitle(const std::string &utf8_title) = 0;
    // Reads the joystick's buttons at every poll while on (backends without one ignore it).
    virtual void EnableJoystick(bool) {}

    InputTranslator &Input() { return input_; }

  protected:
    PlatformWindow() = default;

    // Makes the window and context for options_ and makes it current.
    virtual bool CreateSurface() = 0;
    virtual void MakeContextCurrent() = 0;
    virtual void Present() = 0; // the finished canvas onto the screen

    void SetActive(bool active);
    void SetCloseRequested();

    WindowOptions options_;
    std::string error_;
    CanvasTarget canvas_;
    InputTranslator input_;

  private:
    uint64_t serial_ = 0;
    bool active_ = true;
    bool close_requested_ = false;
    bool refresh_ = true;
};

// Which context is current on this thread: a number given to each context when it
// is made (0: none of ours). State caches above compare it to know when what they
// remember belongs to another context.
uint64_t CurrentContextSerial();
// The window whose context is current on this thread, or null.
PlatformWindow *CurrentWindow();

// The backend HGL_WINDOW names: "headless" for the EGL surface, otherwise GLFW.
std::unique_ptr<PlatformWindow> CreatePlatformWindow();
} // namespace hgl::platform
