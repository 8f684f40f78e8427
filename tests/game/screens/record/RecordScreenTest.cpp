// The save and load screens over a running demo game: where they open, what the
// strips and the right page show, saving, loading, the thumbnails and the fades.
#include "RecordFixture.h"

#include "game/screens/widgets/BitmapButton.h"
#include "game/screens/widgets/CHint.h"
#include "game/screens/widgets/HGPSelect.h"
#include "game/screens/widgets/KQ7Form.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/ImageBlock.h"
#include "graphics/texture/PictureFile.h"
#include "gui/HGPButton.h"
#include "gui/Label.h"
#include "io/FileStream.h"
#include "platform/File.h"
#include "platform/Path.h"

#include <filesystem>

using avg::RecordButton;
using avg::RecordUnit1;
using recordkit::Stamp;

namespace
{
constexpr Stamp kMay{2024, 5, 6, 7, 8, 9};

// Pixel (x, y) of the picture's first layer, read back from its texture.
hgl::test::RGBA PicturePixel(hgl::HGP *picture, int x, int y)
{
    hgl::ImageBlock image;
    if (!picture || !picture->GetLayer(0) || !picture->GetLayer(0)->GetTexture().ReadBack(image)) return {};
    const uint8_t *p = &image.pixels[(size_t(y) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

// Pixel (x, y) of the slot's picture file.
hgl::test::RGBA FilePixel(int slot, int x, int y)
{
    hgl::FileStream in(avg::RecordThumbnailPath(avg::SlotName(slot)).c_str(), 2);
    hgl::HgpFile file;
    if (!file.Read(&in, u"thumbnail") || file.layers.empty()) return {};
    const hgl::ImageBlock &image = file.layers[0].image;
    const uint8_t *p = &image.pixels[(size_t(y) * image.width + x) * 3];
    return {p[0], p[1], p[2], 255};
}

// The system's spelling of an engine path.
std::string Native(const hgl::String &path)
{
    return hgl::platform::ResolvePath(path.c_str());
}

std::vector<std::string> Texts(RecordUnit1 *screen)
{
    std::vector<std::string> out;
    for (int i = 0; i < RecordUnit1::kLabelCount; ++i)
        out.push_back(hgl::test::U8(screen->GetLabel(i)->GetText().ToStdString()));
    return out;
}

struct StripView
{
    std::string caption, second, date, chapter;
    float alpha;
    long long play_time;
    bool operator==(const StripView &) const = default;
};
void PrintTo(const StripView &v, std::ostream *out)
{
    *out << "{" << v.caption << "|" << v.second << "|" << v.date << "|" << v.chapter << "|" << v.alpha << "|"
         << v.play_time << "}";
}
StripView View(RecordButton *b)
{
    return {hgl::test::U8(b->GetCaption().ToStdString()),
            hgl::test::U8(b->GetSecondText().ToStdString()),
            hgl::test::U8(b->GetDateText().ToStdString()),
            hgl::test::U8(b->GetChapterText().ToStdString()),
            b->Alpha,
            b->GetPlayTime()};
}
} // namespace

class RecordScreenTest : public RecordTest
{
  protected:
    // Focuses the strip of the slot, turning pages until it is shown.
    RecordButton *Browse(RecordUnit1 *screen, int slot)
    {
        for (int i = 0; i < 10 && !screen->FindRecordButton(slot); ++i)
        {
            if (slot >= screen->GetPageEnd())
                screen->TurnPage(screen->GetNextPageButton());
            else
                screen->TurnPage(screen->GetPreviousPageButton());
            TurnOver(screen);
        }
        RecordButton *b = screen->FindRecordButton(slot);
        if (!b) return nullptr;
        screen->Control->SetFocusObject(b);
        Step();
        return b;
    }
};

TEST_F(RecordScreenTest, NoSaveAtAll)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetPageEnd(), 7);
    EXPECT_EQ(screen->GetNewestSlot(), avg::kNoNewestSlot);
    EXPECT_EQ(screen->GetTurnDirection(), RecordUnit1::tdNone);
    EXPECT_TRUE(screen->GetRecordButton(0)->HasFocus()) << "the rightmost strip";
    for (int i = 0; i < RecordUnit1::kPageSlots; ++i)
    {
        RecordButton *b = screen->GetRecordButton(i);
        EXPECT_EQ(b->GetCaption(), hgl::String(avg::kEmptyCaption));
        EXPECT_EQ(b->GetName(), avg::SlotName(i));
        EXPECT_FLOAT_EQ(b->Alpha, avg::kEmptySlotAlpha);
        EXPECT_EQ(b->GetDateText(), hgl::String(avg::kNoTimeText));
    }
    EXPECT_EQ(screen->GetCurrentThumbnail(), nullptr);
    // The focus lost, the strip at position 2 takes it.
    screen->Control->SetFocusObject(nullptr);
    Step();
    EXPECT_TRUE(screen->GetRecordButton(2)->HasFocus());
}

TEST_F(RecordScreenTest, NewestSaveInSlot23OpensOnPageFour)
{
    // Solid marker cells: automatic save, choice save, newest.
    const hgl::test::RGBA cells[3] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    AddData(u"small.TEX",
            screenkit::PaintedTexture(48, 48, [&](float u, float) { return cells[int(u * 3)]; }));
    StartDemo();
    SaveSlot(23, kMay);
    SaveSlot(9, Stamp{2023, 12, 31, 23, 59, 59});
    ClearSounds();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetNewestSlot(), 23);
    EXPECT_EQ(screen->GetPageEnd(), 28) << "slots 21 to 27";
    EXPECT_EQ(screen->GetTurnDirection(), RecordUnit1::tdForward) << "one page turn shows";
    EXPECT_EQ(screen->GetRecordButton(2)->GetSlot(), 23);
    EXPECT_TRUE(screen->GetRecordButton(2)->HasFocus());
    EXPECT_EQ(system_sounds.front(), RecordUnit1::kTurnSound);
    FadeIn(screen);
    TurnOver(screen);
    Step();
    // The newest marker below the strip of slot 23, none of the first page's.
    const float xs = 1, ys = 1, W = 1024, H = 768;
    const float F = float(avg::TextFont->CharHeight);
    const float side = 0.33f * 48 * 1.25f * F / (48 / 5);
    const int y = int(H - 154 * ys + side / 2);
    EXPECT_TRUE(stagekit::Near(Pixel(int(W / 2 - (59 * 2 + 89) * xs + side / 2), y), cells[2]));
    EXPECT_FALSE(stagekit::Near(Pixel(int(W / 2 - 89 * xs + side / 2), y), cells[0]));
    Checkpoint("page4");
}

