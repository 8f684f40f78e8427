// The options screen and its pages over a running game: the dimming, the marker,
// the summary of every row, each page's buttons and what each choice writes and
// applies.
#include "../../screenkit/ScreenHarness.h"

#include "game/core/Config.h"
#include "game/core/SaveHeader.h"
#include "game/core/GameWiring.h"
#include "game/screens/menu/OptionPages.h"
#include "game/stage/message/GameDialogBox.h"
#include "game/screens/menu/OptionUnit.h"
#include "game/screens/widgets/EZButton.h"
#include "gui/HGPButton.h"
#include "io/StringList.h"

using avg::OptionUnit;
using avg::config::audio_config;
using avg::config::graphics_config;

namespace
{
// Each choice picture in three looks: normal, the summary's selected, the page's selected.
const hgl::test::RGBA kLooks[3] = {{200, 0, 0, 255}, {0, 200, 0, 255}, {0, 0, 200, 255}};

struct ChoiceCase
{
    int row, choice;
    int *setting;     // what the choice writes (a byte setting is read through get)
    int value;        // the value written
    std::string call; // the sound request made at once, "" for none
};
} // namespace

class OptionScreenTest : public ScreenTest
{
  protected:
    avg::GameDialogBox *message = nullptr;

    void SetUp() override
    {
        ScreenTest::SetUp();
        for (const hgl::u16char *name : avg::kChoicePictures)
            AddData(
                avg::OptionPicture(name).ToStdString(),
                screenkit::LayeredPicture(64, 24, {{u"", kLooks[0]}, {u"", kLooks[1]}, {u"", kLooks[2]}}));
    }

    void StartWith(const char16_t *script)
    {
        StartGame(script);
        if (HasFatalFailure()) return;
        message = dynamic_cast<avg::GameDialogBox *>(game->GetMessageStage());
        ASSERT_NE(message, nullptr);
        Steps(2);
    }

    // Opens as the in-game menu will: over the game, which stays drawn.
    OptionUnit *OpenOptions()
    {
        wiring.screens.menu = [this](avg::GameUnit &g) -> hgl::FlowObject *
        { return new OptionUnit(&g, message); };
        Key(hgl::key::Esc);
        Step();
        return ActiveAs<OptionUnit>();
    }

    // The item's page, opened by a click on the item.
    avg::OptionRowPage *OpenRow(OptionUnit *screen, int row)
    {
        hgl::gui::HGPButton *item = screen->GetItem(row);
        LeftClick(int(item->Left + item->Width / 2), int(item->Top + item->Height / 2));
        Step();
        return ActiveAs<avg::OptionRowPage>();
    }

    void Choose(avg::OptionRowPage *page, int choice)
    {
        hgl::gui::EZButton *b = page->GetChoice(choice);
        LeftClick(int(b->Left + b->Width / 2), int(b->Top + b->Height / 2));
    }

    // Enter until the story has moved to script "B".
    void ToScriptB()
    {
        for (int i = 0; i < 20 && game->GetScript() != u"B"; ++i)
        {
            Key(hgl::key::Enter);
            Steps(10);
        }
    }

    static int Selected(avg::OptionRowPage *page)
    {
        int selected = -1;
        for (int i = 0; i < page->GetChoiceCount(); ++i)
            if (page->GetChoice(i)->Selected)
            {
                EXPECT_EQ(selected, -1) << "one selected";
                selected = i;
            }
        return selected;
    }
};

TEST_F(OptionScreenTest, TheFirstFrameIsNotDimmed)
{
    StartWith(u"MAIN00");
    const hgl::test::RGBA game_pixel = Pixel(20, 20);
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(Pixel(20, 20), game_pixel) << "dim level 0";
    EXPECT_FLOAT_EQ(screen->GetDim(), OptionUnit::kDimStep);
    Steps(40);
    EXPECT_NEAR(screen->GetDim(), 0.725f, 1e-4) << "it stops once at 0.7 or more";
    const hgl::test::RGBA dimmed = Pixel(20, 20);
    EXPECT_NEAR(dimmed.r, game_pixel.r * (1 - screen->GetDim()), 2);
    EXPECT_NEAR(dimmed.g, game_pixel.g * (1 - screen->GetDim()), 2);
    Checkpoint("options");
}

