#pragma once
// A message window that does nothing but hold the list of shown messages the test
// gives it: what the backlog and the in-game menu read of one.
//
//   stagekit::FakeMessages messages;
//   messages.Add(u"VOICE01", u"【甲】你好");
//   auto *backlog = new avg::HistoryUnit(&messages);
#include "game/core/StageManagers.h"

#include <vector>

namespace stagekit
{
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
} // namespace stagekit
