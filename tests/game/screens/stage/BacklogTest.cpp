// The backlog: its entries, their markup and voices, its scrolling, its dimming
// and its closing, alone and opened from the in-game screen.
#include "StageScreens.h"
#include "graphics/draw/Painter.h"

#include "game/core/GameUnit.h"
#include "game/screens/stage/HistoryUnit.h"
#include "game/screens/widgets/scrollbox.h"
#include "graphics/font/TileFont.h"
#include "gui/RichTextLabel.h"

namespace
{
using hgl::test::RGBA;

std::u16string Stripped(const char16_t *text)
{
    hgl::String s = text;
    HistoryUnit::StripMarkup(s);
    return s.ToStdString();
}

// The screen below: light grey everywhere.
class Grey : public MarkerScreen
{
  public:
    Grey() : MarkerScreen("grey") {}
    void Draw() override { hgl::draw::Clear(hgl::Color4f(200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1)); }
};
} // namespace

class BacklogTest : public StageScreenTest
{
  protected:
    stagescreens::FakeMessages messages;
    HistoryUnit *backlog = nullptr;

    void OpenBacklog()
    {
        Prepare();
        Open(new Grey);
        backlog = new HistoryUnit(&messages);
        Open(backlog);
        Step();
    }

    std::vector<hgl::gui::RichTextLabel *> Entries() const
    {
        std::vector<hgl::gui::RichTextLabel *> out;
        const auto &all = backlog->GetScrollBox()->GetObjectList();
        for (int i = 0; i < all.GetCount(); ++i)
            if (auto *label = dynamic_cast<hgl::gui::RichTextLabel *>(all[i])) out.push_back(label);
        return out;
    }
    // A left press at the middle of an entry as last drawn.
    void ClickEntry(const hgl::gui::RichTextLabel *label)
    {
        LeftClick(int(label->GetOriginX() + label->Left + 5), int(label->GetOriginY() + label->Top + 5));
    }
};