TEST_F(RecordScreenTest, EqualStampsKeepTheLowerSlot)
{
    StartDemo();
    for (int slot : {40, 12, 33})
        SaveSlot(slot, kMay);
    avg::SaveStamp newest;
    EXPECT_EQ(avg::FindNewestRecord(avg::kSaveSlotCount, newest), 12);
    EXPECT_EQ(newest.Text(), hgl::String(u"20240506070809"));
}

TEST_F(RecordScreenTest, SavesWithoutATimeAreNeverNewest)
{
    StartDemo();
    SaveSlot(4, kMay);
    SaveSlot(30, Stamp{0, 12, 31, 23, 59, 59});                  // year 0: no save time
    ASSERT_TRUE(game->SaveGame(avg::SlotName(31), true, false)); // no "存档时间" at all
    Step();
    // The automatic saves never count.
    SaveSlot(0, Stamp{2030, 1, 1, 0, 0, 0});
    SaveSlot(1, Stamp{2030, 1, 1, 0, 0, 0});
    avg::SaveStamp newest;
    EXPECT_EQ(avg::FindNewestRecord(avg::kSaveSlotCount, newest), 4);

    // Both still filled and loadable; their save time is blank.
    for (int slot : {30, 31})
    {
        const avg::RecordSlot r = avg::ReadRecordSlot(slot);
        EXPECT_TRUE(r.filled) << slot;
        EXPECT_EQ(r.date, hgl::String(u" ")) << slot;
        EXPECT_EQ(r.second, hgl::String(u" ")) << slot;
        EXPECT_EQ(r.caption, hgl::String(u"      第一章 初雪")) << slot;
    }
}