TEST_F(OptionScreenTest, TheMarkerFollowsTheFocus)
{
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    const float sy = 768.0f / 1200;
    hgl::gui::HGPButton *first = screen->GetItem(0);
    EXPECT_TRUE(first->HasFocus());
    EXPECT_FLOAT_EQ(screen->GetMarkerX(), first->Left + first->Width);
    EXPECT_FLOAT_EQ(screen->GetMarkerY(), first->Top + (first->Height - 48 * sy) / 2);
    Key(hgl::key::Down);
    Step();
    hgl::gui::HGPButton *second = screen->GetItem(1);
    ASSERT_TRUE(second->HasFocus());
    EXPECT_FLOAT_EQ(screen->GetMarkerY(), second->Top + (second->Height - 48 * sy) / 2);
    EXPECT_NEAR(second->Top - first->Top, 96 * sy, 1e-3);
    // Losing the focus leaves the marker.
    screen->Control->SetFocusObject(nullptr);
    Step();
    EXPECT_FLOAT_EQ(screen->GetMarkerY(), second->Top + (second->Height - 48 * sy) / 2);
    // A click beside the items does nothing.
    LeftClick(900, 100);
    Step();
    EXPECT_EQ(Active(), static_cast<hgl::FlowObject *>(screen));
    EXPECT_EQ(screen->GetKeys().GetCount(), avg::kOptionRowCount);
}

TEST_F(OptionScreenTest, EachRowSummarisesEveryValue)
{
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    for (int row = 0; row < avg::kOptionRowCount; ++row)
    {
        const avg::OptionRow &r = avg::GetOptionRow(row);
        const int kept = r.get();
        for (int c = 0; c < r.choice_count; ++c)
        {
            r.set(r.choices[c].value);
            EXPECT_EQ(screen->GetShownChoice(row), c) << row << " " << c;
        }
        // A value no choice stands for; a switch reads every non-zero value as on.
        r.set(2000);
        EXPECT_EQ(screen->GetShownChoice(row), r.is_switch ? 0 : -1) << row;
        r.set(kept);
    }
    graphics_config.Speed = 0;
    EXPECT_EQ(screen->GetShownChoice(avg::orQuickMode), 1) << "All";
    graphics_config.EndWaitTime = 1000;
    EXPECT_EQ(screen->GetShownChoice(avg::orAutoSpeed), 3) << "veryfast";
}

TEST_F(OptionScreenTest, TheSummaryDrawsTheSelectedLook)
{
    StartWith(u"MAIN00");
    audio_config.BGM = 40;
    graphics_config.EndWaitTime = 2000;
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    Step();
    const float sx = 1024.0f / 1600, sy = 768.0f / 1200;
    auto centre = [&](int row, float fraction)
    {
        const float top = 426 + 96 * row;
        return Pixel(int((672 + 685 * fraction) * sx), int((top + 32) * sy));
    };
    const float fractions[4] = {0.2f, 0.4f, 0.6f, 0.8f};
    // "music" at 40: "normal" selected, the others normal.
    for (int c = 0; c < 4; ++c)
    {
        const hgl::test::RGBA p = centre(avg::orMusic, fractions[c]);
        const hgl::test::RGBA want = c == 2 ? kLooks[1] : kLooks[0];
        EXPECT_GT(c == 2 ? p.g : p.r, 100) << c;
        EXPECT_LT(c == 2 ? p.r : p.g, 60) << c << " " << int(want.r);
    }
    // "autospeed" at 2000: none selected.
    for (int c = 0; c < 4; ++c)
        EXPECT_LT(centre(avg::orAutoSpeed, fractions[c]).g, 60) << c;
    // A page changing the value shows at once.
    auto *page = OpenRow(screen, avg::orMusic);
    ASSERT_NE(page, nullptr);
    Choose(page, 3);
    Step();
    EXPECT_GT(centre(avg::orMusic, fractions[3]).b, 100) << "the page's selected look over the row";
    Key(hgl::key::Esc);
    Step();
    EXPECT_GT(centre(avg::orMusic, fractions[3]).g, 100);
    EXPECT_LT(centre(avg::orMusic, fractions[2]).g, 60);
}

