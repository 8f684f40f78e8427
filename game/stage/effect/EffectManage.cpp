#include "game/stage/effect/EffectManage.h"

#include "game/core/GameResources.h"
#include "graphics/texture/Texture.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>

namespace
{
const hgl::u16char *const kPictureNames[] = {u"Effect\\snow.TEX", u"Effect\\d.TEX", u"Effect\\sun.TEX",
                                             u"Effect\\SAKURA1.TEX"};

struct Params
{
    int count;
    float speed_x, speed_y;
};
constexpr Params kSnow{20, 1.0f, 5.0f};
constexpr Params kSun{20, 1.0f, 5.0f};
constexpr Params kPetals{15, 15.0f, 5.0f};

struct RainForm
{
    int drops;
    float length, wind, speed, extra;
    float left, width; // of the screen
};
constexpr RainForm kWholeRain{50, 50.0f, 0.5f, 5.0f, 10, 0, 1};
constexpr RainForm kStripRain{45, 100.0f, 0.5f, 5.0f, 15, 0.85f, 0.15f};

template <typename E> std::unique_ptr<E> Make(hgl::Texture2D *texture, const Params &p, float w, float h)
{
    auto effect = std::make_unique<E>(texture, p.count, p.speed_x, p.speed_y);
    effect->SetArea(0, 0, w, h);
    return effect;
}
} // namespace

EffectManage::EffectManage(hgl::DevilEngine *engine, float w, float h) : screen_w(w), screen_h(h)
{
    if (!engine) return;
    static constexpr hgl::ScriptFunction<EffectManage> kFunctions[] = {
        {u"void StartSnow()", hgl::Bind<&EffectManage::StartSnow>},
        {u"void EndSnow()", hgl::Bind<&EffectManage::EndSnow>},
        {u"void StartButterFly(int)", hgl::Bind<&EffectManage::StartButterFly>},
        {u"void EndBubble()", hgl::Bind<&EffectManage::EndBubble>},
        {u"void VIB_DOKA()", hgl::Bind<&EffectManage::VIB_DOKA>},
    };
    hgl::MapFunctions(*engine, this, kFunctions);
}

EffectManage::~EffectManage() = default;

hgl::Texture2D *EffectManage::Picture(int index)
{
    if (!tried[index])
    {
        tried[index] = true;
        pictures[index].reset(avg::LoadTexture2D(kPictureNames[index], 0));
    }
    return pictures[index].get();
}

void EffectManage::StartRain(bool whole_screen)
{
    if (rain) return;
    const RainForm &f = whole_screen ? kWholeRain : kStripRain;
    rain = std::make_unique<hgl::WeatherEffect::Rain1>(f.drops, f.length, f.wind, f.speed, f.extra);
    rain->SetArea(screen_w * f.left, 0, screen_w * f.width, screen_h);
}

void EffectManage::StopRain()
{
    if (!rain) return;
    rain->Stop();
    draining.push_back(std::move(rain));
}

void EffectManage::StartPetals()
{
    if (!petals) petals = Make<hgl::WeatherEffect::Leaf>(Picture(picPetal), kPetals, screen_w, screen_h);
}

void EffectManage::StopPetals()
{
    petals.reset();
}

void EffectManage::StartSun()
{
    if (!sun) sun = Make<hgl::WeatherEffect::Sun>(Picture(picSun), kSun, screen_w, screen_h);
}

void EffectManage::StopSun()
{
    sun.reset();
}

void EffectManage::StartSnow()
{
    if (!snow) snow = Make<hgl::WeatherEffect::Snow>(Picture(picSnow), kSnow, screen_w, screen_h);
}

void EffectManage::StopSnow()
{
    snow.reset();
}

void EffectManage::StartButterFly(int step)
{
    // One that flew off the screen is done and makes way for a new one.
    if (butterfly && butterfly->IsOn()) return;
    butterfly = std::make_unique<hgl::ObjectEffect::ButterFly>(
        Picture(picTrail), avg::GetMsgBoxTexture(avg::mbtSakura), avg::GetMsgBoxTexture(avg::mbtFlower), step,
        screen_w, screen_h);
    butterfly->SetArea(0, 0, screen_w, screen_h);
}

void EffectManage::StopButterFly()
{
    butterfly.reset();
}

void EffectManage::ClearEffects()
{
    StopSnow();
    StopButterFly();
    StopRain();
    StopSun();
    StopPetals();
}

void EffectManage::StartWeather(avg::WeatherEffect effect)
{
    switch (effect)
    {
    case avg::weRain:
        StartRain(true);
        break;
    case avg::weSun:
        StartSun();
        break;
    case avg::wePetals:
        StartPetals();
        break;
    case avg::weSnow:
        StartSnow();
        break;
    }
}

template <typename F> void EffectManage::EachEffect(F &&f)
{
    for (hgl::ParticleEffect *e : std::initializer_list<hgl::ParticleEffect *>{
             snow.get(), butterfly.get(), rain.get(), petals.get(), sun.get()})
        if (e) f(*e);
    for (auto &r : draining)
        f(*r);
}

void EffectManage::Draw()
{
    EachEffect([](hgl::ParticleEffect &e) { e.Draw(); });
    FreeDrained();
}

void EffectManage::Step()
{
    EachEffect([](hgl::ParticleEffect &e) { e.Step(); });
    FreeDrained();
}

void EffectManage::FreeDrained()
{
    std::erase_if(draining, [](const auto &r) { return r->IsDrained(); });
}
