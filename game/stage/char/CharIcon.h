#pragma once
// One speaker icon or portrait: a small picture of a character with three mouth
// layers per expression, drawn in a corner or beside the message window.
#include "core/String.h"
#include "core/Types.h"

#include <memory>

namespace hgl
{
class HGP;
}

namespace avg
{
class CharIcon
{
  public:
    CharIcon();
    ~CharIcon();

    void Set(const hgl::String &name, float x, float y, float alpha);
    void SetAlpha(float value) { alpha = value; }
    void SetVoiceEnd(hgl::uint64 end) { voice_end = end; }
    void Draw();
    // The display name in black, drawn twice one pixel apart, under an upper icon.
    void DrawLabel();

    const hgl::String &GetName() const { return name; }
    const hgl::String &GetCode() const { return code; }
    const hgl::String &GetDisplayName() const { return display; }
    float GetAlpha() const { return alpha; }
    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetScale() const { return scale; }
    // The layer the next draw shows, -1 for none.
    int CurrentLayer() const;

  private:
    std::unique_ptr<hgl::HGP> picture;
    int group = -1;
    int period = kFirstPeriod;
    float x = 0, y = 0, scale = 0, alpha = 1;
    hgl::String display, name, code;
    hgl::uint64 mouth = 0, voice_end = 0;

    static constexpr int kFirstPeriod = 6;
    void SetChar(const hgl::u16char *code, const hgl::u16char *display_name, int, int, const hgl::u16char *);
    void ReadDisplayName();
    void StepMouth();
};
} // namespace avg