TEST_F(RecordScreenTest, AutomaticSlotsShowTheirMarkersAndNames)
{
    const hgl::test::RGBA cells[3] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    AddData(u"small.TEX",
            screenkit::PaintedTexture(48, 48, [&](float u, float) { return cells[int(u * 3)]; }));
    StartDemo();
    SaveSlot(0, kMay);
    ASSERT_TRUE(recordkit::EditSave(0, [](hgl::TDFNode &root) { root.SetInt64(u"游戏时间", 3723000); }));
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    Step();
    // Slot 0 has the focus: its name, chapter, and neither time.
    EXPECT_EQ(Texts(screen),
              (std::vector<std::string>{"自動存檔", "章節名：第一章/初雪", "存檔時間：", "遊戲時間："}));
    screen->Control->SetFocusObject(screen->GetRecordButton(1));
    Step();
    EXPECT_EQ(Texts(screen), (std::vector<std::string>{"選擇存檔", "章節名： ", "存檔時間：", "遊戲時間："}))
        << "slot 1 is empty";
    // Both markers, whether the slots are filled or not.
    const float F = float(avg::TextFont->CharHeight);
    const float side = 0.33f * 48 * 1.25f * F / (48 / 5);
    const int y = int(768 - 154 + side / 2);
    EXPECT_TRUE(stagekit::Near(Pixel(int(512 - 89 + side / 2), y), cells[0]));
    EXPECT_TRUE(stagekit::Near(Pixel(int(512 - 148 + side / 2), y), cells[1]));
}

TEST_F(RecordScreenTest, AMarkerAtlasTooSmallDrawsNoMarkers)
{
    AddData(u"small.TEX", stagekit::SolidTexture(48, 4, {255, 0, 0, 255}));
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    Step();
    EXPECT_FALSE(stagekit::Near(Pixel(512 - 89 + 4, 768 - 154 + 4), {255, 0, 0, 255}));
}

TEST_F(RecordScreenTest, PlayTimeInHoursAndMinutes)
{
    const std::pair<long long, const char16_t *> cases[] = {{3723000, u"1时2分 "},
                                                            {0, u"0时0分 "},
                                                            {59999, u"0时0分 "},
                                                            {3600000 * 100LL + 60000, u"100时1分 "},
                                                            {-5, u"0时0分 "}};
    for (const auto &[ms, text] : cases)
        EXPECT_EQ(avg::PlayTimeText(ms), hgl::String(text)) << ms;

    StartDemo();
    SaveSlot(5, kMay);
    ASSERT_TRUE(recordkit::EditSave(5, [](hgl::TDFNode &root) { root.SetInt64(u"游戏时间", 3723000); }));
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    Browse(screen, 5);
    EXPECT_EQ(Texts(screen), (std::vector<std::string>{"序號：4", "章節名：第一章/初雪",
                                                       "存檔時間：2024-05-06 07:08", "遊戲時間：1时2分 "}));
}

