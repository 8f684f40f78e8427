// Scene pictures by script name: folders, variant marks, the black fallback, seen
// event pictures and the twelve-picture cache.
#include "game/stagekit/StageHarness.h"

#include "game/core/GameRecord.h"
#include "game/stage/back/ScenePicture.h"
#include "graphics/hgp/HGP.h"

namespace
{
const hgl::test::RGBA kGrey{128, 128, 128, 255};
}

class ScenePictureTest : public StageTest
{
  protected:
    void Begin()
    {
        for (const char16_t *path :
             {u"BG\\BLACK.HGP", u"BG\\bg01.HGP", u"BG\\wide.HGP", u"BG\\Wa.HGP", u"BGI\\xa.HGP",
              u"Event\\c001.HGP", u"BG\\b123456.HGP", u"BG\\bN23456.HGP"})
            AddPicture(path, 4, 3, kGrey);
        AddScript(u"PLAIN", u"func main()\n{\n}\n");
        Start(u"PLAIN");
    }

    static std::u16string PathOf(const char16_t *name, bool by_name)
    {
        hgl::String path;
        by_name ? avg::GetScenePictureByName(name, &path) : avg::GetScenePicture(name, &path);
        return path.ToStdString();
    }
};

TEST_F(ScenePictureTest, ResolvesFoldersMarksAndFallback)
{
    Begin();
    const struct
    {
        const char16_t *name;
        bool by_name;
        std::u16string path;
    } cases[] = {
        {u"bg01.HGP", false, u"BG\\bg01.HGP"},
        {u"Wa.HGP", false, u"BG\\Wa.HGP"},
        {u"Wa", true, u"BG\\Wa.HGP"},
        {u"xa.HGP", false, u"BGI\\xa.HGP"},
        {u"c001.jpg", true, u"Event\\c001.HGP"},
        {u"b123456N7", true, u"BG\\b123456.HGP"}, // an N at index 7 is a variant mark
        {u"b123456XN", true, u"BG\\b123456.HGP"}, // so is an X
        {u"bN23456", true, u"BG\\bN23456.HGP"},   // before index 7 it stays
        {u"bzz", true, u"BG\\BLACK.HGP"},
        {u"c999", true, u"BG\\BLACK.HGP"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PathOf(c.name, c.by_name), c.path) << hgl::test::U8(c.name);
    EXPECT_TRUE(log.ContainsInfo(u"要取得的资源没有找到:Event\\c999.HGP")) << log.Dump();
    EXPECT_TRUE(avg::IsEventSeen(u"c999"));
    EXPECT_TRUE(avg::IsEventSeen(u"C001"));
    EXPECT_FALSE(avg::IsEventSeen(u"b123456N7"));
}

TEST_F(ScenePictureTest, ThirteenthPictureEvictsTheLeastRecentlyRequested)
{
    for (int i = 0; i < 13; ++i)
        AddPicture(u"BGI\\p" + std::u16string(1, char16_t(u'a' + i)) + u".HGP", 2, 2, kGrey);
    Begin();
    auto name = [](int i) { return hgl::String(u"p" + std::u16string(1, char16_t(u'a' + i)) + u".HGP"); };
    for (int i = 0; i < 12; ++i)
        ASSERT_NE(avg::GetScenePicture(name(i)), nullptr);
    avg::GetScenePicture(name(0)); // pa is recent again; pb is now the oldest
    avg::GetScenePicture(name(12));
    hgl::HGP *picture;
    EXPECT_TRUE(avg::GetScenePictureCache()->Find(u"BGI\\pa.HGP", picture, false));
    EXPECT_FALSE(avg::GetScenePictureCache()->Find(u"BGI\\pb.HGP", picture, false));
    EXPECT_EQ(avg::GetScenePictureCache()->Count, 12);
}
