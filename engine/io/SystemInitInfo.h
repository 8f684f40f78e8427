#pragma once
// The start-up description: filled by the game before the application is made,
// read by the application, window, graphics, font, GUI and audio set-up.
#include "core/String.h"
#include "io/Font.h"

#include <string>

namespace hgl
{
class SystemInitInfo
{
    int instance_lock = -1; // the single-instance lock file, held until destruction

  public:
    String StartFolder; // the current folder when the description was made

    struct Info
    {
        String ProjectName; // names the single-instance lock; default window title
        String ProjectEnglishName;
        String Reserved[2];
    } info;

    int FrameMode = 2; // frame pacing mode handed to the application
    bool SkipSingleInstanceCheck = true;
    bool ReservedFlag = true;
    bool WaitActive = false; // wait while inactive (windowed only)
    bool BackNotDraw = true; // no drawing in the background (windowed only)
    bool CloseScreenSaver = true;
    bool UseJoystick = false;
    int ReservedValue = 100;

    struct Graphics
    {
        bool FullScreen = false;

        struct DisplayMode
        {
            int Width = 640;
            int Height = 480;
            int Bits = 32;
            int Refresh = 75;
        } Mode;

        int FPS = 60;
        int WindowWidth = 640;
        int WindowHeight = 480;

        struct PixelFormat
        {
            int AlphaBits = 0;
            int DepthBits = 32;
            int StencilBits = 0;
            int AccumBits = 0;
            int Multisample = 0; // used when above 1
        } Pixel;

        struct OpenGLSwitches
        {
            bool TextureCompressionHQ = true;
            bool TextureRectangle = true;
            bool TextureNPOT = true;
            bool VertexBufferObject = true;
            bool PixelBufferObject = true;
            bool FrameBufferObject = true;
            bool GLSL = true;
            bool Multitexture = true;
        } GL;

        struct GUI
        {
            bool Use = false; // also creates the default font
            String Theme{u"ZoruVEZ.HAC"};
        } gui;

        bool CreateDefaultFont = false;
        Font EnglishFont{u"Tahoma", 0, 14, true, false};
        Font DefaultFont{u"黑体", 0, 14, false, false};
        int TileFontSize = 1000; // character tiles of the default tile font
    } graphics;

    struct Audio
    {
        bool ListDevices = false;
        String DeviceName; // empty: the default device
    } audio;

    struct WindowSetup
    {
        String Title; // empty: the project name (see Check)
        String IconFile;
        String CursorFile;   // empty: the standard arrow
        bool Caption = true; // false: a pop-up window
        bool SysMenu = true;
        bool ExStyle1000 = false;
        bool Sizeable = false;
        bool MinimizeBox = true;
        bool MaximizeBox = false;
        bool TopMost = false;
    } win;

  public:
    SystemInitInfo();
    virtual ~SystemInitInfo(); // gives up the single-instance lock
    SystemInitInfo(const SystemInitInfo &) = delete;
    SystemInitInfo &operator=(const SystemInitInfo &) = delete;

    // Display mode 0 x 0 becomes 640 x 480; an empty window title becomes the project name.
    virtual void Check();

    // True at once when the check is skipped or the project has no name. Otherwise
    // takes a lock named after the project (a file in $XDG_RUNTIME_DIR, else /tmp,
    // locked with flock: the system drops it when the program ends in any way);
    // when another process holds it: "本程序不允许重复启动,请关闭前一个。" and false.
    bool CheckSingleInstance();

    // The lock file's path for a project name (exposed for tests and tools).
    static std::string SingleInstanceLockFile(const String &project_name);
};
} // namespace hgl
