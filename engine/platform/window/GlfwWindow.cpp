#include "platform/window/GlfwWindow.h"

#include "platform/Clock.h"

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <mutex>

namespace hgl::platform
{
namespace
{
std::string glfw_error;

void OnGlfwError(int, const char *text)
{
    glfw_error = text ? text : "unknown GLFW error";
}

// GLFW is started once and kept for the process: terminating it closes the X
// connection and unloads the GL driver under anything that still refers to it,
// and a later window would pay for starting it again.
bool StartGlfw()
{
    static std::mutex lock;
    static bool started = false;
    std::lock_guard guard(lock);
    if (!started)
    {
        glfwSetErrorCallback(OnGlfwError);
        started = glfwInit() == GLFW_TRUE;
    }
    return started;
}

GLFWwindow *Handle(void *w)
{
    return static_cast<GLFWwindow *>(w);
}

constexpr int ColourBitsReportedAs32 = 24;
constexpr int DesktopBits = 32;

int ModeBits(const GLFWvidmode &m)
{
    const int bits = m.redBits + m.greenBits + m.blueBits;
    return bits == ColourBitsReportedAs32 ? DesktopBits : bits;
}

// GLFW's pointer-to-window link: callbacks reach the window object through it.
struct Callbacks
{
    static GlfwWindow *Owner(GLFWwindow *w) { return static_cast<GlfwWindow *>(glfwGetWindowUserPointer(w)); }
};
} // namespace

GlfwWindow::GlfwWindow()
{
    started_ = StartGlfw();
}

GlfwWindow::~GlfwWindow()
{
    DestroyWindow();
}

void GlfwWindow::DestroyWindow()
{
    if (!window_) return;
    MakeCurrent();
    canvas_.Destroy();
    glfwDestroyWindow(Handle(window_));
    window_ = nullptr;
    if (cursor_) glfwDestroyCursor(static_cast<GLFWcursor *>(cursor_));
    cursor_ = nullptr;
}

std::vector<DisplayMode> GlfwWindow::DisplayModes() const
{
    std::vector<DisplayMode> modes;
    GLFWmonitor *monitor = started_ ? glfwGetPrimaryMonitor() : nullptr;
    int count = 0;
    const GLFWvidmode *list = monitor ? glfwGetVideoModes(monitor, &count) : nullptr;
    for (int i = 0; list && i < count; i++)
        modes.push_back({list[i].width, list[i].height, ModeBits(list[i]), list[i].refreshRate});
    return modes;
}

bool GlfwWindow::CreateSurface()
{
    if (!started_)
    {
        error_ = "GLFW could not start: " + glfw_error;
        return false;
    }
    DestroyWindow();
    const WindowOptions &o = options_;
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DECORATED, o.caption ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, o.sizeable ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_FLOATING, o.top_most ? GLFW_TRUE : GLFW_FALSE);
    // The canvas framebuffer carries depth, stencil and samples; the window only shows it.
    glfwWindowHint(GLFW_DEPTH_BITS, 0);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    GLFWmonitor *monitor = nullptr;
    if (o.full_screen)
    {
        monitor = glfwGetPrimaryMonitor();
        if (o.mode.refresh > 0) glfwWindowHint(GLFW_REFRESH_RATE, o.mode.refresh);
    }

    GLFWwindow *w = glfwCreateWindow(o.width, o.height, o.title.c_str(), monitor, nullptr);
    if (!w)
    {
        error_ = "GLFW could not open the window: " + glfw_error;
        return false;
    }
    window_ = w;
    glfwSetWindowUserPointer(w, this);
    glfwMakeContextCurrent(w);
    glfwSwapInterval(0); // the frame loop paces itself
    InstallCallbacks();
    ApplyPictures();
    return true;
}

void GlfwWindow::ApplyPictures()
{
    auto image = [](const WindowPicture &p) {
        return GLFWimage{p.width, p.height, const_cast<unsigned char *>(p.rgba.data())};
    };
    if (!options_.icon.Empty())
    {
        const GLFWimage icon = image(options_.icon);
        glfwSetWindowIcon(Handle(window_), 1, &icon);
    }
    if (!options_.cursor.Empty())
    {
        const GLFWimage cursor = image(options_.cursor);
        cursor_ = glfwCreateCursor(&cursor, 0, 0);
        glfwSetCursor(Handle(window_), static_cast<GLFWcursor *>(cursor_));
    }
}

