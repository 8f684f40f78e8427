#include "app/WinOpenGLApplication.h"

#include "app/JoystickPlugIn.h"
#include "app/WindowPicture.h"
#include "core/Log.h"
#include "graphics/draw/Painter.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/gl/OpenGLCaps.h"
#include "gui/GUI.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"
#include "platform/window/PlatformWindow.h"
#include "sonvex/OpenAL.h"

namespace hgl
{
namespace
{
constexpr double InactiveWaitSeconds = 0.5; // bounds a wait so a lost wake-up costs little

// An icon or cursor file the engine cannot read leaves the system's default.
void LoadPicture(const String &file, platform::WindowPicture &picture, const u16char *fallback_message)
{
    if (!file.IsEmpty() && !LoadWindowPicture(file, picture)) PutInfo(fallback_message, file.c_str());
}

platform::WindowOptions OptionsFrom(const SystemInitInfo &sii)
{
    platform::WindowOptions o;
    o.title = sii.win.Title.ToUTF8();
    LoadPicture(sii.win.IconFile, o.icon, u"图标文件<%s>不是可读取的图片，使用缺省图标");
    LoadPicture(sii.win.CursorFile, o.cursor, u"光标文件<%s>不是可读取的图片，使用标准箭头光标");
    o.caption = sii.win.Caption;
    o.sys_menu = sii.win.SysMenu;
    o.ex_style = sii.win.ExStyle1000;
    o.sizeable = sii.win.Sizeable;
    o.minimize_box = sii.win.MinimizeBox;
    o.maximize_box = sii.win.MaximizeBox;
    o.top_most = sii.win.TopMost;
    o.width = sii.graphics.WindowWidth;
    o.height = sii.graphics.WindowHeight;
    const auto &m = sii.graphics.Mode;
    o.mode = {m.Width, m.Height, m.Bits, m.Refresh};
    const auto &p = sii.graphics.Pixel;
    o.pixel = {p.AlphaBits, p.DepthBits, p.StencilBits, p.AccumBits, p.Multisample};
    return o;
}

} // namespace

WinOpenGLApplication::WinOpenGLApplication(bool open_log)
    : BaseApplication(open_log), flow(std::make_unique<FlowControl>())
{
}

WinOpenGLApplication::~WinOpenGLApplication()
{
    CloseFlow();
    if (window) window->MakeCurrent(); // the default font holds GL textures
    if (GetGlobalPointer(gpTileFont) == default_font.get()) SetGlobalPointer(gpTileFont, nullptr);
    default_font.reset();
    if (gui_open) gui::CloseGUI();
    joystick.reset();
    if (GetGlobalPointer(gpWindow) == window.get()) SetGlobalPointer(gpWindow, nullptr);
    window.reset();
    // Every audio buffer, source and player is gone by now: the screens and the
    // game's audio went before.
    if (audio_open) CloseOpenAL();
}

void WinOpenGLApplication::CloseFlow()
{
    if (!flow) return;
    if (window) window->MakeCurrent();
    flow.reset();
}

void WinOpenGLApplication::SetFrameClock(FrameClock *c)
{
    clock = c ? c : &system_clock;
    next_time = -1;
}

std::unique_ptr<platform::PlatformWindow> WinOpenGLApplication::CreateWindowObject()
{
    return platform::CreatePlatformWindow();
}

void WinOpenGLApplication::CloseScreenSaver()
{
    PutInfo(u"窗口系统没有可移植的方法关闭屏幕保护程序，保持系统设置");
}

bool WinOpenGLApplication::CreateWindowFor(SystemInitInfo &sii)
{
    platform::WindowOptions options = OptionsFrom(sii);
    const auto &m = sii.graphics.Mode;
    if (sii.graphics.FullScreen)
    {
        options.full_screen = true;
        const bool ok =
            platform::HasDisplayMode(window->DisplayModes(), options.mode) && window->Create(options);
        PutInfo(ok ? u"更改显示模式<%dx%d,%d bit,%dhz>成功！" : u"更改显示模式<%dx%d,%d bit,%dhz>失败！",
                m.Width, m.Height, m.Bits, m.Refresh);
        if (ok) return true;
        sii.graphics.FullScreen = false;
        options.full_screen = false;
        window = CreateWindowObject(); // a fresh one: the failed attempt may have left state behind
    }
    if (window->Create(options)) return true;
    PutError(u"创建窗口失败: %s", String::FromUTF8(window->Error()).c_str());
    return false;
}

bool WinOpenGLApplication::InitDisplay(SystemInitInfo &sii)
{
    window = CreateWindowObject();
    if (!window || !CreateWindowFor(sii))
    {
        window.reset();
        return false;
    }
    // Waiting and not drawing while inactive only make sense for a window among others.
    WaitActive = sii.graphics.FullScreen ? false : sii.WaitActive;
    BackNotDraw = sii.graphics.FullScreen ? false : sii.BackNotDraw;
    SetGlobalPointer(gpWindow, window.get());
    return true;
}

void WinOpenGLApplication::InitOpenGL(SystemInitInfo &sii)
{
    PutOpenGLInfo();
    InitOpenGLCaps(sii);
    SetOrtho2D(window->CanvasWidth(), window->CanvasHeight());
}

bool WinOpenGLApplication::InitInput(SystemInitInfo &sii)
{
    window->Input().SetSink(this);
    joystick.reset();
    if (sii.UseJoystick) joystick = std::make_unique<JoystickPlugIn>(window.get());
    return true;
}

void WinOpenGLApplication::InitFontAndGUI(SystemInitInfo &sii)
{
    SetDefaultFont(sii.graphics.DefaultFont);
    if (sii.graphics.gui.Use || sii.graphics.CreateDefaultFont)
    {
        default_font.reset(
            CreateTileFont(sii.graphics.DefaultFont, sii.graphics.EnglishFont, sii.graphics.TileFontSize));
        SetGlobalPointer(gpTileFont, default_font.get());
    }
    else
        PutInfo(u"不创建缺省字体！");

    if (sii.graphics.gui.Use)
    {
        gui::InitGUI(sii.graphics.gui.Theme);
        gui_open = true;
    }
    else
        PutInfo(u"不使用GUI系统！");
}

void WinOpenGLApplication::InitAudio(SystemInitInfo &sii)
{
    // Closed even when the start failed: OpenAL starts over on every call, so the
    // application does not know what an earlier caller left open.
    InitOpenAL(nullptr, sii.audio.DeviceName.c_str(), sii.audio.ListDevices);
    audio_open = true;
}

int WinOpenGLApplication::Run()
{
    while (flow && flow->IsRunning())
        RunOnce();
    return 0;
}

void WinOpenGLApplication::RunOnce()
{
    if (!flow) return;
    if (!window)
    {
        flow->SetObjectState(FlowObject::fosExit);
        return;
    }
    if (FrameMode == FramePacingUnpaced)
        UnpacedPass();
    else if (FrameMode == FramePacingFixedStep)
        FixedStepPass();
    else
        SleepingPass();
}

bool WinOpenGLApplication::MayDraw() const
{
    int w = 0, h = 0;
    window->GetFramebufferSize(w, h);
    return w > 0 && h > 0 && (window->IsActive() || !BackNotDraw);
}

void WinOpenGLApplication::UpdateOnly()
{
    window->BeginFrame();
    flow->RunFrame(false);
    updates++;
}

void WinOpenGLApplication::Frame(bool draw)
{
    window->BeginFrame();
    if (draw)
    {
        SetOrtho2D(window->CanvasWidth(), window->CanvasHeight());
        ClearCanvas();
    }
    flow->RunFrame(draw);
    updates++;
    if (draw)
    {
        // A frame like the last one is neither drawn nor shown.
        if (draw::EndFrame(window->TakeRefresh())) window->EndFrame();
        frames_drawn++;
    }
}

void WinOpenGLApplication::UnpacedPass()
{
    window->PollEvents();
    Frame(MayDraw());
}

void WinOpenGLApplication::SleepingPass()
{
    if (WaitActive && !window->IsActive())
    {
        window->WaitEvents(InactiveWaitSeconds);
        next_time = -1;
        return;
    }
    const double frame_time = 1.0 / (FPS > 0 ? FPS : 60);
    double now = clock->Now();
    if (next_time < 0) next_time = now;
    window->PollEvents();
    Frame(MayDraw());
    // Sleep to the frame's due time; a frame that ran late moves the schedule on
    // instead of hurrying the next ones.
    next_time += frame_time;
    now = clock->Now();
    if (next_time > now)
        clock->Sleep(next_time - now);
    else
        next_time = now;
}

void WinOpenGLApplication::FixedStepPass()
{
    const double step = 1.0 / (FPS > 0 ? FPS : 60);
    double now = clock->Now();
    if (next_time < 0) next_time = now;
    window->PollEvents();
    if (now < next_time)
    {
        clock->Sleep(next_time - now);
        return;
    }
    // Updates catch up with the clock; only the last of them is drawn.
    int due = 0;
    while (now >= next_time && due < MaxUpdatesPerDraw)
    {
        next_time += step;
        due++;
    }
    if (now >= next_time) next_time = now + step; // hopelessly late: let the lost time go
    for (int i = 1; i < due && flow->IsRunning(); i++)
        UpdateOnly();
    if (flow->IsRunning()) Frame(MayDraw());
}

void WinOpenGLApplication::OnMouseMove(int x, int y, unsigned flags)
{
    flow->Proc_MouseMove(x, y, int(flags));
}

void WinOpenGLApplication::OnMouseDown(platform::MouseButton b, int x, int y, unsigned flags)
{
    if (b == platform::MouseButton::Left)
        flow->Proc_MouseLeftDown(x, y, int(flags));
    else if (b == platform::MouseButton::Right)
        flow->Proc_MouseRightDown(x, y, int(flags));
    else
        flow->Proc_MouseMiddleDown(x, y, int(flags));
}

void WinOpenGLApplication::OnMouseUp(platform::MouseButton b, int x, int y, unsigned flags)
{
    if (b == platform::MouseButton::Left) flow->Proc_MouseLeftUp(x, y, int(flags));
}

void WinOpenGLApplication::OnMouseWheel(int delta, int x, int y, unsigned flags)
{
    flow->Proc_MouseWheel(x, y, delta, int(flags));
}

void WinOpenGLApplication::OnKeyDown(int key)
{
    flow->Proc_KeyDown(key);
}

void WinOpenGLApplication::OnKeyRepeat(int key)
{
    flow->Proc_KeyRepeat(key);
}

void WinOpenGLApplication::OnChar(char16_t ch)
{
    flow->Proc_Char(ch);
}

void WinOpenGLApplication::OnJoystickDown(int button)
{
    flow->Proc_JoystickDown(button);
}

void WinOpenGLApplication::OnJoystickRepeat(int button)
{
    flow->Proc_JoystickRepeat(button);
}

void WinOpenGLApplication::OnCloseRequest()
{
    flow->SetObjectState(FlowObject::fosExit);
}
} // namespace hgl
