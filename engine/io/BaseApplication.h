#pragma once
// The application's base: making one starts the engine core, destroying it shuts
// the core down. Init runs the set-up a start-up description asks for; the parts
// that belong to later layers (window, OpenGL, fonts, GUI, audio) are reached
// through replaceable hooks and virtual steps.
#include "core/String.h"
#include "io/Font.h"
#include "io/SpecialPath.h"

namespace hgl
{
class SystemInitInfo;

// Set-up services the graphics, GUI and audio layers install when they exist.
// A missing font, GUI or audio hook is logged and the set-up goes on without it.
struct StartUpHooks
{
    void (*SetDefaultFont)(const Font &font) = nullptr;
    // Builds the default tile font; the result becomes global pointer 4.
    void *(*CreateTileFont)(const Font &chs, const Font &eng, int count) = nullptr;
    // Applies the OpenGL switches and the frame rate of the description.
    void (*InitOpenGLCaps)(SystemInitInfo &sii) = nullptr;
    // Opens the theme archive from the GUI folder.
    bool (*InitGUI)(const String &theme) = nullptr;
    // The audio set-up: library name (null: the default), device name, list the devices.
    bool (*InitOpenAL)(const u16char *library, const u16char *device, bool list_devices) = nullptr;
};

// Installs the hooks (copied) and returns the ones they replace.
StartUpHooks SetStartUpHooks(const StartUpHooks &hooks);
const StartUpHooks &GetStartUpHooks();

class BaseApplication
{
  protected:
    SpecialPathBlock paths; // the special folders found at start-up

    // Steps of Init for the window layer; the base has no window and succeeds.
    // InitDisplay sets the display mode and makes the window, logging the mode
    // change itself; when it fails, Init reports "初始化显示模式失败" and ends.
    // InitOpenGL applies the description to the OpenGL context (the base runs the
    // InitOpenGLCaps hook).
    virtual void CloseScreenSaver() {}
    virtual bool InitDisplay(SystemInitInfo &) { return true; }
    virtual void InitOpenGL(SystemInitInfo &sii);
    virtual bool InitInput(SystemInitInfo &) { return true; }

  private:
    void InitFontAndGUI(SystemInitInfo &sii);

  public:
    String ProjectName;
    String ProjectEnglishName;
    int FrameMode = 2;
    int FPS = 60; // frame-rate limit, set by the OpenGL set-up

    // Starts the core (InitCore) and becomes global pointer 2.
    explicit BaseApplication(bool open_log = true);
    // Shuts the core down (CloseCore).
    virtual ~BaseApplication();
    BaseApplication(const BaseApplication &) = delete;
    BaseApplication &operator=(const BaseApplication &) = delete;

    const SpecialPathBlock &GetPaths() const { return paths; }

    // Reads the description: Check, global pointer 1, project names, the
    // single-instance check (false ends the set-up), display, OpenGL, input, fonts
    // and GUI, audio, frame mode. Null gives "sii为空!" and false.
    virtual bool Init(SystemInitInfo *sii);
};
} // namespace hgl
