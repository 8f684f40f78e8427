#pragma once
// The application's base: making one starts the engine core, destroying it shuts
// the core down. Init runs the set-up a start-up description asks for in its
// order; the steps that belong to the layers above (window, OpenGL, fonts, GUI,
// audio) are virtual, taken by the application that stands above them all.
#include "core/String.h"
#include "io/SpecialPath.h"

namespace hgl
{
class SystemInitInfo;

class BaseApplication
{
  protected:
    SpecialPathBlock paths; // the special folders found at start-up

    // Steps of Init, in their order; the base has no window, fonts, GUI or audio
    // and succeeds. InitDisplay sets the display mode and makes the window, logging
    // the mode change itself; when it fails, Init reports "初始化显示模式失败" and
    // ends. InitOpenGL applies the description to the OpenGL context.
    virtual void CloseScreenSaver() {}
    virtual bool InitDisplay(SystemInitInfo &) { return true; }
    virtual void InitOpenGL(SystemInitInfo &) {}
    virtual bool InitInput(SystemInitInfo &) { return true; }
    virtual void InitFontAndGUI(SystemInitInfo &) {}
    virtual void InitAudio(SystemInitInfo &) {}

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
