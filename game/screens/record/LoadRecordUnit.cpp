#include "game/screens/record/LoadRecordUnit.h"

#include "game/core/GameAudio.h"
#include "game/core/GameUnit.h"
#include "game/screens/record/RecordButton.h"

#include <memory>

namespace avg
{
LoadRecordUnit::LoadRecordUnit(const GameWiring &w)
    : RecordUnit1(u"Load.TEX", kSaveSlotCount, true), wiring(w)
{
}

bool LoadRecordUnit::ChooseRecord(RecordButton *button, int)
{
    if (!button || !button->IsFilled())
    {
        PlaySystemSound(kFailSound, false);
        return false;
    }
    auto game = std::make_unique<GameUnit>(wiring);
    // The choice the load may reopen is no new choice to save.
    game->SaveAtChoice = false;
    const bool loaded = game->LoadGame(button->GetSlotName());
    game->SaveAtChoice = true;
    if (!loaded)
    {
        // The running game stays; the new one goes before it ever shows.
        PlaySystemSound(kFailSound, false);
        return false;
    }
    NextObject = game.release();
    ObjectState = fosClear;
    return true;
}
} // namespace avg
