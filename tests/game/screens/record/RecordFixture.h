#pragma once
// The save and load screens over a running demo game: saves are written by the
// game itself into the test's "Save" folder, and the screen opens as the in-game
// menu will open it, so the game's picture is taken before the screen covers it.
#include "../../screenkit/ScreenHarness.h"

#include "game/core/SaveFolder.h"
#include "game/core/SaveHeader.h"
#include "game/core/GameWiring.h"
#include "game/screens/record/LoadRecordUnit.h"
#include "game/screens/record/RecordButton.h"
#include "game/screens/record/RecordSlot.h"
#include "game/screens/record/SaveRecordUnit.h"
#include "io/TDF.h"
#include "graphics/font/TileFont.h"
#include "io/Time.h"

#include <functional>
#include <optional>
#include <optional>

namespace recordkit
{
struct Stamp
{
    int year, month, day, hour, minute, second;
};

// Rewrites the time of saving in the slot's save; false when the save is not there.
inline bool SetStamp(int slot, const Stamp &s)
{
    const hgl::String file = avg::SaveFileName(avg::SlotName(slot));
    hgl::TDFNode root;
    if (!root.LoadFromFile(file.c_str())) return false;
    hgl::TDFNode *when = root.FindChild(avg::save_key::SaveTime);
    if (!when) when = root.AddChild(avg::save_key::SaveTime);
    hgl::Date date(s.year, s.month, s.day);
    hgl::Time time;
    time.Hour = s.hour;
    time.Minute = s.minute;
    time.Second = s.second;
    when->SetObject(avg::save_key::Date, &date);
    when->SetObject(avg::save_key::Time, &time);
    return root.SaveToFile(file.c_str());
}

// Rewrites one value of the slot's save.
inline bool EditSave(int slot, const std::function<void(hgl::TDFNode &)> &edit)
{
    const hgl::String file = avg::SaveFileName(avg::SlotName(slot));
    hgl::TDFNode root;
    if (!root.LoadFromFile(file.c_str())) return false;
    edit(root);
    return root.SaveToFile(file.c_str());
}
} // namespace recordkit

class RecordTest : public ScreenTest
{
  protected:
    // The demo story, a few frames in, the game the top screen.
    void StartDemo()
    {
        StartGame(u"MAIN00");
        if (HasFatalFailure()) return;
        Steps(3);
    }

    // A save of the running game into the slot, written as the story's own
    // saves are: the picture follows at the end of the frame.
    void SaveSlot(int slot, std::optional<recordkit::Stamp> stamp = std::nullopt)
    {
        ASSERT_TRUE(game->SaveGame(avg::SlotName(slot)));
        Step();
        if (!stamp) return;
        ASSERT_TRUE(recordkit::SetStamp(slot, *stamp)) << slot;
    }

    // The screen opens over the game as the in-game menu will open it: Esc in the
    // game, which takes the game's picture first.
    template <typename Screen> Screen *OpenOverGame(std::function<Screen *(avg::GameUnit &)> make)
    {
        wiring.screens.menu = [make](avg::GameUnit &g) -> hgl::FlowObject * { return make(g); };
        Key(hgl::key::Esc);
        Step();
        return ActiveAs<Screen>();
    }
    avg::SaveRecordUnit *OpenSave()
    {
        return OpenOverGame<avg::SaveRecordUnit>([](avg::GameUnit &g)
                                                 { return new avg::SaveRecordUnit(&g); });
    }
    avg::LoadRecordUnit *OpenLoad()
    {
        return OpenOverGame<avg::LoadRecordUnit>([](avg::GameUnit &g)
                                                 { return new avg::LoadRecordUnit(g.GetWiring()); });
    }

    // Frames until the screen has faded in.
    void FadeIn(avg::RecordUnit1 *screen)
    {
        for (int i = 0; i < 60 && screen->GetFade() < 1.0f; ++i)
            Step();
    }
    // Frames until a running page turn has ended.
    void TurnOver(avg::RecordUnit1 *screen)
    {
        for (int i = 0; i < 30 && screen->GetTurnDirection() != avg::RecordUnit1::tdNone; ++i)
            Step();
    }

    // The strip's centre on the canvas.
    static void StripCentre(avg::RecordButton *b, int &x, int &y)
    {
        x = int(b->Left + b->Width / 2);
        y = int(b->Top + b->Height / 2);
    }
    void ClickStrip(avg::RecordButton *b)
    {
        int x, y;
        StripCentre(b, x, y);
        LeftClick(x, y);
    }
};
