#include "game/stage/char/CharSetup.h"

#include "game/core/GameUnit.h"
#include "game/stage/char/CharManage.h"

namespace avg
{
void InstallCharStage()
{
    StageFactory factory = GetStageFactory();
    factory.chars = [](GameUnit &unit) -> CharStage *
    { return new CharManage(unit.GetEngine(), unit.GetBackStage()); };
    SetStageFactory(factory);
}
} // namespace avg