TEST_F(OptionScreenTest, EachPageOpensOnItsCurrentChoice)
{
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    struct Case
    {
        int row;
        int value;
        int selected;
    };
    const Case cases[] = {{avg::orQuickMode, 0, 1},    {avg::orQuickMode, 7, 0},    {avg::orAutoSave, 1, 0},
                          {avg::orAutoSave, 0, 1},     {avg::orSounds, 333, 1},     {avg::orMusic, 20, 1},
                          {avg::orMusic, 30, -1},      {avg::orVoice, 80, 3},       {avg::orWordSpeed, 10, 0},
                          {avg::orAutoSpeed, 7000, 1}, {avg::orAutoSpeed, 2000, -1}};
    for (const Case &c : cases)
    {
        avg::GetOptionRow(c.row).set(c.value);
        hgl::gui::HGPButton *item = screen->GetItem(c.row);
        auto *page = OpenRow(screen, c.row);
        ASSERT_NE(page, nullptr) << c.row;
        EXPECT_EQ(Selected(page), c.selected) << c.row << " " << c.value;
        for (int i = 0; i < page->GetChoiceCount(); ++i)
        {
            EXPECT_EQ(page->GetChoice(i)->HasFocus(), i == c.selected) << c.row << " " << i;
            EXPECT_FLOAT_EQ(page->GetChoice(i)->Top, item->Top - 2) << "over the row";
        }
        const float sx = 1024.0f / 1600;
        const float f = avg::GetOptionRow(c.row).choices[0].fraction;
        hgl::gui::EZButton *first = page->GetChoice(0);
        EXPECT_NEAR(first->Left + first->Width / 2, (672 + 685 * f) * sx, 1e-3);
        EXPECT_NEAR(first->Width, 64 * sx, 1e-3);
        Key(hgl::key::Esc);
        Step();
        ASSERT_EQ(Active(), static_cast<hgl::FlowObject *>(screen));
    }
}

TEST_F(OptionScreenTest, EachChoiceWritesAndApplies)
{
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    struct Case
    {
        int row, choice;
        std::function<int()> setting;
        int value;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {avg::orQuickMode, 1, [] { return int(graphics_config.Speed); }, 0, {}},
        {avg::orQuickMode, 0, [] { return int(graphics_config.Speed); }, 1, {}},
        {avg::orAutoSave, 1, [] { return int(graphics_config.AutoSave); }, 0, {}},
        {avg::orSounds, 1, [] { return audio_config.Voice; }, 333, {}},
        {avg::orSounds, 3, [] { return audio_config.Voice; }, 1000, {}},
        {avg::orMusic, 3, [] { return audio_config.BGM; }, 80, {"music volume 80"}},
        {avg::orMusic, 0, [] { return audio_config.BGM; }, 0, {"music volume 0"}},
        {avg::orVoice, 2, [] { return audio_config.SE; }, 40, {"se volume 40"}},
        {avg::orWordSpeed, 2, [] { return graphics_config.TextSpeed; }, 70, {}},
        {avg::orAutoSpeed, 0, [] { return graphics_config.EndWaitTime; }, 10000, {}},
    };
    for (const Case &c : cases)
    {
        auto *page = OpenRow(screen, c.row);
        ASSERT_NE(page, nullptr) << c.row;
        ClearSounds();
        message->SetTextSpeed(5);
        Choose(page, c.choice);
        EXPECT_EQ(c.setting(), c.value) << c.row << " " << c.choice;
        EXPECT_EQ(Selected(page), c.choice);
        EXPECT_EQ(sounds, c.calls) << c.row << " " << c.choice;
        // The window takes the speed just configured, at once; no other row touches it.
        EXPECT_FLOAT_EQ(message->GetTextSpeed(), c.row == avg::orWordSpeed ? float(c.value) : 5.0f);
        if (c.row == avg::orQuickMode)
        {
            EXPECT_EQ(game->SkipReadOnly, c.value != 0);
        }
        Step();
        EXPECT_EQ(Active(), static_cast<hgl::FlowObject *>(page)) << "a choice does not close the page";
        RightClick(5, 5);
        Step();
        ASSERT_EQ(Active(), static_cast<hgl::FlowObject *>(screen));
    }
    EXPECT_FLOAT_EQ(avg::config::VolumeGain(80), 0.08f) << "the gain of \"big\" music";
}

TEST_F(OptionScreenTest, ClickingTheSelectedChoiceAgainRepeatsTheCall)
{
    StartWith(u"MAIN00");
    audio_config.BGM = 20;
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    auto *page = OpenRow(screen, avg::orMusic);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Selected(page), 1) << "small";
    EXPECT_TRUE(page->GetChoice(1)->HasFocus());
    ClearSounds();
    Choose(page, 3);
    Step();
    Choose(page, 3);
    Step();
    EXPECT_EQ(sounds, (std::vector<std::string>{"music volume 80", "music volume 80"}));
    // Enter on the focused choice chooses it too.
    ClearSounds();
    Key(hgl::key::Enter);
    EXPECT_EQ(sounds, (std::vector<std::string>{"music volume 80"}));
    Checkpoint("music");
}