TEST(BacklogMarkup, TwentyRemovalsInTheirOrder)
{
    const struct
    {
        const char16_t *text, *shown;
    } cases[] = {
        {u"【小雪】早上好。%K%P", u"【小雪】早上好。"},
        {u"行一\n行二%p%n%N%t%T", u"行一行二"},
        {u"＃￥%k%lc%LC%le%LE%S060%O060%FS%FE", u""},
        {u"等一下%W，%S030%O030还在", u"等一下%W，%S030%O030还在"}, // not the backlog's to remove
        {u"%%KK", u""},                                             // joined, then taken by the last "%K"
        {u"%＃p", u""},                                             // "＃" goes first, "%p" after
        {u"%%Kk", u"%k"},                                           // "%k" was taken before "%K" joined it
        {u"%S0%O06060", u"%S060"},                                  // joined after "%S060" had its turn
        {u"%K", u""},
        {u"", u""},
        {u"%", u"%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Stripped(c.text), c.shown) << hgl::test::U8(c.text);
}

TEST_F(BacklogTest, ThreeMessagesGiveFourWhiteEntriesOpenAtTheEnd)
{
    for (int i = 0; i < 12; ++i)
        messages.Add(i % 2 ? u"" : u"xy_001",
                     i == 4 ? u"【小雪】早上好。这里是演示故事。%K%P" : u"雪一直下着，城市变得很安静。");
    messages.Add(u"", u"%K%P"); // only codes: no entry, no gap
    messages.Add(u"xy_002", u"等一下%W，还在");
    OpenBacklog();
    const std::vector<hgl::gui::RichTextLabel *> entries = Entries();
    ASSERT_EQ(entries.size(), 14u);
    EXPECT_EQ(backlog->GetEntryCount(), 14);
    EXPECT_EQ(entries[4]->GetText(), u"【小雪】早上好。这里是演示故事。");
    EXPECT_EQ(entries[12]->GetText(), u"等一下%W，还在");
    EXPECT_EQ(entries[13]->GetText(), u" ");
    const int fh = avg::LabelFont->CharHeight;
    EXPECT_FLOAT_EQ(entries[0]->Top, float(2 * fh));
    EXPECT_FLOAT_EQ(entries[0]->Left, float(2 * fh));
    EXPECT_FLOAT_EQ(entries[0]->Width, backlog->GetScrollBox()->Width - 4.0f * float(fh));
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_EQ(entries[i]->Top, float(int(entries[i - 1]->Top + entries[i - 1]->Height + float(fh)))) << i;
    for (const auto *e : entries)
    {
        EXPECT_EQ(e->Color.r + e->Color.g + e->Color.b + e->Color.a, 4.0f);
        for (int c = 0; c < e->GetMakeup().CharColor.GetCount(); ++c)
            EXPECT_EQ(e->GetMakeup().CharColor[c].g, 1.0f);
    }
    EXPECT_TRUE(entries[4]->PerCharColor);
    EXPECT_FALSE(entries[5]->PerCharColor);

    scrollbox *box = backlog->GetScrollBox();
    ASSERT_TRUE(box->GetVerticalBar().IsVisible());
    EXPECT_EQ(box->GetScrollY(), float(int(box->GetVerticalBar().MaxValue)));
    EXPECT_EQ(box->GetTargetY(), box->GetScrollY());
    Checkpoint("end");
}

TEST_F(BacklogTest, EntriesReplayTheirVoices)
{
    messages.Add(u"xy_001", u"【小雪】早上好。");
    messages.Add(u"", u"雪一直下着。");
    messages.Add(u"xy_002", u"【小雪】下雪了。");
    OpenBacklog();
    const std::vector<hgl::gui::RichTextLabel *> entries = Entries();
    ASSERT_EQ(entries.size(), 4u);
    const struct
    {
        size_t entry;
        std::vector<std::u16string> voices;
    } clicks[] = {{0, {u"xy_001"}}, {1, {}}, {2, {u"xy_002"}}, {3, {u"xy_002"}}, {0, {u"xy_001"}}};
    for (const auto &c : clicks)
    {
        SCOPED_TRACE(c.entry);
        ClearSounds();
        ClickEntry(entries[c.entry]);
        Step();
        EXPECT_EQ(voices, c.voices);
    }
    EXPECT_EQ(Depth(), 2);
}

TEST_F(BacklogTest, AnEmptyListHoldsOnlyTheClosingEntryWithoutVoice)
{
    OpenBacklog();
    const std::vector<hgl::gui::RichTextLabel *> entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->GetText(), u" ");
    EXPECT_EQ(entries[0]->GetUserData(), nullptr);
    ClickEntry(entries[0]);
    Step();
    EXPECT_TRUE(voices.empty());
    EXPECT_FALSE(backlog->GetScrollBox()->GetVerticalBar().IsVisible());
}

TEST_F(BacklogTest, TheGameBehindDimsForTwentyNineFramesToAbout27Percent)
{
    OpenBacklog();
    std::vector<float> dims{backlog->GetDim()};
    for (int i = 0; i < 35; ++i)
    {
        Step();
        dims.push_back(backlog->GetDim());
    }
    int rises = 0;
    for (size_t i = 1; i < dims.size(); ++i)
        rises += dims[i] > dims[i - 1];
    EXPECT_EQ(rises + 1, 29); // the first frame drew at 0 and rose too
    EXPECT_FLOAT_EQ(dims.back(), 0.725f);
    // Above the page the grey behind keeps 27.5 % of its brightness.
    const RGBA behind = Pixel(Width() / 2, 20);
    EXPECT_NEAR(behind.r, 200 * 0.275, 3);
    EXPECT_NEAR(behind.g, 200 * 0.275, 3);
    Checkpoint("dimmed");
}

TEST_F(BacklogTest, ItScrollsByWheelKeysAndJoystickAndClosesEveryWay)
{
    for (int i = 0; i < 30; ++i)
        messages.Add(u"xy_001", u"【小雪】早上好。这里是演示故事。");
    OpenBacklog();
    scrollbox *box = backlog->GetScrollBox();
    const float end = box->GetScrollY();
    ASSERT_GT(end, 300);
    const int x = int(box->GetOriginX() + box->Left + 50), y = int(box->GetOriginY() + box->Top + 50);
    Wheel(x, y, 120);
    EXPECT_EQ(box->GetTargetY(), end - 32);
    Key(hgl::key::Up);
    EXPECT_EQ(box->GetTargetY(), end - 96);
    JoystickRepeat(1);
    EXPECT_EQ(box->GetTargetY(), end - 168);
    Joystick(2);
    EXPECT_EQ(box->GetTargetY(), end - 104);
    Steps(40);
    EXPECT_EQ(box->GetScrollY(), end - 104);

    // A right click over an entry closes it as Esc does.
    const auto entries = Entries();
    RightClick(int(entries[25]->GetOriginX() + entries[25]->Left + 5),
               int(entries[25]->GetOriginY() + entries[25]->Top + 5));
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"Grey"}));
    for (const auto &close :
         std::vector<std::function<void()>>{[&] { Key(hgl::key::Esc); }, [&] { Joystick(7); }})
    {
        backlog = new HistoryUnit(&messages);
        Open(backlog);
        Step();
        ASSERT_EQ(Depth(), 2);
        close();
        Step();
        EXPECT_EQ(Depth(), 1);
    }
}

