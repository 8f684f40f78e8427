#pragma once
// The backlog: the messages shown since the current script began, one white text
// block each and a closing blank one, in a framed page that scrolls with the
// inertial scroll box. It opens at its end over the game, which it darkens to a
// little over a quarter of its brightness, replays a message's voice when its
// block is clicked, and closes on Esc or a right click.
#include "core/String.h"
#include "game/screens/widgets/KQ7FlowObject.h"

#include <vector>

namespace avg
{
class MessageStage;
}

namespace hgl::gui
{
class Label;
}

class HistoryUnit : public TZScrollBoxFlow
{
    float dim = 0;
    // The voices the entries replay, by entry; the game's list may change once the
    // backlog is gone, the entries never point into it.
    std::vector<hgl::String> voices;
    int entries = 0;

  public:
    static constexpr float kDimLimit = 0.7f, kDimStep = 0.025f;

    // Builds the whole page from the window's list (null: an empty list).
    explicit HistoryUnit(const avg::MessageStage *messages);
    ~HistoryUnit() override = default;

    // Removes the message codes the backlog does not show, in place.
    static void StripMarkup(hgl::String &text);

    float GetDim() const { return dim; }
    int GetEntryCount() const { return entries; }

    void OnEntryClick(hgl::gui::Label *label);
    void Draw() override;
};
