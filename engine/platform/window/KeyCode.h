#pragma once
// The engine's key codes, as screens receive them. Laid out along the rows of a
// PC keyboard so that the fixed codes (1 Esc, 2 F1, 54 Enter, 70 Space,
// 83-86 arrows) fall where they belong.

namespace hgl::key
{
constexpr int None = 0;
constexpr int Esc = 1;
constexpr int F1 = 2; // F1..F12 = 2..13
constexpr int F12 = 13;
constexpr int Grave = 14;
constexpr int Digit1 = 15; // 1..9 = 15..23
constexpr int Digit0 = 24;
constexpr int Minus = 25;
constexpr int Equal = 26;
constexpr int Backspace = 27;
constexpr int Tab = 28;
constexpr int Q = 29; // Q W E R T Y U I O P = 29..38
constexpr int P = 38;
constexpr int LeftBracket = 39;
constexpr int RightBracket = 40;
constexpr int Backslash = 41;
constexpr int CapsLock = 42;
constexpr int A = 43; // A S D F G H J K L = 43..51
constexpr int L = 51;
constexpr int Semicolon = 52;
constexpr int Apostrophe = 53;
constexpr int Enter = 54;
constexpr int LeftShift = 55;
constexpr int Z = 56; // Z X C V B N M = 56..62
constexpr int M = 62;
constexpr int Comma = 63;
constexpr int Period = 64;
constexpr int Slash = 65;
constexpr int RightShift = 66;
constexpr int LeftCtrl = 67;
constexpr int LeftSuper = 68;
constexpr int LeftAlt = 69;
constexpr int Space = 70;
constexpr int RightAlt = 71;
constexpr int RightSuper = 72;
constexpr int RightCtrl = 73;
constexpr int PrintScreen = 74;
constexpr int ScrollLock = 75;
constexpr int Pause = 76;
constexpr int Insert = 77;
constexpr int Delete = 78;
constexpr int Home = 79;
constexpr int End = 80;
constexpr int PageUp = 81;
constexpr int PageDown = 82;
constexpr int Up = 83;
constexpr int Down = 84;
constexpr int Left = 85;
constexpr int Right = 86;
constexpr int NumLock = 87;
constexpr int PadDivide = 88;
constexpr int PadMultiply = 89;
constexpr int PadSubtract = 90;
constexpr int PadAdd = 91;
constexpr int PadEnter = 92;
constexpr int PadDecimal = 93;
constexpr int Pad0 = 94; // keypad 0..9 = 94..103
constexpr int Pad9 = 103;
constexpr int Menu = 104;
constexpr int Count = 105;
} // namespace hgl::key
