// The pop-up bases, the yes/no picture dialog and the hint picture in a real flow.
#include "../../screenkit/ScreenHarness.h"
#include "graphics/draw/Painter.h"

#include "game/screens/widgets/CHint.h"
#include "game/screens/widgets/HGPSelect.h"
#include "game/screens/widgets/KQ7FlowObject.h"
#include "game/screens/widgets/KQ7Form.h"
#include "game/screens/widgets/scrollbox.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "gui/Button.h"
#include "gui/HGPButton.h"

namespace
{
using hgl::test::RGBA;
constexpr RGBA kGrey{200, 200, 200, 255}, kHint{40, 200, 90, 255};

// The screen below the pop-ups: a light grey canvas.
class Below : public MarkerScreen
{
  public:
    Below() : MarkerScreen("below") {}
    void Draw() override { hgl::draw::Clear(hgl::Color4f(200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1)); }
};

// A page to scroll: a tall child that takes no focus.
class Page : public hgl::GUIObject
{
  public:
    Page(float h) : GUIObject(0, 0, 100, h) { focusable = false; }
};
} // namespace

class PopupTest : public ScreenTest
{
  protected:
    std::vector<int> answers;

    void SetUp() override
    {
        ScreenTest::SetUp();
        AddData(u"SystemSelect\\SaveSucceed.HGP", stagekit::SolidPicture(200, 100, kHint));
        Prepare();
        Open(new Below);
    }

    // A yes/no dialog over the screen below, answering into `answers`.
    HGPSelect *OpenDialog()
    {
        auto *dialog =
            new HGPSelect(u"SystemSelect\\IsCover.HGP", u"SystemSelect\\yes.HGP", u"SystemSelect\\no.HGP", 0);
        dialog->OnResult.Bind(&answers,
                              [](void *a, int yes) { static_cast<std::vector<int> *>(a)->push_back(yes); });
        Open(dialog);
        Step();
        return dialog;
    }

    TZScrollBoxFlow *OpenPage(const hgl::u16char *title)
    {
        auto *page = new TZScrollBoxFlow(100, 50, 600, 500, u"HisBack.TEX", u"system\\k.TEX", title);
        Open(page);
        Step();
        return page;
    }
};

TEST_F(PopupTest, AScrollPageClosesOnEscRightClickOrJoystickSeven)
{
    const struct
    {
        const char *how;
        std::function<void()> close;
    } ways[] = {
        {"Esc", [&] { EXPECT_TRUE(Key(hgl::key::Esc)); }},
        {"right click over a child", [&] { RightClick(400, 300); }},
        {"joystick 7", [&] { EXPECT_TRUE(Joystick(7)); }},
    };
    for (const auto &w : ways)
    {
        SCOPED_TRACE(w.how);
        TZScrollBoxFlow *page = OpenPage(nullptr);
        auto *button = new hgl::gui::Button(0, 0, 400, 400);
        page->GetScrollBox()->AddObject(button);
        ASSERT_EQ(Stack(), (std::vector<std::string>{"Below", "TZScrollBoxFlow"}));
        state_log.clear();
        w.close();
        Step();
        EXPECT_EQ(Stack(), (std::vector<std::string>{"Below"}));
        EXPECT_EQ(state_log, (std::vector<std::string>{"TZScrollBoxFlow 4"}));
    }
}

TEST_F(PopupTest, ArrowsWheelAndJoystickReachTheScrollBox)
{
    TZScrollBoxFlow *page = OpenPage(nullptr);
    scrollbox *box = page->GetScrollBox();
    box->AddObject(new Page(3000));
    box->Refresh();
    EXPECT_TRUE(Key(hgl::key::Down));
    EXPECT_EQ(box->GetTargetY(), 64);
    EXPECT_TRUE(Joystick(2));
    EXPECT_EQ(box->GetTargetY(), 128);
    EXPECT_TRUE(JoystickRepeat(1));
    EXPECT_EQ(box->GetTargetY(), 128 - 72);
    int x, y;
    ASSERT_TRUE(CentreOf(u"", x, y) || true);
    Wheel(int(box->GetOriginX() + box->Left + 10), int(box->GetOriginY() + box->Top + 10), -120);
    EXPECT_EQ(box->GetTargetY(), 128 - 72 + 32);
    Steps(60);
    EXPECT_EQ(box->GetScrollY(), box->GetTargetY());
    EXPECT_EQ(Depth(), 2);
}

