#pragma once
// The one place where the window system's input becomes engine input. Both window
// backends feed it raw events numbered as GLFW numbers them (keys, buttons,
// actions, modifier bits) and positions in window coordinates; it hands engine
// events to the sink.
#include "platform/window/CanvasFit.h"
#include "platform/window/InputSink.h"

#include <cstdint>
#include <vector>

namespace hgl::platform
{
// Engine key code of a GLFW key number; 0 for keys the engine does not know.
int EngineKeyCode(int glfw_key);

class InputTranslator
{
  public:
    static constexpr uint64_t JoystickRepeatDelayMs = 400;
    static constexpr uint64_t JoystickRepeatIntervalMs = 100;

    void SetSink(InputSink *sink) { sink_ = sink; }
    InputSink *Sink() const { return sink_; }

    // The window's size (in the units pointer positions come in) and the canvas size.
    void SetGeometry(int window_width, int window_height, int canvas_width, int canvas_height);

    void Key(int glfw_key, int action, int mods);
    void Char(uint32_t codepoint);
    void CursorPos(double x, double y);
    void MouseButton(int glfw_button, int action, int mods);
    void Scroll(double y_offset);
    void Focus(bool active);
    void CloseRequest();

    // The pressed state of every joystick button now (1 = pressed); press, repeat
    // and release events follow from the change since the last call.
    void Joystick(const unsigned char *buttons, int count, uint64_t now_ms);

  private:
    unsigned Flags() const;

    InputSink *sink_ = nullptr;
    FitRect fit_;
    int canvas_width_ = 0;
    int canvas_height_ = 0;
    int x_ = 0; // last pointer position, canvas coordinates
    int y_ = 0;
    unsigned buttons_ = 0; // MouseFlagLeft/Right/Middle held
    int mods_ = 0;         // GLFW modifier bits of the last event

    struct JoyButton
    {
        bool down = false;
        uint64_t next_repeat_ms = 0;
    };
    std::vector<JoyButton> joy_;
};
} // namespace hgl::platform
