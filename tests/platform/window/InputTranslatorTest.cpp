#include "platform/window/InputTranslator.h"
#include "platform/window/KeyCode.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace hgl::platform;

// Records every event as a short text.
struct Recorder : InputSink
{
    std::vector<std::string> events;
    void Add(std::string s) { events.push_back(std::move(s)); }
    static std::string P(int x, int y, unsigned f)
    {
        return std::to_string(x) + "," + std::to_string(y) + " f" + std::to_string(f);
    }
    static const char *B(MouseButton b)
    {
        return b == MouseButton::Left ? "L" : b == MouseButton::Right ? "R" : "M";
    }

    void OnMouseMove(int x, int y, unsigned f) override { Add("move " + P(x, y, f)); }
    void OnMouseDown(MouseButton b, int x, int y, unsigned f) override
    {
        Add(std::string("down") + B(b) + " " + P(x, y, f));
    }
    void OnMouseUp(MouseButton b, int x, int y, unsigned f) override
    {
        Add(std::string("up") + B(b) + " " + P(x, y, f));
    }
    void OnMouseWheel(int d, int x, int y, unsigned f) override
    {
        Add("wheel " + std::to_string(d) + " " + P(x, y, f));
    }
    void OnKeyDown(int k) override { Add("key " + std::to_string(k)); }
    void OnKeyRepeat(int k) override { Add("repeat " + std::to_string(k)); }
    void OnKeyUp(int k) override { Add("keyup " + std::to_string(k)); }
    void OnChar(char16_t c) override { Add("char " + std::to_string(int(c))); }
    void OnJoystickDown(int b) override { Add("joy " + std::to_string(b)); }
    void OnJoystickRepeat(int b) override { Add("joyrepeat " + std::to_string(b)); }
    void OnJoystickUp(int b) override { Add("joyup " + std::to_string(b)); }
};

TEST(InputTranslator, KeysMapToEngineCodes)
{
    const std::pair<int, int> table[] = {
        {GLFW_KEY_ESCAPE, hgl::key::Esc},
        {GLFW_KEY_F1, 2},
        {GLFW_KEY_F12, 13},
        {GLFW_KEY_ENTER, 54},
        {GLFW_KEY_SPACE, 70},
        {GLFW_KEY_UP, 83},
        {GLFW_KEY_DOWN, 84},
        {GLFW_KEY_LEFT, 85},
        {GLFW_KEY_RIGHT, 86},
        {GLFW_KEY_GRAVE_ACCENT, 14},
        {GLFW_KEY_1, 15},
        {GLFW_KEY_0, 24},
        {GLFW_KEY_BACKSPACE, 27},
        {GLFW_KEY_TAB, 28},
        {GLFW_KEY_Q, 29},
        {GLFW_KEY_P, 38},
        {GLFW_KEY_BACKSLASH, 41},
        {GLFW_KEY_A, 43},
        {GLFW_KEY_L, 51},
        {GLFW_KEY_Z, 56},
        {GLFW_KEY_M, 62},
        {GLFW_KEY_RIGHT_CONTROL, 73},
        {GLFW_KEY_HOME, 79},
        {GLFW_KEY_PAGE_DOWN, 82},
        {GLFW_KEY_KP_0, 94},
        {GLFW_KEY_KP_9, 103},
        {GLFW_KEY_MENU, 104},
        {GLFW_KEY_WORLD_1, 0},
        {GLFW_KEY_UNKNOWN, 0},
        {GLFW_KEY_LAST + 1, 0},
    };
    for (auto [glfw, engine] : table)
        EXPECT_EQ(EngineKeyCode(glfw), engine) << "GLFW key " << glfw;

    Recorder r;
    InputTranslator t;
    t.SetSink(&r);
    t.Key(GLFW_KEY_ENTER, GLFW_PRESS, 0);
    t.Key(GLFW_KEY_ENTER, GLFW_REPEAT, 0);
    t.Key(GLFW_KEY_ENTER, GLFW_RELEASE, 0);
    t.Key(GLFW_KEY_WORLD_1, GLFW_PRESS, 0);
    EXPECT_EQ(r.events, (std::vector<std::string>{"key 54", "repeat 54", "keyup 54"}));
}

TEST(InputTranslator, CharactersBecomeUTF16Units)
{
    Recorder r;
    InputTranslator t;
    t.SetSink(&r);
    for (uint32_t cp : {0x41u, 0x4E2Du, 0x1F600u, 0xD800u, 0x110000u})
        t.Char(cp);
    EXPECT_EQ(r.events, (std::vector<std::string>{"char 65", "char 20013", "char 55357", "char 56832"}));
}

TEST(InputTranslator, PointerInCanvasCoordinatesWithButtonAndModifierFlags)
{
    Recorder r;
    InputTranslator t;
    t.SetSink(&r);
    // A 640x480 canvas in a 1280x720 window: scaled by 1.5 with 160-pixel bars left and right.
    t.SetGeometry(1280, 720, 640, 480);
    t.CursorPos(160, 0);
    t.CursorPos(640, 360);
    t.MouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, GLFW_MOD_SHIFT);
    t.MouseButton(GLFW_MOUSE_BUTTON_MIDDLE, GLFW_PRESS, GLFW_MOD_CONTROL);
    t.MouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
    t.MouseButton(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, 0);
    t.Scroll(1);
    t.Scroll(-0.5);
    t.Focus(false); // releases elsewhere must not leave buttons held
    t.CursorPos(1119, 719);
    EXPECT_EQ(r.events, (std::vector<std::string>{"move 0,0 f0", "move 320,240 f0", "downL 320,240 f5",
                                                  "downM 320,240 f25", "upL 320,240 f16", "downR 320,240 f18",
                                                  "wheel 120 320,240 f18", "wheel -60 320,240 f18",
                                                  "move 639,479 f0"}));
}

TEST(InputTranslator, JoystickButtonsRepeatAfterADelay)
{
    Recorder r;
    InputTranslator t;
    t.SetSink(&r);
    const unsigned char up[] = {0, 0, 0}, second[] = {0, 1, 0};
    const std::pair<const unsigned char *, uint64_t> frames[] = {
        {up, 0}, {second, 1000}, {second, 1399}, {second, 1400}, {second, 1499}, {second, 1500}, {up, 1510},
    };
    for (auto [buttons, ms] : frames)
        t.Joystick(buttons, 3, ms);
    t.Joystick(nullptr, 5, 2000); // a lost joystick reads as nothing pressed
    EXPECT_EQ(r.events, (std::vector<std::string>{"joy 2", "joyrepeat 2", "joyrepeat 2", "joyup 2"}));
}

TEST(CanvasFit, KeepsTheAspectRatioCentred)
{
    struct Case
    {
        int cw, ch, tw, th;
        FitRect fit;
    };
    const Case cases[] = {
        {640, 480, 640, 480, {0, 0, 640, 480}},
        {640, 480, 1280, 720, {160, 0, 960, 720}},
        {640, 480, 640, 800, {0, 160, 640, 480}},
        {640, 480, 320, 240, {0, 0, 320, 240}},
        {640, 480, 0, 480, {}},
        {0, 480, 640, 480, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FitCanvas(c.cw, c.ch, c.tw, c.th), c.fit) << c.tw << "x" << c.th;
}
} // namespace
