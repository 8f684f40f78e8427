#pragma once
// What the backlog and quick-menu tests share: a message window that only holds
// a list of shown messages, alone or in the in-game screen.
#include "../../screenkit/ScreenHarness.h"
#include "../../stagekit/FakeMessages.h"

#include "game/core/StageManagers.h"
#include "support/stage/MinimalStage.h"

#include <vector>

namespace stagescreens
{
using stagekit::FakeMessages;

// The minimal window of the in-game screen, with a list the test fills.
class ListedMessages : public avg::MinimalMessageStage
{
  public:
    static inline std::vector<KQ7Message> list;

    using avg::MinimalMessageStage::MinimalMessageStage;
    int GetMessageCount() const override { return int(list.size()); }
    const KQ7Message *GetMessage(int i) const override
    {
        return i >= 0 && i < int(list.size()) ? &list[size_t(i)] : nullptr;
    }
};
} // namespace stagescreens

class StageScreenTest : public ScreenTest
{
  protected:
    void BeforeScreen() override
    {
        wiring.stage.message = [](avg::GameUnit &u) -> avg::MessageStage *
        { return new stagescreens::ListedMessages(u); };
        ScreenTest::BeforeScreen();
    }

    void TearDown() override
    {
        stagescreens::ListedMessages::list.clear();
        ScreenTest::TearDown();
    }
};