TEST_F(OptionScreenTest, ClosingAutoSaveSkipsTheSaveAfterExtCall)
{
    AddScript(u"A", u"func main() { MES(\"a\"); EXT_CALL(\"B\"); }");
    AddScript(u"B", u"func main() { MES(\"b\"); MES(\"c\"); }");
    graphics_config.AutoSave = 1;
    StartWith(u"A");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    auto *page = OpenRow(screen, avg::orAutoSave);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Selected(page), 0) << "open";
    Choose(page, 1);
    EXPECT_EQ(graphics_config.AutoSave, 0);
    Key(hgl::key::Esc);
    Step();
    Key(hgl::key::Esc);
    Step();
    ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    ToScriptB();
    ASSERT_EQ(game->GetScript(), hgl::String(u"B"));
    EXPECT_FALSE(avg::SaveFileExists(u"0"));

    // Opened again, the page shows "close"; "open" brings the save back.
    screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    page = OpenRow(screen, avg::orAutoSave);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Selected(page), 1);
}

TEST_F(OptionScreenTest, ExtCallSavesWhileAutoSaveIsOpen)
{
    AddScript(u"A", u"func main() { MES(\"a\"); EXT_CALL(\"B\"); }");
    AddScript(u"B", u"func main() { MES(\"b\"); }");
    graphics_config.AutoSave = 1;
    StartWith(u"A");
    ToScriptB();
    ASSERT_EQ(game->GetScript(), hgl::String(u"B"));
    EXPECT_TRUE(avg::SaveFileExists(u"0"));
}

TEST_F(OptionScreenTest, EscAndRightClickClose)
{
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(Key(hgl::key::F1)) << "other keys are not taken";
    RightClick(5, 5);
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(Key(hgl::key::Esc));
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
}

TEST_F(OptionScreenTest, AFrameWithoutItsLayersDrawsNoFrame)
{
    AddData(u"option\\Frame.HGP", screenkit::LayeredPicture(64, 16, {{u"Other", {255, 0, 255, 255}}}));
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    auto *page = OpenRow(screen, avg::orMusic);
    ASSERT_NE(page, nullptr);
    Step();
    // Between two choices of the row, where only a frame would be drawn.
    const float sx = 1024.0f / 1600, sy = 768.0f / 1200;
    const hgl::test::RGBA p = Pixel(int((672 + 685 * 0.3f) * sx), int((426 + 96 * 3 + 32) * sy));
    EXPECT_FALSE(p.r > 150 && p.b > 150 && p.g < 80);
}

TEST_F(OptionScreenTest, TheFramesAppearWithTheirLayers)
{
    AddData(u"option\\Frame.HGP",
            screenkit::LayeredPicture(64, 16,
                                      {{u"Normal", {255, 0, 255, 255}}, {u"Select", {0, 255, 255, 255}}}));
    StartWith(u"MAIN00");
    OptionUnit *screen = OpenOptions();
    ASSERT_NE(screen, nullptr);
    const float sx = 1024.0f / 1600, sy = 768.0f / 1200;
    const int x = int((672 + 685 * 0.3f) * sx);
    Step();
    const hgl::test::RGBA row = Pixel(x, int((426 + 96 * 3 + 32) * sy));
    EXPECT_GT(row.r, 80) << "the normal look at 0.4";
    EXPECT_GT(row.b, 80);
    auto *page = OpenRow(screen, avg::orMusic);
    ASSERT_NE(page, nullptr);
    Step();
    const hgl::test::RGBA selected = Pixel(x, int((426 + 96 * 3 + 32) * sy));
    EXPECT_GT(selected.g, 200) << "the page's selected look";
    EXPECT_GT(selected.b, 200);
}

// The demo's own pictures, for a look at the screen and a page as the player sees them.
class OptionDemoTest : public ScreenTest
{
};

TEST_F(OptionDemoTest, LooksOfTheScreenAndAPage)
{
    StartGame(u"MAIN00");
    Steps(2);
    wiring.screens.menu = [](avg::GameUnit &g) -> hgl::FlowObject *
    { return new OptionUnit(&g, g.GetMessageStage()); };
    Key(hgl::key::Esc);
    Steps(40);
    auto *screen = ActiveAs<OptionUnit>();
    ASSERT_NE(screen, nullptr);
    Checkpoint("screen");
    hgl::gui::HGPButton *item = screen->GetItem(avg::orWordSpeed);
    LeftClick(int(item->Left + item->Width / 2), int(item->Top + item->Height / 2));
    Steps(2);
    ASSERT_NE(ActiveAs<avg::WordRate>(), nullptr);
    Checkpoint("page");
}
