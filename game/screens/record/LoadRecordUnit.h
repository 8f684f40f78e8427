#pragma once
// The load screen: a filled slot, once the player confirms, becomes a new in-game
// screen that replaces every screen, the running game included. An empty slot, or
// a save that cannot be restored, sounds the refusal and leaves everything as it
// was.
#include "game/screens/record/RecordUnit1.h"

namespace avg
{
struct GameWiring;

class LoadRecordUnit : public RecordUnit1
{
  public:
    static constexpr int kFailSound = 19;

    // The wiring makes the loaded game; it outlives the screen.
    explicit LoadRecordUnit(const GameWiring &wiring);
    ~LoadRecordUnit() override = default;

  protected:
    bool ChooseRecord(RecordButton *button, int slot) override;

  private:
    const GameWiring &wiring;
};
} // namespace avg