TEST_F(BacklogTest, TheMiddleButtonAndJoystickOneOpenItOverTheGame)
{
    stagescreens::ListedMessages::list = {{u"xy_001", u"【小雪】早上好。"}, {u"", u"雪一直下着。"}};
    AddScript(u"T", u"func main() { MES(\"一\"); T_MARK(1); MES(\"二\"); }");
    StartGame(u"T");
    Steps(3);
    ASSERT_EQ(game->GetState(), avg::gsMessage);
    const struct
    {
        const char *how;
        std::function<void()> open;
    } ways[] = {{"middle button", [&] { MiddleClick(500, 300); }}, {"joystick 1", [&] { Joystick(1); }}};
    for (const auto &w : ways)
    {
        SCOPED_TRACE(w.how);
        state_log.clear();
        w.open();
        Step();
        EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "HistoryUnit"}));
        EXPECT_EQ(state_log, (std::vector<std::string>{"GameUnit 3 HistoryUnit"}));
        auto *page = ActiveAs<HistoryUnit>();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetEntryCount(), 3);
        Steps(5); // the game waits below, drawn but not run
        EXPECT_EQ(game->GetState(), avg::gsMessage);
        Key(hgl::key::Esc);
        Step();
        EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    }
    EXPECT_TRUE(marks.empty());
    LeftClick(500, 300); // the game takes clicks again
    Step();
    EXPECT_EQ(marks, std::vector<int>{1});
}

// The backlog on the game's own message window: the lines the script showed.
class BacklogOverTheWindowTest : public ScreenTest
{
};

TEST_F(BacklogOverTheWindowTest, ListsTheLinesShownAndReplaysTheirVoices)
{
    AddScript(u"T", u"func main()\n{\n    MES(\"雪一直下着。%K\");\n"
                    u"    ShowMessage(\"XYABA\", \"xy_001\", \"【小雪】早上好。\");\n    T_MARK(1);\n"
                    u"    MES(\"还在。\");\n}\n");
    StartGame(u"T");
    // Each line waits for its reveal, then a click.
    for (int line = 0; line < 2 && marks.empty(); ++line)
    {
        Steps(90);
        LeftClick(500, 300);
        Step();
    }
    Steps(90);
    ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    ASSERT_EQ(game->GetMessageStage()->GetMessageCount(), 3);
    MiddleClick(500, 300);
    Step();
    auto *page = ActiveAs<HistoryUnit>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetEntryCount(), 4);
    const auto &children = page->GetScrollBox()->GetObjectList();
    ASSERT_EQ(children.GetCount(), 4);
    auto *first = dynamic_cast<hgl::gui::RichTextLabel *>(children[0]);
    auto *second = dynamic_cast<hgl::gui::RichTextLabel *>(children[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetText(), u"雪一直下着。");
    EXPECT_EQ(second->GetText(), u"【小雪】早上好。");
    voices.clear();
    LeftClick(int(second->GetOriginX() + second->Left + 5), int(second->GetOriginY() + second->Top + 5));
    Step();
    EXPECT_EQ(voices, std::vector<std::u16string>{u"xy_001"});
    Checkpoint("window");
}