TEST_F(RecordScreenTest, EveryKindOfSlotIsFilledAlike)
{
    AddLocalText(u"Script\\Chapter.CPP",
                 u"func main()\r\n{\r\n    SetChapter(\"MAIN00\", \"第一章 初雪\\n续\");\r\n}\r\n");
    StartDemo();
    SaveSlot(2, kMay);                    // a chapter with a space and a line feed
    SaveSlot(3, Stamp{0, 1, 1, 0, 0, 0}); // year 0
    SaveSlot(4, kMay);                    // no chapter: the script's name
    ASSERT_TRUE(recordkit::EditSave(4, [](hgl::TDFNode &root) { root.SetString(u"脚本", u"NOCHAPTER"); }));
    SaveSlot(5, kMay); // unreadable: empty
    ASSERT_TRUE(hgl::platform::FileWriteWhole(avg::SaveFileName(u"5").c_str(), "junk", 4));

    // Caption, second line, date, chapter and alpha by kind; the play time as saved.
    const StripView expected[] = {
        {"      第一章 初雪\n续", "2024-05-06 07:08", "2024-05-06 07:08", "第一章/初雪/续", 1.0f, 0},
        {"      第一章 初雪\n续", " ", " ", "第一章/初雪/续", 1.0f, 0},
        {"      NOCHAPTER", "2024-05-06 07:08", "2024-05-06 07:08", "", 1.0f, 0},
        {"      空", "無時間記錄", "無時間記錄", " ", 0.25f, 0},
    };
    auto without_time = [](StripView v)
    {
        v.play_time = 0;
        return v;
    };
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    std::vector<StripView> built;
    for (int slot = 2; slot <= 5; ++slot)
    {
        built.push_back(View(screen->GetRecordButton(slot)));
        EXPECT_EQ(without_time(built.back()), expected[slot - 2]) << "construction, slot " << slot;
    }
    EXPECT_GT(built[0].play_time, 0);
    EXPECT_EQ(built[3].play_time, 0);
    FadeIn(screen);
    screen->TurnPage(screen->GetNextPageButton());
    TurnOver(screen);
    screen->TurnPage(screen->GetPreviousPageButton());
    TurnOver(screen);
    for (int slot = 2; slot <= 5; ++slot)
        EXPECT_EQ(View(screen->GetRecordButton(slot)), built[slot - 2]) << "refill, slot " << slot;

    // After a write the slot shows what a fresh screen would.
    ASSERT_TRUE(hgl::platform::PathDelete(avg::SaveFileName(u"5").c_str()));
    ClickStrip(screen->GetRecordButton(5));
    Step();
    const StripView written = View(screen->GetRecordButton(5));
    EXPECT_EQ(written.chapter, "第一章/初雪/续");
    EXPECT_EQ(written.caption, "      第一章 初雪\n续");
    Key(hgl::key::Esc);
    for (int i = 0; i < 200 && Depth() > 1; ++i)
        Step(100);
    screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(View(screen->GetRecordButton(5)), written);
}

TEST_F(RecordScreenTest, SavingIntoAnEmptySlotWritesAtOnce)
{
    StartDemo();
    const hgl::test::RGBA game_pixel = Pixel(40, 40);
    avg::SaveRecordUnit *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    RecordButton *b = screen->GetRecordButton(3);
    ClickStrip(b);
    EXPECT_EQ(Depth(), 2) << "no question for an empty slot";
    EXPECT_TRUE(avg::SaveFileExists(u"3"));
    EXPECT_EQ(FilePixel(3, 40 / 4, 40 / 4), game_pixel) << "the game's picture, not the save screen's";
    EXPECT_EQ(b->GetCaption(), hgl::String(u"      第一章 初雪"));
    EXPECT_FLOAT_EQ(b->Alpha, 1.0f);
    EXPECT_EQ(screen->GetNewestSlot(), 3);
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "SaveRecordUnit", "CHint"}));
    for (int i = 0; i < 40 && Depth() == 3; ++i)
        Step(100);
    EXPECT_EQ(Depth(), 2) << "the hint closes itself";
    EXPECT_FALSE(screen->IsHintShown());
    Step();
    EXPECT_EQ(Depth(), 2) << "once";
    Checkpoint("written");
}

TEST_F(RecordScreenTest, OverwritingAsksFirst)
{
    StartDemo();
    SaveSlot(4, kMay);
    const auto before = std::filesystem::last_write_time(Native(avg::SaveFileName(u"4")));
    avg::SaveRecordUnit *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    ClearSounds();
    ClickStrip(screen->GetRecordButton(4));
    Step();
    ASSERT_NE(ActiveAs<HGPSelect>(), nullptr);
    ASSERT_TRUE(ClickOn(u"no"));
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "SaveRecordUnit"}));
    EXPECT_EQ(std::filesystem::last_write_time(Native(avg::SaveFileName(u"4"))), before);
    EXPECT_EQ(screen->GetNewestSlot(), 4);

    // Slots 0 and 1 take no save.
    ClickStrip(screen->GetRecordButton(0));
    Step();
    EXPECT_EQ(Depth(), 2);
    EXPECT_FALSE(avg::SaveFileExists(u"0"));

    ClickStrip(screen->GetRecordButton(4));
    Step();
    ASSERT_TRUE(ClickOn(u"yes"));
    Step();
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "SaveRecordUnit", "CHint"}));
    EXPECT_NE(screen->GetNewestStamp().Text(), hgl::String(u"20240506070809")) << "stamped now";
    EXPECT_EQ(screen->GetNewestSlot(), 4);
}

