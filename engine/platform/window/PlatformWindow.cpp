#include "platform/window/PlatformWindow.h"

#include "platform/Env.h"
#include "platform/window/GLLoader.h"
#include "platform/window/GlfwWindow.h"
#include "platform/window/HeadlessWindow.h"

#include <atomic>

namespace hgl::platform
{
namespace
{
std::atomic<uint64_t> last_serial{0};
thread_local uint64_t current_serial = 0;
thread_local PlatformWindow *current_window = nullptr;
} // namespace

uint64_t CurrentContextSerial()
{
    return current_serial;
}

PlatformWindow *CurrentWindow()
{
    return current_window;
}

PlatformWindow::~PlatformWindow()
{
    if (current_window == this)
    {
        current_window = nullptr;
        current_serial = 0;
    }
}

void PlatformWindow::MakeCurrent()
{
    MakeContextCurrent();
    current_serial = serial_;
    current_window = this;
}

bool PlatformWindow::Create(const WindowOptions &options)
{
    options_ = options;
    if (options_.full_screen)
    {
        options_.width = options_.mode.width;
        options_.height = options_.mode.height;
    }
    error_.clear();
    serial_ = ++last_serial;
    current_serial = 0;
    current_window = nullptr;
    const bool made = CreateSurface();
    if (made)
    {
        current_serial = serial_;
        current_window = this;
    }
    if (!made || !LoadGLEntryPoints(error_) ||
        !canvas_.Create(options_.width, options_.height, options_.pixel, error_))
        return false;
    input_.SetGeometry(options_.width, options_.height, options_.width, options_.height);
    refresh_ = true;
    return true;
}

void PlatformWindow::BeginFrame()
{
    canvas_.BindForDrawing();
}

bool PlatformWindow::TakeRefresh()
{
    const bool refresh = refresh_;
    refresh_ = false;
    return refresh;
}

void PlatformWindow::EndFrame()
{
    canvas_.Resolve();
    Present();
}

void PlatformWindow::SetActive(bool active)
{
    if (active_ == active) return;
    active_ = active;
    input_.Focus(active);
}

void PlatformWindow::SetCloseRequested()
{
    close_requested_ = true;
    input_.CloseRequest();
}

std::unique_ptr<PlatformWindow> CreatePlatformWindow()
{
    if (GetEnv("HGL_WINDOW").value_or("") == "headless") return std::make_unique<HeadlessWindow>();
    return std::make_unique<GlfwWindow>();
}
} // namespace hgl::platform
