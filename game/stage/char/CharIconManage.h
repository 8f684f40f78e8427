#pragma once
// The three speaker-icon places (upper left, the message window's portrait, upper
// right), their fades, which one speaks, and the save node "人物图标".
#include "game/stage/char/CharIcon.h"

#include <array>
#include <memory>

namespace hgl
{
class DevilEngine;
class TDFNode;
} // namespace hgl

namespace avg
{
class CharIconManage
{
  public:
    enum Place
    {
        kLeft = 0,
        kPortrait = 1,
        kRight = 2,
        kPlaces = 3
    };

    explicit CharIconManage(hgl::DevilEngine *engine);

    void PutIcon(int place, const hgl::String &name);
    void PutPortrait(const hgl::String &name, float x, float y);
    void RemovePortrait();
    // The place's icon fades out and is then freed.
    void EndIcon(int place)
    {
        if (place >= 0 && place < kPlaces) showing[place] = false;
    }
    bool IsRight() const { return right; }
    void SetSpeaker(const hgl::String &speaker, hgl::uint64 voice_end);
    int GetActive() const { return active; }
    float GetActiveAlpha() const;
    void DrawActive();
    void Draw();
    bool SaveState(hgl::TDFNode *root);
    bool LoadState(hgl::TDFNode *root);

    const CharIcon *GetIcon(int place) const { return icons[place].get(); }
    bool IsShowing(int place) const { return showing[place]; }

  private:
    std::array<std::unique_ptr<CharIcon>, kPlaces> icons;
    std::array<float, kPlaces> alpha{};
    std::array<bool, kPlaces> showing{};
    std::array<hgl::String, kPlaces> names;
    int active = -1;
    bool right = false;

    void Empty(int place);
    void Fade(int place);
    template <int Place> void Start(const hgl::u16char *name, float) { PutIcon(Place, name); }
    template <int Place> void End() { EndIcon(Place); }
};
} // namespace avg
