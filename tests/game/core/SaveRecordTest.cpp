// What a save keeps of the story's music: read back from the bytes a save writes,
// the music comes back with its loop flag, so looped music loops again after loading.
#include "game/core/SaveRecord.h"

#include "io/TDF.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
avg::SaveRecord ThroughBytes(const avg::SaveRecord &saved)
{
    hgl::test::TempDir dir("saverecord");
    const std::u16string file = dir.File16("m.save");
    hgl::TDFNode root;
    root.SetName(u"Save");
    EXPECT_TRUE(saved.Write(root, false));
    EXPECT_TRUE(root.SaveToFile(file.c_str()));
    hgl::TDFNode loaded;
    avg::SaveRecord back;
    EXPECT_TRUE(loaded.LoadFromFile(file.c_str()) && back.Read(loaded));
    return back;
}
} // namespace

TEST(SaveRecordTest, MusicKeepsItsLoopFlag)
{
    for (bool loop : {true, false})
    {
        avg::SaveRecord saved;
        saved.script = u"MAIN00";
        saved.music = u"BGM01";
        saved.music_loop = loop;
        const avg::SaveRecord back = ThroughBytes(saved);
        EXPECT_EQ(back.music, u"BGM01");
        EXPECT_EQ(back.music_loop, loop);
    }
}