TEST_F(RecordScreenTest, AFailedWriteLeavesTheSlot)
{
    StartDemo();
    avg::SaveRecordUnit *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    // A folder where the picture's new file must go: nothing can be written.
    ASSERT_TRUE(std::filesystem::create_directory(Native(avg::SavePath(u"6.hgp.new"))));
    ClearSounds();
    ClickStrip(screen->GetRecordButton(6));
    Step();
    ASSERT_FALSE(system_sounds.empty());
    EXPECT_EQ(system_sounds.back(), avg::SaveRecordUnit::kFailSound);
    EXPECT_FALSE(avg::SaveFileExists(u"6"));
    EXPECT_FALSE(std::filesystem::exists(Native(avg::SavePath(u"6.save.new"))));
    EXPECT_EQ(screen->GetRecordButton(6)->GetCaption(), hgl::String(avg::kEmptyCaption));
    EXPECT_EQ(screen->GetNewestSlot(), avg::kNoNewestSlot);
    EXPECT_EQ(Depth(), 2) << "no hint";
    EXPECT_FALSE(log.Errors().empty());
}

TEST_F(RecordScreenTest, AnOverwrittenSlotShowsItsNewPicture)
{
    AddScript(u"TWO",
              u"func main() { BG_SET(\"bg01\"); MES(\"one\"); BG_SET(\"bg03\"); T_MARK(1); MES(\"two\"); }");
    StartGame(u"TWO");
    Steps(3);
    SaveSlot(5, kMay);
    const hgl::test::RGBA first = FilePixel(5, 128, 40);
    for (int i = 0; i < 20 && marks.empty(); ++i)
    {
        Key(hgl::key::Enter);
        Steps(10);
    }
    ASSERT_EQ(marks, std::vector<int>{1}) << "the story moved on";
    Steps(3);
    avg::SaveRecordUnit *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    RecordButton *five = Browse(screen, 5);
    hgl::HGP *old = screen->GetCurrentThumbnail();
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(PicturePixel(old, 128, 40), first);
    // The focus moves on: slot 5's picture stays cached but is no longer shown.
    Browse(screen, 6);
    ClickStrip(five);
    Step();
    ASSERT_TRUE(ClickOn(u"yes"));
    Step();
    const hgl::test::RGBA second = FilePixel(5, 128, 40);
    ASSERT_NE(second, first) << "the game moved on to another background";
    // The screen below the hint is not updated; it asks again once the hint is gone.
    for (int i = 0; i < 40 && Depth() > 2; ++i)
        Step(100);
    Step();
    EXPECT_EQ(PicturePixel(screen->GetCurrentThumbnail(), 128, 40), second);
}

TEST_F(RecordScreenTest, TwentyOneSlotsEvictTheFirstPicture)
{
    StartDemo();
    for (int slot = 2; slot <= 22; ++slot)
        SaveSlot(slot, kMay);
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    avg::ThumbnailCache *cache = screen->GetThumbnailCache();
    hgl::HGP *picture = nullptr;
    for (int slot = 2; slot <= 22; ++slot)
    {
        ASSERT_NE(Browse(screen, slot), nullptr) << slot;
        EXPECT_NE(screen->GetCurrentThumbnail(), nullptr) << slot;
        if (slot == 21)
        {
            EXPECT_TRUE(cache->Find(avg::RecordThumbnailPath(u"2"), picture, false)) << "twenty held";
        }
    }
    EXPECT_EQ(cache->Count.Get(), avg::kThumbnailCacheSize);
    EXPECT_FALSE(cache->Find(avg::RecordThumbnailPath(u"2"), picture, false)) << "the least recently seen";
    EXPECT_TRUE(cache->Find(avg::RecordThumbnailPath(u"3"), picture, false));
    Browse(screen, 2);
    EXPECT_TRUE(cache->Find(avg::RecordThumbnailPath(u"2"), picture, false)) << "read again";
    EXPECT_FALSE(cache->Find(avg::RecordThumbnailPath(u"3"), picture, false));
}

