#include "game/stage/StageSetup.h"

#include "game/core/GameUnit.h"
#include "game/stage/back/BackManage.h"
#include "game/stage/char/CharManage.h"
#include "game/stage/choice/SelectUnit.h"
#include "game/stage/effect/EffectManage.h"
#include "game/stage/message/GameDialogBox.h"
#include "game/stage/widgets/CapLabel.h"
#include "game/stage/widgets/SamPicOverlay.h"
#include "graphics/gl/Canvas.h"

namespace avg
{
StageFactory MakeStageFactory()
{
    StageFactory factory;
    factory.back = [](GameUnit &unit) -> BackStage * { return new BackManage(&unit, unit.GetEngine()); };
    factory.chars = [](GameUnit &unit) -> CharStage *
    { return new CharManage(unit.GetEngine(), unit.GetBackStage()); };
    factory.message = [](GameUnit &unit) -> MessageStage *
    {
        return new GameDialogBox(&unit, unit.GetEngine(), dynamic_cast<CharManage *>(unit.GetCharStage()),
                                 nullptr);
    };
    factory.choice = [](GameUnit &unit) -> ChoiceStage *
    { return new SelectUnit(&unit, &unit, &unit.GetValues(), unit.GetEngine()); };
    factory.effects = [](GameUnit &unit) -> EffectStage * {
        return new EffectManage(unit.GetEngine(), float(hgl::GetCanvasWidth()),
                                float(hgl::GetCanvasHeight()));
    };
    factory.overlay = [](int mode) -> ScreenOverlay *
    { return new SamPicOverlay(ScreenOverlay::Mode(mode)); };
    factory.caption = [](float left, float top, const hgl::String &text1, const hgl::String &text2,
                         const hgl::String &picture, hgl::TileFont *font) -> hgl::VisualObject *
    {
        if (font)
            return new CapLabel(int(left), int(top), text1.c_str(), text2.c_str(), picture.c_str(), font);
        return new CapLabel(int(left), int(top), text1.c_str(), text2.c_str(), picture.c_str());
    };
    return factory;
}
} // namespace avg
