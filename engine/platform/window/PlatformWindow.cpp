#include "platform/window/PlatformWindow.h"

#include "platform/Env.h"
#include "platform/window/GLLoader.h"
#include "platform/window/GlfwWindow.h"
#include "platform/window/HeadlessWindow.h"

namespace hgl::platform
{
bool PlatformWindow::Create(const WindowOptions &options)
{
    options_ = options;
    if (options_.full_screen)
    {
        options_.width = options_.mode.width;
        options_.height = options_.mode.height;
    }
    error_.clear();
    if (!CreateSurface() || !LoadGLEntryPoints(error_) ||
        !canvas_.Create(options_.width, options_.height, options_.pixel, error_))
        return false;
    input_.SetGeometry(options_.width, options_.height, options_.width, options_.height);
    return true;
}

void PlatformWindow::BeginFrame()
{
    canvas_.BindForDrawing();
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
