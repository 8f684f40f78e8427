#pragma once
// The stage's weather and ambience: at most one of each effect runs. The manager
// owns the running effects and the textures they share, starts and stops them for
// the in-game screen and the story script, and moves and draws them once a frame.
// A stopped rain keeps falling until its last drop is gone and is freed after the
// frame that drew it.
#include "game/core/StageManagers.h"
#include "game/stage/effect/ButterFly.h"
#include "game/stage/effect/Rain.h"
#include "game/stage/effect/WeatherEffect.h"

#include <memory>
#include <vector>

namespace hgl
{
class DevilEngine;
}

class EffectManage : public avg::EffectStage
{
  public:
    EffectManage(hgl::DevilEngine *engine, float screen_w, float screen_h);
    ~EffectManage() override;

    void StartRain(bool whole_screen);
    void StopRain();
    void StartPetals();
    void StopPetals();
    void StartSun();
    void StopSun();
    void StartSnow();
    void StopSnow();
    void StartButterFly(int step);
    void StopButterFly();
    // Stops snow, butterfly, rain, sun and petals, in that order.
    void ClearEffects() override;
    void StartWeather(avg::WeatherEffect effect) override;

    bool SaveState(hgl::TDFNode *) override { return true; }
    bool LoadState(hgl::TDFNode *) override { return true; }

    void Draw() override;
    // The particle work of one frame without drawing.
    void Step();

    hgl::WeatherEffect::Snow *GetSnow() const { return snow.get(); }
    hgl::WeatherEffect::Sun *GetSun() const { return sun.get(); }
    hgl::WeatherEffect::Leaf *GetPetals() const { return petals.get(); }
    hgl::WeatherEffect::Rain1 *GetRain() const { return rain.get(); }
    hgl::ObjectEffect::ButterFly *GetButterFly() const { return butterfly.get(); }
    // Stopped rains still falling.
    int GetDraining() const { return int(draining.size()); }

  private:
    enum Picture
    {
        picSnow,
        picTrail,
        picSun,
        picPetal,
        picCount,
    };
    // Loaded when an effect first needs them, so a story without effects reads none.
    std::unique_ptr<hgl::Texture2D> pictures[picCount];
    bool tried[picCount] = {};
    float screen_w, screen_h;

    std::unique_ptr<hgl::WeatherEffect::Snow> snow;
    std::unique_ptr<hgl::ObjectEffect::ButterFly> butterfly;
    std::unique_ptr<hgl::WeatherEffect::Rain1> rain;
    std::unique_ptr<hgl::WeatherEffect::Leaf> petals;
    std::unique_ptr<hgl::WeatherEffect::Sun> sun;
    std::vector<std::unique_ptr<hgl::WeatherEffect::Rain1>> draining;

    hgl::Texture2D *Picture(int index);
    template <typename F> void EachEffect(F &&f);
    void FreeDrained();

    void EndSnow() { StopSnow(); }
    void EndBubble() { StopButterFly(); }
    void VIB_DOKA() {}
};
