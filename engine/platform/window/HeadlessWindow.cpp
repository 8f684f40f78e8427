#include "platform/window/HeadlessWindow.h"

#include <GL/glew.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <mutex>

namespace hgl::platform
{
namespace
{
// One EGL display for the process, initialised on first use and kept: terminating
// it would unload Mesa's driver under any context still alive on another window,
// and a later window would pay for loading it again.
EGLDisplay SharedDisplay(std::string &error)
{
    static std::mutex lock;
    static EGLDisplay display = EGL_NO_DISPLAY;
    std::lock_guard guard(lock);
    if (display != EGL_NO_DISPLAY) return display;

    auto get_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!get_display)
    {
        error = "EGL has no eglGetPlatformDisplayEXT";
        return EGL_NO_DISPLAY;
    }
    EGLDisplay d = get_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (d == EGL_NO_DISPLAY || !eglInitialize(d, &major, &minor))
    {
        error = "no surfaceless EGL display (Mesa's EGL is needed)";
        return EGL_NO_DISPLAY;
    }
    display = d;
    return display;
}

EGLContext MakeContext(EGLDisplay display, std::string &error)
{
    if (!eglBindAPI(EGL_OPENGL_API))
    {
        error = "EGL cannot bind desktop OpenGL";
        return EGL_NO_CONTEXT;
    }
    const EGLint config_attribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, config_attribs, &config, 1, &count) || count < 1)
    {
        error = "EGL offers no desktop OpenGL configuration";
        return EGL_NO_CONTEXT;
    }
    const EGLint context_attribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, context_attribs);
    if (context == EGL_NO_CONTEXT) error = "EGL could not create a compatibility-profile context";
    return context;
}
} // namespace

HeadlessWindow::~HeadlessWindow()
{
    Release();
}

void HeadlessWindow::Release()
{
    if (!display_) return;
    if (context_)
    {
        MakeCurrent();
        canvas_.Destroy();
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display_, context_);
        eglReleaseThread();
        context_ = nullptr;
    }
    display_ = nullptr;
}

bool HeadlessWindow::CreateSurface()
{
    Release();
    display_ = SharedDisplay(error_);
    if (!display_) return false;
    context_ = MakeContext(display_, error_);
    if (!context_) return false;
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_))
    {
        error_ = "EGL could not make the surfaceless context current";
        return false;
    }
    title_ = options_.title;
    return true;
}

void HeadlessWindow::Present()
{
    glFlush();
    presents_++;
}

void HeadlessWindow::MakeContextCurrent()
{
    if (context_) eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
}

void HeadlessWindow::GetFramebufferSize(int &width, int &height) const
{
    width = options_.width;
    height = options_.height;
}

void HeadlessWindow::PollEvents()
{
    // Handlers may inject more; those wait for the next poll.
    std::vector<std::function<void()>> pending;
    pending.swap(queue_);
    for (auto &event : pending)
        event();
}

void HeadlessWindow::WaitEvents(double)
{
    PollEvents();
}

void HeadlessWindow::InjectKey(int glfw_key, int action, int mods)
{
    queue_.push_back([=, this] { input_.Key(glfw_key, action, mods); });
}

void HeadlessWindow::InjectChar(uint32_t codepoint)
{
    queue_.push_back([=, this] { input_.Char(codepoint); });
}

void HeadlessWindow::InjectCursor(double x, double y)
{
    queue_.push_back([=, this] { input_.CursorPos(x, y); });
}

void HeadlessWindow::InjectMouseButton(int glfw_button, int action, int mods)
{
    queue_.push_back([=, this] { input_.MouseButton(glfw_button, action, mods); });
}

void HeadlessWindow::InjectScroll(double y_offset)
{
    queue_.push_back([=, this] { input_.Scroll(y_offset); });
}

void HeadlessWindow::InjectFocus(bool active)
{
    queue_.push_back(
        [=, this]
        {
            SetActive(active);
            RequestRefresh();
        });
}

void HeadlessWindow::InjectExpose()
{
    queue_.push_back([this] { RequestRefresh(); });
}

void HeadlessWindow::InjectClose()
{
    queue_.push_back([this] { SetCloseRequested(); });
}

void HeadlessWindow::InjectJoystick(std::vector<unsigned char> buttons, uint64_t now_ms)
{
    queue_.push_back([=, this] { input_.Joystick(buttons.data(), int(buttons.size()), now_ms); });
}
} // namespace hgl::platform
