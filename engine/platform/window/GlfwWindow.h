#pragma once
// A real window through GLFW (X11): keyboard, text input, mouse, wheel and
// joysticks, a legacy (compatibility) OpenGL context, windowed or full screen.
#include "platform/window/PlatformWindow.h"

namespace hgl::platform
{
class GlfwWindow : public PlatformWindow
{
  public:
    GlfwWindow(); // starts GLFW for the process (counted)
    ~GlfwWindow() override;

    const char *BackendName() const override { return "glfw"; }
    std::vector<DisplayMode> DisplayModes() const override;
    void GetFramebufferSize(int &width, int &height) const override;
    void PollEvents() override;
    void WaitEvents(double seconds) override;
    void SetTitle(const std::string &utf8_title) override;

    // Polls the first joystick's buttons each PollEvents when on.
    void EnableJoystick(bool on) override { joystick_ = on; }

  protected:
    bool CreateSurface() override;
    void MakeContextCurrent() override;
    void Present() override;

  private:
    void DestroyWindow();
    void InstallCallbacks();
    void ApplyPictures();
    void UpdateGeometry();
    void PollJoystick();

    void *window_ = nullptr; // GLFWwindow
    void *cursor_ = nullptr; // GLFWcursor made from the options' picture
    bool started_ = false;   // GLFW is running
    bool joystick_ = false;
};
} // namespace hgl::platform
