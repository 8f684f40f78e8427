#include "game/screens/record/SaveRecordUnit.h"

#include "core/Log.h"
#include "game/core/GameAudio.h"
#include "game/core/GameUnit.h"
#include "game/core/SaveHeader.h"
#include "game/screens/record/RecordButton.h"
#include "game/screens/widgets/CHint.h"
#include "game/screens/widgets/HGPSelect.h"

namespace avg
{
SaveRecordUnit::SaveRecordUnit(GameUnit *game_unit)
    : RecordUnit1(u"Save.TEX", kSaveSlotCount, false), game(game_unit)
{
}

bool SaveRecordUnit::ChooseRecord(RecordButton *button, int slot)
{
    chosen_slot = slot;
    chosen = button;
    // The automatic saves are the game's own.
    if (slot == kAutoSaveSlot || slot == kChoiceSaveSlot) return true;
    if (!SaveFileExists(button->GetSlotName()))
    {
        WriteRecord(1);
        return true;
    }
    HGPSelect *dialog =
        new HGPSelect(u"SystemSelect\\IsCover.HGP", u"SystemSelect\\yes.HGP", u"SystemSelect\\no.HGP", 0);
    dialog->OnResult.Bind<&SaveRecordUnit::WriteRecord>(this);
    NextObject = dialog;
    ObjectState = fosPush;
    return true;
}

void SaveRecordUnit::WriteRecord(int answer)
{
    if (answer != 1 || !chosen || !game) return;
    // The slot's old picture must not outlive the write, shown or not.
    DropThumbnail(chosen->GetSlotName());
    if (!game->SaveGame(chosen->GetSlotName(), true, true))
    {
        hgl::PutError(u"存档<%s>没有写成", chosen->GetSlotName().c_str());
        PlaySystemSound(kFailSound, false);
        return;
    }
    SavedInto(chosen);
    just_saved = true;
}

void SaveRecordUnit::EndFrame()
{
    if (!just_saved) return;
    NextObject = new CHint(u"SystemSelect\\SaveSucceed.HGP");
    ObjectState = fosPush;
    hint_shown = true;
    just_saved = false;
}

void SaveRecordUnit::ProcReturn(hgl::FlowObject *)
{
    if (!hint_shown) return;
    hint_shown = false;
    just_saved = false;
}
} // namespace avg
