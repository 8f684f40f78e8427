#pragma once
// The engine's input codes as screens and widgets receive them: keyboard keys,
// mouse button and modifier flags, and the joystick buttons that stand for keys.
// The window layer translates the system's codes into these.

namespace hgl
{
enum KeyboardButton
{
    kbNone = 0,

    kbEsc,
    kbF1,
    kbF2,
    kbF3,
    kbF4,
    kbF5,
    kbF6,
    kbF7,
    kbF8,
    kbF9,
    kbF10,
    kbF11,
    kbF12,

    kbGrave,
    kb1,
    kb2,
    kb3,
    kb4,
    kb5,
    kb6,
    kb7,
    kb8,
    kb9,
    kb0,
    kbMinus,
    kbEquals,
    kbBackSlash,
    kbBackSpace,

    kbTab,
    kbQ,
    kbW,
    kbE,
    kbR,
    kbT,
    kbY,
    kbU,
    kbI,
    kbO,
    kbP,
    kbLeftBracket,
    kbRightBracket,

    kbCapsLock,
    kbA,
    kbS,
    kbD,
    kbF,
    kbG,
    kbH,
    kbJ,
    kbK,
    kbL,
    kbSemicolon,
    kbApostrophe,
    kbEnter,

    kbLeftShift,
    kbZ,
    kbX,
    kbC,
    kbV,
    kbB,
    kbN,
    kbM,
    kbComma,
    kbPeriod,
    kbSlash,
    kbRightShift,

    kbLeftCtrl,
    kbLeftOS,
    kbLeftAlt,
    kbSpace,
    kbRightAlt,
    kbRightOS,
    kbRightCtrl,

    kbPrintScreen,
    kbScrollLock,
    kbPause,
    kbInsert,
    kbDelete,
    kbHome,
    kbEnd,
    kbPageUp,
    kbPageDown,

    kbUp,
    kbDown,
    kbLeft,
    kbRight,

    kbNumLock,
    kbNumDivide,
    kbNumMultiply,
    kbNumSubtract,
    kbNumAdd,
    kbNumEnter,
    kbNumDecimal,
    kbNum0,
    kbNum1,
    kbNum2,
    kbNum3,
    kbNum4,
    kbNum5,
    kbNum6,
    kbNum7,
    kbNum8,
    kbNum9,

    kbRangeSize // number of codes; every code is below it
};

// Screens compare against these numbers, so they must never move.
static_assert(kbEsc == 1 && kbF1 == 2 && kbEnter == 54 && kbSpace == 70);
static_assert(kbUp == 83 && kbDown == 84 && kbLeft == 85 && kbRight == 86);

// Bits of the flags argument of the pointer events.
enum MouseFlag
{
    mfLeft = 0x01,
    mfRight = 0x02,
    mfShift = 0x04,
    mfCtrl = 0x08,
    mfMiddle = 0x10,
};

// The key a joystick button stands for when nothing takes the button itself:
// 1 Up, 2 Down, 3 Left, 4 Right, 6 Enter, 7 Esc, 9 PgUp, 10 PgDn, 11 Home, 12 End;
// kbNone for any other button.
int JoystickButtonToKey(int button);
} // namespace hgl
