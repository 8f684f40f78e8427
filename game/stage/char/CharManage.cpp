#include "game/stage/char/CharManage.h"

#include "graphics/gl/Canvas.h"
#include "io/Time.h"

#include <cmath>

namespace avg
{
const hgl::u16char *const CharManage::kPositionNames[kPositions] = {
    u"BLEFT", u"LEFT", u"CENTRE", u"RIGHT", u"BRIGHT", u"LEFTCEN", u"RIGHTCEN"};

namespace
{
constexpr float kQuarter = 0.25f, kHalf = 0.5f, kSixth = 1.0f / 6.0f;
constexpr float kMsPerTenth = 100.0f;

// The speakers whose lines also move a second character's mouth.
struct Alias
{
    const hgl::u16char *speaker, *also;
};
const Alias kAliases[] = {{u"YY", u"XY"}, {u"XR", u"RR"}, {u"JY", u"QG"}, {u"BC", u"BB"}};
const hgl::u16char kEveryone[] = u"ALL";

bool Valid(int slot)
{
    return slot >= 0 && slot < CharManage::kSlots;
}
} // namespace

CharManage::CharManage(hgl::DevilEngine *engine, const BackStage *back_stage) : back(back_stage)
{
    const float W = float(hgl::GetCanvasWidth());
    position_x = {0.0f, W * kQuarter, W * kHalf, W * kQuarter * 3, W, W * kSixth * 2, W * kSixth * 4};
    for (int slot = 0; slot < kSlots; ++slot)
        ResetSlot(slot);
    RegisterFunctions(engine);
    icons = std::make_unique<CharIconManage>(engine);
    moods = std::make_unique<MoodManage>(engine);
}

CharManage::~CharManage() = default;

void CharManage::StopMove(int slot)
{
    delta[slot] = start[slot] = duration[slot] = 0;
    move_timer[slot] = 0;
}

void CharManage::ResetSlot(int slot)
{
    slots[slot].Reset();
    current[slot] = target[slot] = position_x[2];
    StopMove(slot);
    voice[slot] = false;
    voice_name[slot].Clear();
}

void CharManage::Place(int slot, float x)
{
    current[slot] = target[slot] = x;
}

bool CharManage::FindPosition(const hgl::String &name, float &x) const
{
    for (int i = 0; i < kPositions; ++i)
        if (name.Comp(kPositionNames[i]) == 0)
        {
            x = position_x[i];
            return true;
        }
    return false;
}

int CharManage::FindPositionOf(float x) const
{
    for (int i = 0; i < kPositions; ++i)
        if (position_x[i] == x) return i;
    return -1;
}

void CharManage::Show(int slot, const hgl::String &name)
{
    if (!Valid(slot)) return;
    if (slots[slot].fading_out) ResetSlot(slot);
    slots[slot].Load(name);
}

void CharManage::Erase(int slot)
{
    if (!Valid(slot)) return;
    if (slots[slot].name.IsEmpty())
    {
        ResetSlot(slot);
        return;
    }
    slots[slot].fading_out = true;
    slots[slot].fade_timer = 0;
}

void CharManage::EraseAll()
{
    for (int slot = 0; slot < kSlots; ++slot)
        Erase(slot);
}

void CharManage::Move(const hgl::String &position, int slot, int tenths)
{
    if (!Valid(slot)) return;
    FindPosition(position, target[slot]);
    delta[slot] = target[slot] - current[slot];
    move_timer[slot] = 0;
    start[slot] = current[slot];
    duration[slot] = float(tenths) * kMsPerTenth;
}

void CharManage::Slide(int slot, const hgl::String &name, const hgl::String &from, const hgl::String &to,
                       int tenths)
{
    if (!Valid(slot)) return;
    Show(slot, name);
    FindPosition(from, current[slot]);
    FindPosition(to, target[slot]);
    delta[slot] = target[slot] - current[slot];
    if (delta[slot] == 0) return;
    move_timer[slot] = 0;
    start[slot] = current[slot];
    duration[slot] = float(tenths) * kMsPerTenth;
}

void CharManage::ShowTwo(int first, int second, const hgl::String &a, const hgl::String &b)
{
    Show(first, a);
    Place(first, position_x[1]);
    Show(second, b);
    Place(second, position_x[3]);
}

void CharManage::ShowThree(const int slot_of[3], const hgl::String &a, const hgl::String &b,
                           const hgl::String &c)
{
    const hgl::String *names[3] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i)
    {
        Show(slot_of[i], *names[i]);
        Place(slot_of[i], position_x[1 + i]);
    }
}

void CharManage::StartVoice(const hgl::String &speaker, const Voice &voice_line)
{
    const hgl::uint64 end = hgl::GetTime() + voice_line.length_ms;
    const Alias *alias = nullptr;
    for (const Alias &a : kAliases)
        if (speaker.Comp(a.speaker) == 0) alias = &a;
    const bool everyone = speaker.Comp(kEveryone) == 0;
    for (int slot = 0; slot < kSlots; ++slot)
    {
        CharPic &pic = slots[slot];
        const bool speaks =
            everyone || pic.code.Comp(speaker) == 0 || (alias && pic.code.Comp(alias->also) == 0);
        if (speaks)
        {
            pic.talking = true;
            pic.voice_end = end;
            voice_name[slot] = voice_line.name;
            voice[slot] = true;
        }
        else if (!alias)
        {
            pic.talking = false;
            pic.voice_end = 0;
            voice[slot] = false;
        }
    }
    if (icons) icons->SetSpeaker(speaker, end);
}

void CharManage::ZoomInAll()
{
    for (CharPic &pic : slots)
        pic.zoom_in = true;
}

void CharManage::ZoomOutAll()
{
    for (CharPic &pic : slots)
        pic.zoom_out = true;
}

bool CharManage::IsMoving() const
{
    const hgl::uint64 now = hgl::GetTime();
    for (int slot = 0; slot < kSlots; ++slot)
    {
        const CharPic &pic = slots[slot];
        if (pic.name.IsEmpty() || pic.view_row < 0 || pic.shown.IsEmpty()) continue;
        if ((duration[slot] != 0 && current[slot] != target[slot]) || pic.IsFading(now)) return true;
    }
    return false;
}

void CharManage::StepMove(int slot, hgl::uint64 now)
{
    const float along = (target[slot] - current[slot]) * delta[slot];
    if (!(along > 0) || duration[slot] == 0)
    {
        current[slot] = target[slot];
        StopMove(slot);
        return;
    }
    if (move_timer[slot] == 0) move_timer[slot] = now;
    if (float(now - move_timer[slot]) <= duration[slot])
    {
        current[slot] = float(now - move_timer[slot]) * delta[slot] / duration[slot] + start[slot];
        return;
    }
    current[slot] = target[slot];
    StopMove(slot);
}

void CharManage::Draw()
{
    for (int slot = 0; slot < kSlots; ++slot)
        if (slots[slot].fading_out && (!slots[slot].visible || skip)) ResetSlot(slot);
    const hgl::uint64 now = hgl::GetTime();
    const bool dark = back && back->IsDark();
    for (int slot = 0; slot < kSlots; ++slot)
    {
        CharPic &pic = slots[slot];
        if (pic.name.IsEmpty()) continue;
        pic.talking = voice[slot];
        if (skip) current[slot] = target[slot];
        pic.dark = dark;
        pic.Draw(GetAlpha(), current[slot], skip);
        StepMove(slot, now);
    }
    icons->Draw();
    moods->BeginFrame();
    for (int slot = 0; slot < kSlots; ++slot)
        moods->Draw(slot, GetAlpha());
}
} // namespace avg
