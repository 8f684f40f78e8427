#pragma once
// The save screen: the running game is written into the chosen player slot, after
// a question when the slot holds a save already. A written slot shows its new save
// and the newest marker, and a hint says so; a write that fails leaves the slot as
// it was and sounds the refusal.
#include "game/screens/record/RecordUnit1.h"

namespace avg
{
class GameUnit;

class SaveRecordUnit : public RecordUnit1
{
    GameUnit *game; // not owned
    int chosen_slot = -1;
    RecordButton *chosen = nullptr;
    bool just_saved = false;
    bool hint_shown = false;

  public:
    static constexpr int kFailSound = 19;

    explicit SaveRecordUnit(GameUnit *game_unit);
    ~SaveRecordUnit() override = default;

    // The answer of the overwrite question, 1 when there was none.
    void WriteRecord(int answer);

    bool IsHintShown() const { return hint_shown; }

    void EndFrame() override;
    void ProcReturn(hgl::FlowObject *finished) override;

  protected:
    bool ChooseRecord(RecordButton *button, int slot) override;
};
} // namespace avg