TEST_F(RecordScreenTest, AMissingPictureFileShowsNone)
{
    StartDemo();
    SaveSlot(2, kMay);
    ASSERT_TRUE(hgl::platform::PathDelete(avg::RecordThumbnailPath(u"2").c_str()));
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    Browse(screen, 2);
    EXPECT_EQ(screen->GetCurrentThumbnail(), nullptr);
    EXPECT_EQ(screen->GetThumbnailCache()->Count.Get(), 0) << "no file: the cache is not touched";
    EXPECT_EQ(Texts(screen)[0], "序號：1");
}

TEST_F(RecordScreenTest, PageTurnsSoundAndStopAtTheEnds)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    ClearSounds();
    screen->TurnPage(screen->GetPreviousPageButton());
    EXPECT_EQ(sounds, (std::vector<std::string>{"system 19 protected"})) << "the first page";
    EXPECT_EQ(screen->GetTurnDirection(), RecordUnit1::tdNone);
    ClearSounds();
    int x, y;
    ASSERT_TRUE(CentreOf(u"120", x, y));
    LeftClick(x, y);
    EXPECT_EQ(sounds.back(), "system 23 protected");
    EXPECT_EQ(screen->GetPageEnd(), 14);
    EXPECT_FALSE(screen->GetLabel(0)->Visible);
    EXPECT_FALSE(screen->GetRecordButton(0)->Visible);
    int frames = 0;
    for (; frames < 30 && screen->GetTurnDirection() != RecordUnit1::tdNone; ++frames)
        Step();
    EXPECT_EQ(frames, 20) << "0 to 180 by 10, then the end";
    EXPECT_TRUE(screen->GetLabel(0)->Visible);
    EXPECT_TRUE(screen->GetRecordButton(0)->Visible);
    EXPECT_EQ(screen->GetRecordButton(0)->GetSlot(), 7);
    for (int i = 0; i < 8; ++i)
    {
        screen->TurnPage(screen->GetNextPageButton());
        TurnOver(screen);
    }
    EXPECT_EQ(screen->GetPageEnd(), 70);
    EXPECT_EQ(screen->GetRecordButton(6)->GetSlot(), 69);
    ClearSounds();
    screen->TurnPage(screen->GetNextPageButton());
    EXPECT_EQ(sounds, (std::vector<std::string>{"system 19 protected"})) << "the last page";
    screen->TurnPage(screen->GetPreviousPageButton());
    EXPECT_EQ(screen->GetPageEnd(), 63);
    EXPECT_EQ(screen->GetRecordButton(0)->GetSlot(), 56);
}

TEST_F(RecordScreenTest, EscDuringTheFadeIn)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    Steps(9);
    const float reached = screen->GetFade();
    ASSERT_GT(reached, 0.2f);
    ASSERT_LT(reached, 1.0f);
    EXPECT_TRUE(Key(hgl::key::Esc));
    Step();
    EXPECT_TRUE(screen->IsClosing());
    EXPECT_NEAR(screen->GetFade(), reached - 0.02f, 1e-5);
    int frames = 1;
    for (; frames < 60 && Depth() == 2; ++frames)
        Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    EXPECT_NEAR(frames, reached / 0.02f + 1, 1.5);
}

TEST_F(RecordScreenTest, RightClickClosesAsEscDoes)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    RightClick(500, 700);
    EXPECT_TRUE(screen->IsClosing());
    Steps(55);
    EXPECT_EQ(Depth(), 1);
}

TEST_F(RecordScreenTest, BlackWhileTheFadeIsLow)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(Pixel(512, 384), (hgl::test::RGBA{0, 0, 0, 255}));
    EXPECT_EQ(Pixel(10, 10), (hgl::test::RGBA{0, 0, 0, 255}));
    FadeIn(screen);
    Step();
    EXPECT_NE(Pixel(256, 300), (hgl::test::RGBA{0, 0, 0, 255}));
}

