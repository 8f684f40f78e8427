#include "platform/window/InputTranslator.h"

#include "platform/window/KeyCode.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <array>
#include <cmath>

namespace hgl::platform
{
namespace
{
constexpr int WheelStep = 120;

struct KeyRun
{
    int first_glfw;
    int last_glfw;
    int first_engine;
};

// Contiguous runs of GLFW keys onto engine codes.
constexpr KeyRun KeyRuns[] = {
    {GLFW_KEY_ESCAPE, GLFW_KEY_ESCAPE, key::Esc},
    {GLFW_KEY_F1, GLFW_KEY_F12, key::F1},
    {GLFW_KEY_GRAVE_ACCENT, GLFW_KEY_GRAVE_ACCENT, key::Grave},
    {GLFW_KEY_1, GLFW_KEY_9, key::Digit1},
    {GLFW_KEY_0, GLFW_KEY_0, key::Digit0},
    {GLFW_KEY_MINUS, GLFW_KEY_MINUS, key::Minus},
    {GLFW_KEY_EQUAL, GLFW_KEY_EQUAL, key::Equal},
    {GLFW_KEY_BACKSPACE, GLFW_KEY_BACKSPACE, key::Backspace},
    {GLFW_KEY_TAB, GLFW_KEY_TAB, key::Tab},
    {GLFW_KEY_LEFT_BRACKET, GLFW_KEY_LEFT_BRACKET, key::LeftBracket},
    {GLFW_KEY_RIGHT_BRACKET, GLFW_KEY_RIGHT_BRACKET, key::RightBracket},
    {GLFW_KEY_BACKSLASH, GLFW_KEY_BACKSLASH, key::Backslash},
    {GLFW_KEY_CAPS_LOCK, GLFW_KEY_CAPS_LOCK, key::CapsLock},
    {GLFW_KEY_SEMICOLON, GLFW_KEY_SEMICOLON, key::Semicolon},
    {GLFW_KEY_APOSTROPHE, GLFW_KEY_APOSTROPHE, key::Apostrophe},
    {GLFW_KEY_ENTER, GLFW_KEY_ENTER, key::Enter},
    {GLFW_KEY_LEFT_SHIFT, GLFW_KEY_LEFT_SHIFT, key::LeftShift},
    {GLFW_KEY_COMMA, GLFW_KEY_COMMA, key::Comma},
    {GLFW_KEY_PERIOD, GLFW_KEY_PERIOD, key::Period},
    {GLFW_KEY_SLASH, GLFW_KEY_SLASH, key::Slash},
    {GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_RIGHT_SHIFT, key::RightShift},
    {GLFW_KEY_LEFT_CONTROL, GLFW_KEY_LEFT_CONTROL, key::LeftCtrl},
    {GLFW_KEY_LEFT_SUPER, GLFW_KEY_LEFT_SUPER, key::LeftSuper},
    {GLFW_KEY_LEFT_ALT, GLFW_KEY_LEFT_ALT, key::LeftAlt},
    {GLFW_KEY_SPACE, GLFW_KEY_SPACE, key::Space},
    {GLFW_KEY_RIGHT_ALT, GLFW_KEY_RIGHT_ALT, key::RightAlt},
    {GLFW_KEY_RIGHT_SUPER, GLFW_KEY_RIGHT_SUPER, key::RightSuper},
    {GLFW_KEY_RIGHT_CONTROL, GLFW_KEY_RIGHT_CONTROL, key::RightCtrl},
    {GLFW_KEY_PRINT_SCREEN, GLFW_KEY_PRINT_SCREEN, key::PrintScreen},
    {GLFW_KEY_SCROLL_LOCK, GLFW_KEY_SCROLL_LOCK, key::ScrollLock},
    {GLFW_KEY_PAUSE, GLFW_KEY_PAUSE, key::Pause},
    {GLFW_KEY_INSERT, GLFW_KEY_INSERT, key::Insert},
    {GLFW_KEY_DELETE, GLFW_KEY_DELETE, key::Delete},
    {GLFW_KEY_HOME, GLFW_KEY_HOME, key::Home},
    {GLFW_KEY_END, GLFW_KEY_END, key::End},
    {GLFW_KEY_PAGE_UP, GLFW_KEY_PAGE_UP, key::PageUp},
    {GLFW_KEY_PAGE_DOWN, GLFW_KEY_PAGE_DOWN, key::PageDown},
    {GLFW_KEY_UP, GLFW_KEY_UP, key::Up},
    {GLFW_KEY_DOWN, GLFW_KEY_DOWN, key::Down},
    {GLFW_KEY_LEFT, GLFW_KEY_LEFT, key::Left},
    {GLFW_KEY_RIGHT, GLFW_KEY_RIGHT, key::Right},
    {GLFW_KEY_NUM_LOCK, GLFW_KEY_NUM_LOCK, key::NumLock},
    {GLFW_KEY_KP_DIVIDE, GLFW_KEY_KP_DIVIDE, key::PadDivide},
    {GLFW_KEY_KP_MULTIPLY, GLFW_KEY_KP_MULTIPLY, key::PadMultiply},
    {GLFW_KEY_KP_SUBTRACT, GLFW_KEY_KP_SUBTRACT, key::PadSubtract},
    {GLFW_KEY_KP_ADD, GLFW_KEY_KP_ADD, key::PadAdd},
    {GLFW_KEY_KP_ENTER, GLFW_KEY_KP_ENTER, key::PadEnter},
    {GLFW_KEY_KP_DECIMAL, GLFW_KEY_KP_DECIMAL, key::PadDecimal},
    {GLFW_KEY_KP_0, GLFW_KEY_KP_9, key::Pad0},
    {GLFW_KEY_MENU, GLFW_KEY_MENU, key::Menu},
};

// The letter rows do not follow GLFW's alphabetical order.
constexpr char LetterRows[][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr int LetterRowStart[] = {key::Q, key::A, key::Z};

int LetterCode(int glfw_key)
{
    for (int row = 0; row < 3; row++)
        for (int i = 0; LetterRows[row][i]; i++)
            if (GLFW_KEY_A + (LetterRows[row][i] - 'A') == glfw_key) return LetterRowStart[row] + i;
    return key::None;
}

const std::array<int, GLFW_KEY_LAST + 1> &KeyTable()
{
    static const std::array<int, GLFW_KEY_LAST + 1> table = []
    {
        std::array<int, GLFW_KEY_LAST + 1> t{};
        for (const KeyRun &run : KeyRuns)
            for (int k = run.first_glfw; k <= run.last_glfw; k++)
                t[k] = run.first_engine + (k - run.first_glfw);
        for (int k = GLFW_KEY_A; k <= GLFW_KEY_Z; k++)
            t[k] = LetterCode(k);
        return t;
    }();
    return table;
}
} // namespace

int EngineKeyCode(int glfw_key)
{
    if (glfw_key < 0 || glfw_key > GLFW_KEY_LAST) return key::None;
    return KeyTable()[glfw_key];
}

void InputTranslator::SetGeometry(int window_width, int window_height, int canvas_width, int canvas_height)
{
    fit_ = FitCanvas(canvas_width, canvas_height, window_width, window_height);
    canvas_width_ = canvas_width;
    canvas_height_ = canvas_height;
}

unsigned InputTranslator::Flags() const
{
    unsigned flags = buttons_;
    if (mods_ & GLFW_MOD_SHIFT) flags |= MouseFlagShift;
    if (mods_ & GLFW_MOD_CONTROL) flags |= MouseFlagCtrl;
    return flags;
}

void InputTranslator::Key(int glfw_key, int action, int mods)
{
    mods_ = mods;
    const int code = EngineKeyCode(glfw_key);
    if (!sink_ || code == key::None) return;
    if (action == GLFW_PRESS)
        sink_->OnKeyDown(code);
    else if (action == GLFW_REPEAT)
        sink_->OnKeyRepeat(code);
    else if (action == GLFW_RELEASE)
        sink_->OnKeyUp(code);
}

void InputTranslator::Char(uint32_t cp)
{
    constexpr uint32_t MaxCodePoint = 0x10FFFF;
    constexpr uint32_t SurrogateFirst = 0xD800;
    constexpr uint32_t SurrogateLast = 0xDFFF;
    constexpr uint32_t PlaneSize = 0x10000;
    if (!sink_ || cp > MaxCodePoint || (cp >= SurrogateFirst && cp <= SurrogateLast)) return;
    if (cp < PlaneSize)
    {
        sink_->OnChar(char16_t(cp));
        return;
    }
    const uint32_t v = cp - PlaneSize;
    sink_->OnChar(char16_t(0xD800 + (v >> 10)));
    sink_->OnChar(char16_t(0xDC00 + (v & 0x3FF)));
}

void InputTranslator::CursorPos(double x, double y)
{
    TargetToCanvas(fit_, canvas_width_, canvas_height_, x, y, x_, y_);
    if (sink_) sink_->OnMouseMove(x_, y_, Flags());
}

void InputTranslator::MouseButton(int glfw_button, int action, int mods)
{
    mods_ = mods;
    platform::MouseButton button;
    unsigned bit;
    switch (glfw_button)
    {
    case GLFW_MOUSE_BUTTON_LEFT:
        button = MouseButton::Left;
        bit = MouseFlagLeft;
        break;
    case GLFW_MOUSE_BUTTON_RIGHT:
        button = MouseButton::Right;
        bit = MouseFlagRight;
        break;
    case GLFW_MOUSE_BUTTON_MIDDLE:
        button = MouseButton::Middle;
        bit = MouseFlagMiddle;
        break;
    default:
        return;
    }

    if (action == GLFW_PRESS)
    {
        buttons_ |= bit;
        if (sink_) sink_->OnMouseDown(button, x_, y_, Flags());
    }
    else if (action == GLFW_RELEASE)
    {
        buttons_ &= ~bit;
        if (sink_) sink_->OnMouseUp(button, x_, y_, Flags());
    }
}

void InputTranslator::Scroll(double y_offset)
{
    const int delta = int(std::lround(y_offset * WheelStep));
    if (sink_ && delta != 0) sink_->OnMouseWheel(delta, x_, y_, Flags());
}

void InputTranslator::Focus(bool active)
{
    if (!active) buttons_ = 0; // releases happen elsewhere while unfocused
    if (sink_) sink_->OnActive(active);
}

void InputTranslator::CloseRequest()
{
    if (sink_) sink_->OnCloseRequest();
}

void InputTranslator::Joystick(const unsigned char *buttons, int count, uint64_t now_ms)
{
    if (count < 0 || (count > 0 && !buttons)) count = 0;
    if (joy_.size() < size_t(count)) joy_.resize(size_t(count));

    for (size_t i = 0; i < joy_.size(); i++)
    {
        const bool down = int(i) < count && buttons[i] != 0;
        JoyButton &b = joy_[i];
        const int number = int(i) + 1;
        if (down && !b.down)
        {
            b.next_repeat_ms = now_ms + JoystickRepeatDelayMs;
            if (sink_) sink_->OnJoystickDown(number);
        }
        else if (down && now_ms >= b.next_repeat_ms)
        {
            b.next_repeat_ms = now_ms + JoystickRepeatIntervalMs;
            if (sink_) sink_->OnJoystickRepeat(number);
        }
        else if (!down && b.down && sink_)
            sink_->OnJoystickUp(number);
        b.down = down;
    }
}
} // namespace hgl::platform
