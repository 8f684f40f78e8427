#pragma once
// A window without a screen: an EGL surfaceless context on Mesa (compatibility
// profile) whose canvas framebuffer stands in for the window's own. Events are
// injected by code, in the same raw form the real window system delivers them.
#include "platform/window/PlatformWindow.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace hgl::platform
{
class HeadlessWindow : public PlatformWindow
{
  public:
    HeadlessWindow() = default;
    ~HeadlessWindow() override;

    const char *BackendName() const override { return "headless"; }
    std::vector<DisplayMode> DisplayModes() const override { return modes_; }
    void SetDisplayModes(std::vector<DisplayMode> modes) { modes_ = std::move(modes); }

    void GetFramebufferSize(int &width, int &height) const override;
    void PollEvents() override;
    void WaitEvents(double seconds) override;
    void SetTitle(const std::string &utf8_title) override { title_ = utf8_title; }
    const std::string &Title() const { return title_; }
    int PresentCount() const { return presents_; }

    // Queued until the next PollEvents. Keys, buttons, actions and modifiers are
    // GLFW numbers; positions are window coordinates.
    void InjectKey(int glfw_key, int action, int mods = 0);
    void InjectChar(uint32_t codepoint);
    void InjectCursor(double x, double y);
    void InjectMouseButton(int glfw_button, int action, int mods = 0);
    void InjectScroll(double y_offset);
    void InjectFocus(bool active);
    void InjectClose();
    // The window system asking for the window to be drawn again (an expose).
    void InjectExpose();
    void InjectJoystick(std::vector<unsigned char> buttons, uint64_t now_ms);

  protected:
    bool CreateSurface() override;
    void MakeContextCurrent() override;
    // Nothing is shown; the frame's drawing is flushed so that the renderer works it
    // off now instead of piling frames up.
    void Present() override;

  private:
    void Release();

    void *display_ = nullptr; // EGLDisplay
    void *context_ = nullptr; // EGLContext
    std::vector<DisplayMode> modes_;
    std::vector<std::function<void()>> queue_;
    std::string title_;
    int presents_ = 0;
};
} // namespace hgl::platform