TEST_F(PopupTest, ThePageSitsBelowItsTitle)
{
    const float sx = float(Width()) / 1024, sy = float(Height()) / 768;
    TZScrollBoxFlow *plain = OpenPage(nullptr);
    EXPECT_EQ(plain->GetTitle(), nullptr);
    EXPECT_FLOAT_EQ(plain->GetForm()->Top, 50);
    EXPECT_FALSE(plain->GetForm()->DragMove);
    EXPECT_TRUE(plain->GetScrollBox()->HasFocus());
    EXPECT_FLOAT_EQ(plain->GetScrollBox()->Left, 35 * sx);
    EXPECT_FLOAT_EQ(plain->GetScrollBox()->Top, 35 * sy);
    EXPECT_FLOAT_EQ(plain->GetScrollBox()->Height, 500 - 70 * sy);
    // About 61 pixels narrower than the form less its left inset, on a 1024-wide canvas.
    EXPECT_NEAR(plain->GetScrollBox()->Width, 600 - 35 * sx - 61.4f, 0.1f);
    Key(hgl::key::Esc);
    Step();

    TZScrollBoxFlow *titled = OpenPage(u"shake.TEX");
    ASSERT_NE(titled->GetTitle(), nullptr);
    EXPECT_FLOAT_EQ(titled->GetForm()->Top, 50.0f + float(titled->GetTitle()->Height));
    EXPECT_FLOAT_EQ(titled->GetScaleX(), sx);
    EXPECT_FLOAT_EQ(titled->GetScaleY(), sy);
}

TEST_F(PopupTest, TheDialogAnswersAndSoundsEachWay)
{
    const struct
    {
        const char *how;
        std::function<void()> answer;
        std::vector<int> answers;
        std::vector<int> sounds;
    } ways[] = {
        {"Enter: the no button has the focus", [&] { Key(hgl::key::Enter); }, {0}, {9, 12}},
        {"the yes button", [&] { EXPECT_TRUE(ClickOn(u"yes")); }, {1}, {9, 11}},
        {"the no button", [&] { EXPECT_TRUE(ClickOn(u"no")); }, {0}, {9, 12}},
        {"Esc", [&] { Key(hgl::key::Esc); }, {}, {9}},
        {"a right click over the yes button", [&] { RightClick(Width() / 2, Height() / 2); }, {}, {9}},
    };
    for (const auto &w : ways)
    {
        SCOPED_TRACE(w.how);
        answers.clear();
        ClearSounds();
        OpenDialog();
        ASSERT_EQ(Depth(), 2);
        w.answer();
        Step();
        EXPECT_EQ(Depth(), 1);
        EXPECT_EQ(answers, w.answers);
        EXPECT_EQ(system_sounds, w.sounds);
    }
}

TEST_F(PopupTest, TheDialogIsCentredAndDimsTheScreenBelow)
{
    const float W = float(Width()), H = float(Height());
    HGPSelect *dialog = OpenDialog();
    hgl::HGP question(avg::GetDataHAC(), u"SystemSelect\\IsCover.HGP", 0, false);
    const float fw = float(question.Width) * W / 1600, fh = float(question.Height) * H / 1200;
    EXPECT_FLOAT_EQ(dialog->GetForm()->Left, float(int((W - fw) / 2)));
    EXPECT_FLOAT_EQ(dialog->GetForm()->Top, float(int((H - fh) / 2)));
    EXPECT_FLOAT_EQ(dialog->GetForm()->Width, float(int(fw)));
    hgl::gui::HGPButton *yes = dialog->GetYesButton(), *no = dialog->GetNoButton();
    EXPECT_FLOAT_EQ(yes->Top, 80 * H / 1200);
    EXPECT_FLOAT_EQ(yes->Width, 64 * W / 1600);
    EXPECT_FLOAT_EQ(yes->Left + yes->Width / 2, dialog->GetForm()->Width * 0.25f);
    EXPECT_FLOAT_EQ(no->Left + no->Width / 2, dialog->GetForm()->Width * 0.75f);
    EXPECT_TRUE(no->HasFocus());
    EXPECT_EQ(dialog->GetTag(), 0);

    Steps(40);
    EXPECT_NEAR(dialog->GetDim(), 0.725f, 1e-4f);
    // The grey below keeps 1 - dim of its brightness outside the question.
    const RGBA dimmed = Pixel(3, 3);
    EXPECT_NEAR(dimmed.r, 200 * (1 - 0.725f), 3);
    Checkpoint("dialog");
}

TEST_F(PopupTest, TheHintLastsFifteenHundredCountedMilliseconds)
{
    const int cx = Width() / 2, cy = Height() / 2;
    const struct
    {
        const char *what;
        int frame_ms;
        int frames; // the frames it stays, the first one included
    } runs[] = {
        {"16 ms frames", 16, 1 + 94},
        {"slow frames count 100 ms", 400, 1 + 16},
        {"100 ms frames", 100, 1 + 16},
    };
    for (const auto &r : runs)
    {
        SCOPED_TRACE(r.what);
        auto *hint = new CHint(u"SystemSelect\\SaveSucceed.HGP");
        Open(hint);
        Step(r.frame_ms); // pushed: it draws its first frame here
        EXPECT_EQ(hint->GetElapsed(), 0);
        EXPECT_TRUE(stagekit::Near(Pixel(cx, cy), kGrey)) << "the first frame shows nothing";
        int frames = 1;
        while (Depth() == 2 && frames < 1000)
        {
            Step(r.frame_ms);
            ++frames;
            if (Depth() == 2)
            {
                EXPECT_TRUE(stagekit::Near(Pixel(cx, cy), kHint));
            }
        }
        EXPECT_EQ(frames, r.frames);
        EXPECT_FALSE(Key(hgl::key::Esc) && Depth() == 2); // it never takes input
    }
}
