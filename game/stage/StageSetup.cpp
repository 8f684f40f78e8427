#include "game/stage/StageSetup.h"

#include "game/core/GameUnit.h"
#include "game/stage/effect/EffectManage.h"
#include "graphics/gl/Canvas.h"

namespace avg
{
void InstallStage()
{
    StageFactory factory = GetStageFactory();
    factory.effects = [](GameUnit &unit) -> EffectStage * {
        return new EffectManage(unit.GetEngine(), float(hgl::GetCanvasWidth()),
                                float(hgl::GetCanvasHeight()));
    };
    SetStageFactory(factory);
}
} // namespace avg
