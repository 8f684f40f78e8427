#pragma once
// What the backlog and quick-menu tests share: a message window that only holds
// a list of shown messages, alone or in the in-game screen.
#include "../../screenkit/ScreenHarness.h"

#include "game/core/StageManagers.h"
#include "support/stage/MinimalStage.h"

#include <vector>

namespace stagescreens
{
// The list the backlog reads, and nothing else of a message window.
class FakeMessages : public avg::MessageStage
{
  public:
    std::vector<KQ7Message> list;

    void Add(const char16_t *voice, const char16_t *text) { list.push_back({voice, text}); }

    int GetMessageCount() const override { return int(list.size()); }
    const KQ7Message *GetMessage(int i) const override
    {
        return i >= 0 && i < int(list.size()) ? &list[size_t(i)] : nullptr;
    }

    void BeginCollect() override {}
    void CloseHistory() override {}
    void LoadHistory(const hgl::String &) override {}
    bool IsTextComplete() const override { return true; }
    bool IsRead() const override { return false; }
    void MarkRead() override {}
    int WaitMs() const override { return 0; }
    bool Advance(bool) override { return false; }
    void Show() override {}
    void Hide() override {}
    void BeginSkip() override {}
    void EndSkip() override {}
    void SetTextSpeed(int) override {}
    void StartShake(int) override {}
    void WindowOff() override {}
    bool SaveState(hgl::TDFNode *) override { return true; }
    bool LoadState(hgl::TDFNode *) override { return true; }
};

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
