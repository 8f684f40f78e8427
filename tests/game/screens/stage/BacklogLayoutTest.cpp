// The backlog's page on canvases of every shape.
#include "StageScreens.h"

#include "game/screens/stage/HistoryUnit.h"
#include "game/screens/widgets/KQ7Form.h"
#include "game/screens/widgets/scrollbox.h"
#include "graphics/font/TileFont.h"

class BacklogLayoutTest : public ScreenCanvasTest
{
};

TEST_P(BacklogLayoutTest, ThePageFillsTheLowerCanvasAndOpensAtItsEnd)
{
    const float W = float(Width()), H = float(Height());
    stagescreens::FakeMessages messages;
    for (int i = 0; i < 40; ++i)
        messages.Add(i % 2 ? u"xy_001" : u"",
                     u"【小雪】下雪了，要一起出去走走吗？这一行比较长，会折成两行或者更多行。");
    Prepare();
    auto *page = new HistoryUnit(&messages);
    Open(page);
    Step();

    const KQ7Form *form = page->GetForm();
    EXPECT_FLOAT_EQ(form->Left, 10);
    EXPECT_FLOAT_EQ(form->Top, float(int(H * 320 / 1200)));
    EXPECT_FLOAT_EQ(form->Width, float(int(W - 20)));
    EXPECT_FLOAT_EQ(form->Height, float(int(H - H * 320 / 1200)));
    scrollbox *box = page->GetScrollBox();
    const float sx = W / 1024, sy = H / 768;
    EXPECT_FLOAT_EQ(box->Left, 35 * sx);
    EXPECT_FLOAT_EQ(box->Top, 35 * sy);
    EXPECT_NEAR(box->Width,
                form->Width - 35 * sx + 16 - 128 * W / 1600 + ((2304 * W / 1600) / 59 - 16) * 0.5f, 1e-3f);
    EXPECT_FLOAT_EQ(box->Height, form->Height - 70 * sy);

    // The entries stand inside the box, 2 font heights in; the page opens at its end.
    const int fh = avg::LabelFont->CharHeight;
    EXPECT_EQ(page->GetEntryCount(), 41);
    ASSERT_TRUE(box->GetVerticalBar().IsVisible());
    EXPECT_EQ(box->GetScrollY(), float(int(box->GetVerticalBar().MaxValue)));
    const auto &entries = box->GetObjectList();
    const auto *last = static_cast<const hgl::GUIObject *>(entries[entries.GetCount() - 1]);
    // (within a pixel: the bar holds whole pixels)
    EXPECT_LE(last->Top + last->Height - box->GetScrollY(), box->Height + 1);
    EXPECT_FLOAT_EQ(static_cast<const hgl::GUIObject *>(entries[0])->Left, float(2 * fh));
    EXPECT_GT(box->GetDrawnCount(), 0);
    EXPECT_LT(box->GetDrawnCount(), 41);
    Checkpoint("page");
}

INSTANTIATE_TEST_SUITE_P(Canvases, BacklogLayoutTest, ::testing::ValuesIn(screenkit::kCanvases),
                         screenkit::CanvasName);
