#pragma once
// The characters of the stage: six sprite slots at seven named positions, slides
// between them, fades, the mouth animation while a voice line plays, the speaker
// icons and the mood overlays drawn above them, and the save node "人物".
#include "game/core/StageManagers.h"
#include "game/stage/char/CharIconManage.h"
#include "game/stage/char/CharPic.h"
#include "game/stage/char/MoodManage.h"

#include <array>

namespace hgl
{
class DevilEngine;
}

namespace avg
{
class CharManage : public CharStage
{
  public:
    static constexpr int kSlots = 6;
    static constexpr int kPositions = 7;
    // The named positions, in the order of their x (see the constructor).
    static const hgl::u16char *const kPositionNames[kPositions];

    // A voice line as the message window starts it.
    struct Voice
    {
        hgl::String name;
        hgl::uint64 length_ms = 0;
    };

    // back may be null (no dark tint); the game is not used beyond that.
    CharManage(hgl::DevilEngine *engine, const BackStage *back);
    ~CharManage() override;

    void Show(int slot, const hgl::String &name);
    void Erase(int slot);
    void EraseAll();
    void SetOffsetY(int slot, float value) { slots[slot].offset_y = value; }
    void SetOffsetX(int slot, float value) { slots[slot].offset_x = value; }
    void ToggleFacing(int slot) { slots[slot].facing = !slots[slot].facing; }
    void ToggleUpsideDown(int slot) { slots[slot].upside_down = !slots[slot].upside_down; }
    void Move(const hgl::String &position, int slot, int tenths);
    void Slide(int slot, const hgl::String &name, const hgl::String &from, const hgl::String &to, int tenths);
    void ShowTwo(int first, int second, const hgl::String &a, const hgl::String &b);
    void ShowThree(const int slot_of[3], const hgl::String &a, const hgl::String &b, const hgl::String &c);
    void StartVoice(const hgl::String &speaker, const Voice &voice);

    void ZoomInAll() override;
    void ZoomOutAll() override;
    void SetSkip(bool value) override { skip = value; }
    bool IsMoving() const override;
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;
    void Draw() override;

    // The message window's flag while it reveals a line.
    bool talking = false;

    // Pass-throughs for the message window.
    int GetActiveIcon() const { return icons ? icons->GetActive() : -1; }
    float GetActiveIconAlpha() const { return icons ? icons->GetActiveAlpha() : 0.0f; }
    void DrawActiveIcon()
    {
        if (icons) icons->DrawActive();
    }
    void PutPortrait(const hgl::String &name, float x, float y)
    {
        if (icons) icons->PutPortrait(name, x, y);
    }
    void RemovePortrait()
    {
        if (icons) icons->RemovePortrait();
    }
    bool IsPortraitRight() const { return icons && icons->IsRight(); }

    const CharPic &GetSlot(int slot) const { return slots[slot]; }
    float GetX(int slot) const { return current[slot]; }
    float GetTargetX(int slot) const { return target[slot]; }
    float PositionX(int index) const { return position_x[index]; }
    const hgl::String &GetVoiceName(int slot) const { return voice_name[slot]; }
    CharIconManage *GetIcons() const { return icons.get(); }
    MoodManage *GetMoods() const { return moods.get(); }

  private:
    const BackStage *back;
    std::array<CharPic, kSlots> slots;
    std::array<float, kPositions> position_x{};
    std::array<float, kSlots> current{}, target{}, delta{}, start{}, duration{};
    std::array<hgl::uint64, kSlots> move_timer{};
    std::array<bool, kSlots> voice{};
    std::array<hgl::String, kSlots> voice_name;
    bool skip = false;
    std::unique_ptr<CharIconManage> icons;
    std::unique_ptr<MoodManage> moods;

    void RegisterFunctions(hgl::DevilEngine *engine);
    void ResetSlot(int slot);
    void StopMove(int slot);
    void StepMove(int slot, hgl::uint64 now);
    void Place(int slot, float x);
    // The x of a named position; false (x untouched) for a name of none.
    bool FindPosition(const hgl::String &name, float &x) const;
    int FindPositionOf(float x) const;

    // Script handlers, one per slot or slot layout.
    template <int S> void Display(const hgl::u16char *name) { Show(S, name); }
    template <int A, int B> void DisplayTwo(const hgl::u16char *a, const hgl::u16char *b)
    {
        ShowTwo(A, B, a, b);
    }
    template <int A, int B, int C>
    void DisplayThree(const hgl::u16char *a, const hgl::u16char *b, const hgl::u16char *c)
    {
        const int slot_of[3] = {A, B, C};
        ShowThree(slot_of, a, b, c);
    }
    template <int S> void EraseOne() { Erase(S); }
    template <int A, int B> void EraseTwo()
    {
        Erase(A);
        Erase(B);
    }
    void MoveChar(const hgl::u16char *position, int slot, int tenths);
    template <int S>
    void SlideIn(const hgl::u16char *name, const hgl::u16char *from, const hgl::u16char *to, int t)
    {
        Slide(S, name, from, to, t);
    }
    template <int S> void OffsetY(float v) { SetOffsetY(S, v); }
    template <int S> void OffsetX(float v) { SetOffsetX(S, v); }
    template <int S> void Facing() { ToggleFacing(S); }
    template <int S> void UpsideDown() { ToggleUpsideDown(S); }

    friend struct CharFunctionTable;
};
} // namespace avg