// ---------------------------------------------------------------- loading

TEST_F(RecordScreenTest, AConfirmedLoadLeavesOneGameAtTheSavedPoint)
{
    StartDemo();
    SaveSlot(5, kMay);
    const hgl::String script = game->GetScript();
    const avg::RecordSlot saved = avg::ReadRecordSlot(5);
    Key(hgl::key::Enter);
    Steps(5);
    avg::GameUnit *old = game;
    const long long old_time = game->GetPlayTime();
    RecordUnit1 *screen = OpenLoad();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    Checkpoint("load");
    // An empty slot refuses.
    ClearSounds();
    ClickStrip(screen->GetRecordButton(3));
    Step();
    EXPECT_EQ(system_sounds.back(), avg::LoadRecordUnit::kFailSound);
    EXPECT_EQ(Depth(), 2);

    ClickStrip(screen->GetRecordButton(5));
    Step();
    ASSERT_NE(ActiveAs<HGPSelect>(), nullptr);
    ASSERT_TRUE(ClickOn(u"yes"));
    Step();
    EXPECT_TRUE(screen->IsClosing());
    EXPECT_TRUE(screen->IsLoadChosen());
    for (int i = 0; i < 60 && Depth() > 1; ++i)
        Step();
    ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    auto *loaded = ActiveAs<avg::GameUnit>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(static_cast<void *>(loaded), static_cast<void *>(old));
    EXPECT_EQ(loaded->GetScript(), script);
    EXPECT_EQ(loaded->GetPlayTime(), saved.play_time) << "the saved point, not the running game's";
    EXPECT_NE(old_time, saved.play_time);
    EXPECT_TRUE(loaded->SaveAtChoice);
    game = loaded;
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"})) << "it runs";
}

TEST_F(RecordScreenTest, AFailedLoadKeepsTheRunningGame)
{
    StartDemo();
    SaveSlot(5, kMay);
    // The head reads, the rest does not.
    ASSERT_TRUE(recordkit::EditSave(5, [](hgl::TDFNode &root) { root.SetInt32(u"Version", 99); }));
    RecordUnit1 *screen = OpenLoad();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    ClickStrip(screen->GetRecordButton(5));
    Step();
    ASSERT_TRUE(ClickOn(u"yes"));
    Step();
    ClearSounds();
    for (int i = 0; i < 60 && screen->IsClosing(); ++i)
        Step();
    EXPECT_EQ(system_sounds, (std::vector<int>{avg::LoadRecordUnit::kFailSound})) << "once";
    EXPECT_FALSE(screen->IsClosing());
    EXPECT_FALSE(screen->IsLoadChosen());
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "LoadRecordUnit"}));
    EXPECT_EQ(Active(), static_cast<hgl::FlowObject *>(screen));
    const float low = screen->GetFade();
    Steps(5);
    EXPECT_GT(screen->GetFade(), low) << "it fades back in";
    FadeIn(screen);
    EXPECT_EQ(screen->GetFade(), 1.0f);
    Key(hgl::key::Esc);
    Steps(55);
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    EXPECT_EQ(Active(), static_cast<hgl::FlowObject *>(game)) << "the game that ran";
}

TEST_F(RecordScreenTest, AYearZeroSaveLoads)
{
    StartDemo();
    SaveSlot(5, Stamp{0, 1, 1, 0, 0, 0});
    RecordUnit1 *screen = OpenLoad();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    EXPECT_TRUE(screen->GetRecordButton(5)->IsFilled());
    ClickStrip(screen->GetRecordButton(5));
    Step();
    ASSERT_TRUE(ClickOn(u"yes"));
    for (int i = 0; i < 60 && Depth() > 1; ++i)
        Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
    EXPECT_NE(Active(), static_cast<hgl::FlowObject *>(game));
}

// ---------------------------------------------------------------- pictures