void GlfwWindow::InstallCallbacks()
{
    GLFWwindow *w = Handle(window_);
    glfwSetKeyCallback(w, [](GLFWwindow *h, int k, int, int action, int mods)
                       { Callbacks::Owner(h)->input_.Key(k, action, mods); });
    glfwSetCharCallback(w, [](GLFWwindow *h, unsigned cp) { Callbacks::Owner(h)->input_.Char(cp); });
    glfwSetCursorPosCallback(w, [](GLFWwindow *h, double x, double y)
                             { Callbacks::Owner(h)->input_.CursorPos(x, y); });
    glfwSetMouseButtonCallback(w, [](GLFWwindow *h, int b, int action, int mods)
                               { Callbacks::Owner(h)->input_.MouseButton(b, action, mods); });
    glfwSetScrollCallback(w, [](GLFWwindow *h, double, double y) { Callbacks::Owner(h)->input_.Scroll(y); });
    glfwSetWindowFocusCallback(w,
                               [](GLFWwindow *h, int focused)
                               {
                                   Callbacks::Owner(h)->SetActive(focused != 0);
                                   Callbacks::Owner(h)->RequestRefresh();
                               });
    glfwSetWindowCloseCallback(w,
                               [](GLFWwindow *h)
                               {
                                   glfwSetWindowShouldClose(h, GLFW_FALSE); // the flow decides when to end
                                   Callbacks::Owner(h)->SetCloseRequested();
                               });
    glfwSetWindowSizeCallback(w,
                              [](GLFWwindow *h, int, int)
                              {
                                  Callbacks::Owner(h)->UpdateGeometry();
                                  Callbacks::Owner(h)->RequestRefresh();
                              });
    // An exposed, resized, restored or refocused window shows the canvas again even
    // when the frame did not change.
    glfwSetWindowRefreshCallback(w, [](GLFWwindow *h) { Callbacks::Owner(h)->RequestRefresh(); });
    glfwSetFramebufferSizeCallback(w, [](GLFWwindow *h, int, int) { Callbacks::Owner(h)->RequestRefresh(); });
    glfwSetWindowIconifyCallback(w, [](GLFWwindow *h, int) { Callbacks::Owner(h)->RequestRefresh(); });
}

void GlfwWindow::UpdateGeometry()
{
    int w = 0, h = 0;
    glfwGetWindowSize(Handle(window_), &w, &h);
    input_.SetGeometry(w, h, options_.width, options_.height);
}

void GlfwWindow::MakeContextCurrent()
{
    if (window_) glfwMakeContextCurrent(Handle(window_));
}

void GlfwWindow::GetFramebufferSize(int &width, int &height) const
{
    width = height = 0;
    if (window_) glfwGetFramebufferSize(Handle(window_), &width, &height);
}

void GlfwWindow::PollJoystick()
{
    if (!joystick_ || !glfwJoystickPresent(GLFW_JOYSTICK_1)) return;
    int count = 0;
    const unsigned char *buttons = glfwGetJoystickButtons(GLFW_JOYSTICK_1, &count);
    input_.Joystick(buttons, count, GetMonotonicMicroseconds() / 1000);
}

void GlfwWindow::PollEvents()
{
    glfwPollEvents();
    PollJoystick();
}

void GlfwWindow::WaitEvents(double seconds)
{
    glfwWaitEventsTimeout(seconds);
    PollJoystick();
}

void GlfwWindow::SetTitle(const std::string &utf8_title)
{
    options_.title = utf8_title;
    if (window_) glfwSetWindowTitle(Handle(window_), utf8_title.c_str());
}

void GlfwWindow::Present()
{
    int w = 0, h = 0;
    GetFramebufferSize(w, h);
    if (w > 0 && h > 0) canvas_.Present(w, h);
    glfwSwapBuffers(Handle(window_));
}
} // namespace hgl::platform
