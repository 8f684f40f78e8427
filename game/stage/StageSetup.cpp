#include "game/stage/StageSetup.h"

#include "game/core/GameUnit.h"
#include "game/stage/back/BackManage.h"
#include "game/stage/char/CharManage.h"

namespace avg
{
void InstallStage()
{
    StageFactory factory = GetStageFactory();
    factory.back = [](GameUnit &unit) -> BackStage * { return new BackManage(&unit, unit.GetEngine()); };
    factory.chars = [](GameUnit &unit) -> CharStage *
    { return new CharManage(unit.GetEngine(), unit.GetBackStage()); };
    SetStageFactory(factory);
}
} // namespace avg
