#include "game/stage/char/MoodManage.h"

#include "core/Log.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/stage/char/CharName.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"
#include "script/ScriptFunctionTable.h"

namespace avg
{
namespace
{
using namespace char_name;
constexpr float kHidden = -200.0f;
// A frame this late belongs to a pause, not to the animation.
constexpr hgl::uint64 kLateMs = 51;
const hgl::u16char kSpeedFlag[] = u"HMOODSPEED";
} // namespace

MoodManage::MoodManage(hgl::DevilEngine *engine)
{
    x.fill(kHidden);
    y.fill(kHidden);
    static constexpr hgl::ScriptFunction<MoodManage> kFunctions[] = {
        {u"void SetMood(int , string,float,float)", hgl::Bind<&MoodManage::SetMood>},
    };
    if (engine) hgl::MapFunctions(*engine, this, kFunctions);
}

MoodManage::~MoodManage() = default;

void MoodManage::SetMood(int slot, const hgl::u16char *name, float at_x, float at_y)
{
    if (slot < 0 || slot >= kSlots)
    {
        hgl::PutError(u"SetMood的位置<%d>超出0..5", slot);
        return;
    }
    moods[slot].reset(LoadHGP(hgl::String(u"MoodRes\\") + hgl::String(name) + u".hgp"));
    frame[slot] = 0;
    gathered[slot] = 0;
    x[slot] = at_x;
    y[slot] = at_y * float(hgl::GetCanvasHeight()) / kDesignH;
}

void MoodManage::BeginFrame()
{
    const hgl::uint64 now = hgl::GetTime();
    elapsed = now - last;
    last = now;
}

void MoodManage::Draw(int slot, float alpha)
{
    if (slot < 0 || slot >= kSlots || elapsed >= kLateMs || !moods[slot]) return;
    hgl::HGP *mood = moods[slot].get();
    static const hgl::String speed_flag(kSpeedFlag);
    const int speed = GetSystemFlag(speed_flag);
    if (hgl::HGPLayer *layer = mood->GetLayer(frame[slot]))
    {
        layer->Color.a = alpha;
        const float s = float(hgl::GetCanvasHeight()) / kDesignH;
        mood->DrawLayer(frame[slot], x[slot] * float(hgl::GetCanvasWidth()) / kDesignW, y[slot], s, s);
    }
    gathered[slot] += elapsed;
    if (gathered[slot] < hgl::uint64(speed < 0 ? 0 : speed)) return;
    gathered[slot] -= hgl::uint64(speed < 0 ? 0 : speed);
    if (++frame[slot] < mood->LayerCount) return;
    moods[slot].reset();
    gathered[slot] = 0;
}
} // namespace avg
