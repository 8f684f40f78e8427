#include "game/stage/StageSetup.h"

#include "game/core/GameUnit.h"
#include "game/stage/back/BackManage.h"

namespace avg
{
void InstallStage()
{
    StageFactory factory = GetStageFactory();
    factory.back = [](GameUnit &unit) -> BackStage * { return new BackManage(&unit, unit.GetEngine()); };
    SetStageFactory(factory);
}
} // namespace avg