TEST_F(RecordScreenTest, ThePictureShowsThroughTheBookWindow)
{
    // The book opaque but for the window; the slot's picture one colour.
    const hgl::test::RGBA book{200, 100, 50, 255}, thumb{20, 200, 220, 255};
    AddData(u"save1.TEX", screenkit::PaintedTexture(256, 192,
                                                    [&](float u, float v)
                                                    {
                                                        const float x = u * 1024, y = v * 768;
                                                        const bool window = x > 512 + 22 && x < 1024 - 67 &&
                                                                            y > 70 && y < 384;
                                                        return window ? hgl::test::RGBA{0, 0, 0, 0} : book;
                                                    }));
    StartDemo();
    SaveSlot(2, kMay);
    ASSERT_TRUE(hgl::platform::FileWriteWhole(avg::RecordThumbnailPath(u"2").c_str(),
                                              stagekit::SolidPicture(8, 6, thumb).data(),
                                              stagekit::SolidPicture(8, 6, thumb).size()));
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    Browse(screen, 2);
    FadeIn(screen);
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(760, 200), thumb, 6));
    EXPECT_TRUE(stagekit::Near(Pixel(760, 50), book, 6)) << "above the window";
    EXPECT_TRUE(stagekit::Near(Pixel(1000, 200), book, 6)) << "right of the window";
    Checkpoint("window");
}

class PageTurnTest : public RecordScreenTest
{
  protected:
    // The book in four bands of its width: red, green, blue, yellow.
    const hgl::test::RGBA bands[4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};

    void SetUp() override
    {
        RecordScreenTest::SetUp();
        AddData(u"save1.TEX",
                screenkit::PaintedTexture(256, 192, [this](float u, float) { return bands[int(u * 4)]; }));
    }

    // Frames of the turn drawn at angle 0, 10, ... up to the one at `angle`.
    void TurnTo(RecordUnit1 *screen, int angle)
    {
        for (int a = 0; a <= angle; a += 10)
            Step();
        ASSERT_DOUBLE_EQ(screen->GetTurnAngle(), angle + 10) << "the frame at angle was the last drawn";
    }
};

TEST_F(PageTurnTest, ForwardNearFortyFiveAndOneHundredThirtyFive)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    FadeIn(screen);
    Step();
    // The still book: a band each quarter.
    EXPECT_TRUE(stagekit::Near(Pixel(275, 384), bands[1]));
    EXPECT_TRUE(stagekit::Near(Pixel(745, 384), bands[2]));
    screen->TurnPage(screen->GetNextPageButton());
    // Before 90 degrees the left half swings up over the spine, its own side out:
    // its first band now reaches past the quarter.
    TurnTo(screen, 40);
    EXPECT_TRUE(stagekit::Near(Pixel(275, 384), bands[0])) << "at 40";
    EXPECT_TRUE(stagekit::Near(Pixel(745, 384), bands[2])) << "the right half lies still";
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(275, 384), bands[0])) << "at 50";
    Checkpoint("forward50");
    // Past 90 it comes down on the right, showing the right half of the picture.
    for (int a = 60; a <= 130; a += 10)
        Step();
    EXPECT_TRUE(stagekit::Near(Pixel(745, 384), bands[3])) << "at 130";
    EXPECT_TRUE(stagekit::Near(Pixel(275, 384), bands[1])) << "the left half lies still";
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(745, 384), bands[3])) << "at 140";
    Checkpoint("forward140");
}

TEST_F(PageTurnTest, BackwardIsTheMirror)
{
    StartDemo();
    RecordUnit1 *screen = OpenSave();
    ASSERT_NE(screen, nullptr);
    screen->TurnPage(screen->GetNextPageButton());
    TurnOver(screen);
    FadeIn(screen);
    screen->TurnPage(screen->GetPreviousPageButton());
    TurnTo(screen, 40);
    EXPECT_TRUE(stagekit::Near(Pixel(1023 - 275, 384), bands[3])) << "at 40";
    EXPECT_TRUE(stagekit::Near(Pixel(275, 384), bands[1]));
    for (int a = 50; a <= 130; a += 10)
        Step();
    EXPECT_TRUE(stagekit::Near(Pixel(275, 384), bands[0])) << "at 130";
    EXPECT_TRUE(stagekit::Near(Pixel(1023 - 275, 384), bands[2]));
}
