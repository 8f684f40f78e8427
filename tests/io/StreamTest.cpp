#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/String.h"
#include "io/DataObject.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/PartStream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using namespace hgl;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{
std::vector<uint8> Bytes(MemStream &m)
{
    const int64 n = m.Size;
    return n > 0 ? std::vector<uint8>(m.GetData(), m.GetData() + n) : std::vector<uint8>();
}

void Fill(MemStream &m, int n)
{
    ASSERT_TRUE(m.Create(n, false));
    for (int i = 0; i < n; ++i)
        m.GetData()[i] = uint8(i);
}

// A stream holding these bytes, positioned at the start.
void Load(MemStream &m, const std::vector<uint8> &bytes)
{
    m.Clear();
    ASSERT_EQ(m.Write(bytes.data(), int(bytes.size())), int(bytes.size()));
    m.Position = 0;
}

class Pair : public DataObject
{
  public:
    int32 a = 0, b = 0;
    bool WriteToStream(Stream *s) override { return s->WriteValue(a) && s->WriteValue(b); }
    bool ReadFromStream(Stream *s) override { return s->ReadValue(a) && s->ReadValue(b); }
};
} // namespace

TEST(Stream, TextFormBadCounts)
{
    // ReadString refuses each and keeps its String; ReadUTF16Text (room for 3)
    // gives its own result and never writes into the buffer on failure.
    const struct
    {
        const char *what;
        std::vector<uint8> bytes;
        int utf16;
    } cases[] = {
        {"negative count", {0xFD, 0xFF, 0xFF, 0xFF}, 0}, // an empty text for ReadUTF16Text
        {"fewer than 4 count bytes", {1, 0}, -1},
        {"units cut short", {3, 0, 0, 0, 'a', 0, 'b', 0}, -1},
        {"huge count on a 10-byte stream", {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4, 5, 6}, -1},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.what);
        MemStream m;
        Load(m, c.bytes);
        String s(u"keep");
        EXPECT_EQ(m.ReadString(s), -1);
        EXPECT_TRUE(s == u"keep");
        m.Position = 0;
        u16char buf[4] = {u'x', u'y', u'z', 0};
        EXPECT_EQ(m.ReadUTF16Text(buf, 3), c.utf16);
        EXPECT_EQ(std::u16string(buf), c.utf16 == 0 ? u"" : u"xyz");
    }
    // More units than the caller's room: refused without writing, though
    // ReadString takes the same bytes.
    MemStream m;
    Load(m, {5, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0});
    u16char buf[4] = {u'x', u'y', u'z', 0};
    EXPECT_EQ(m.ReadUTF16Text(buf, 3), -1);
    EXPECT_EQ(std::u16string(buf), u"xyz");
    m.Position = 0;
    String s;
    EXPECT_EQ(m.ReadString(s), 5);
    EXPECT_TRUE(s == u"abcde");
}

TEST(MemStream, SaveAndLoadBlocks)
{
    MemStream src;
    src.Write("hello", 5);
    MemStream dst;
    ASSERT_TRUE(src.SaveToStream(&dst));
    EXPECT_EQ(Bytes(dst), (std::vector<uint8>{5, 0, 0, 0, 'h', 'e', 'l', 'l', 'o'}));
    dst.Position = 0;
    MemStream back;
    ASSERT_TRUE(back.LoadFromStream(&dst));
    EXPECT_EQ(back.Size, 5);
    EXPECT_EQ(back.Position, 0);
    EXPECT_EQ(std::memcmp(back.GetData(), "hello", 5), 0);

    // An empty stream (with or without a buffer) saves as the count alone, and
    // that counts as success.
    MemStream empty, zero(0, false), out, out0;
    EXPECT_TRUE(empty.SaveToStream(&out));
    EXPECT_EQ(Bytes(out), (std::vector<uint8>{0, 0, 0, 0}));
    EXPECT_TRUE(zero.SaveToStream(&out0));
    EXPECT_EQ(Bytes(out0), (std::vector<uint8>{0, 0, 0, 0}));
    out.Position = 0;
    EXPECT_TRUE(back.LoadFromStream(&out));
    EXPECT_EQ(back.Size, 0);
    EXPECT_EQ(back.Position, -1);
    EXPECT_FALSE(back.HasBuffer());

    EXPECT_FALSE(back.LoadFromStream(nullptr));
    EXPECT_FALSE(back.SaveToStream(nullptr));

    // A stored size beyond the data fails before allocating, with a message.
    LogCapture log;
    MemStream forged;
    Load(forged, {0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'});
    EXPECT_FALSE(back.LoadFromStream(&forged));
    EXPECT_FALSE(back.HasBuffer());
    EXPECT_EQ(log.Errors().size(), 1u) << log.Dump();
    MemStream short_count;
    Load(short_count, {1, 0});
    EXPECT_FALSE(back.LoadFromStream(&short_count));

    // Truncated data behind a window that claims more than there is: false, no buffer.
    MemStream cut;
    Load(cut, {10, 0, 0, 0, 'a', 'b', 'c'});
    PartStream window(&cut, 0, 100, true);
    EXPECT_FALSE(back.LoadFromStream(&window));
    EXPECT_FALSE(back.HasBuffer());
}

TEST(PartStream, WindowRules)
{
    MemStream parent;
    Fill(parent, 200);
    PartStream part(&parent, 100, 50, false);
    EXPECT_EQ(part.Size, 50);
    EXPECT_EQ(part.Position, 0);
    part.Size = 10; // ignored
    EXPECT_EQ(part.Size, 50);
    part.Position = 70;
    EXPECT_EQ(part.Position, 50);
    EXPECT_EQ(parent.Position, 150);
    part.Position = -3;
    EXPECT_EQ(part.Position, 0);
    EXPECT_EQ(parent.Position, 100);
    EXPECT_EQ(part.Seek(-4, 2), 46);
    EXPECT_EQ(part.Seek(100, 0), 50);

    uint8 buf[32];
    part.Position = 40;
    EXPECT_EQ(part.Read(buf, 20), 10);
    EXPECT_EQ(buf[0], 140);
    EXPECT_EQ(buf[9], 149);
    // The end of the window is the end of the data: 0, not a failure.
    EXPECT_EQ(part.Read(buf, 20), 0);
    EXPECT_EQ(part.Position, 50);

    // Others moving the parent do not disturb the window.
    part.Position = 5;
    parent.Position = 0;
    EXPECT_EQ(part.Read(buf, 2), 2);
    EXPECT_EQ(buf[0], 105);
    EXPECT_EQ(part.Read(buf, -1), -1);

    // Writes land inside the window only.
    EXPECT_EQ(part.Write("\xAA\xBB", 2), 2);
    EXPECT_EQ(parent.GetData()[107], 0xAA);
    EXPECT_EQ(part.Seek(-1, 2), 49);
    EXPECT_EQ(part.Write("\x01\x02\x03", 3), 1);
    EXPECT_EQ(parent.GetData()[149], 1);
    EXPECT_EQ(parent.GetData()[150], 150);
    EXPECT_EQ(parent.Size, 200);

    PartStream ro(&parent, 0, 10, true);
    EXPECT_EQ(ro.Write("a", 1), -1);
    ro.Position = 10;
    EXPECT_EQ(ro.Write("a", 1), -1);
    EXPECT_EQ(ro.Read(buf, 4), 0);
}

TEST(FileStream, OpenModesAndTransfers)
{
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    const std::u16string name = dir.File16("data.bin");

    FileStream f;
    uint8 b[4] = {1, 2, 3, 4};
    f.Close(); // never opened: harmless
    ASSERT_TRUE(f.Create(name.c_str()));
    EXPECT_EQ(f.Size, 0);
    EXPECT_EQ(f.Write("0123456789", 10), 10);
    EXPECT_EQ(f.Position, 10);
    EXPECT_EQ(f.Size, 10);
    EXPECT_EQ(f.Write("x", 0), -1); // sizes below 1 fail, 0 included
    EXPECT_EQ(f.Read(b, 0), -1);
    EXPECT_EQ(f.Read(b, -2), -1);
    EXPECT_EQ(f.Read(nullptr, 1), -1);
    EXPECT_EQ(f.Seek(3, 0), 3);
    EXPECT_EQ(f.Seek(2, 1), 5);
    EXPECT_EQ(f.Seek(-1, 2), 9);
    EXPECT_EQ(f.Seek(0, 5), -1);
    EXPECT_EQ(f.Seek(1, -1), -1);
    EXPECT_EQ(f.Seek(-10, 0), -1); // before the start fails
    EXPECT_EQ(f.Position, 9);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 16), 1);
    EXPECT_EQ(buf[0], '9');
    EXPECT_EQ(f.Read(buf, 16), 0);
    f.Size = 2; // never changes the file
    EXPECT_EQ(f.Size, 10);
    f.Close();
    EXPECT_EQ(f.Position, -1);
    EXPECT_EQ(f.Size, -1);
    EXPECT_EQ(f.Read(buf, 1), -1);
    EXPECT_EQ(f.Write(buf, 1), -1);
    EXPECT_EQ(f.Seek(0, 0), -1);

    // 2: read only; 4: write, keeps the content; 6: read+write, keeps it; 1 empties.
    ASSERT_TRUE(f.Open(name.c_str(), 2));
    EXPECT_EQ(f.Write("z", 1), -1);
    ASSERT_TRUE(f.Open(name.c_str(), 4)); // reopening closes the first file
    EXPECT_EQ(f.Size, 10);
    EXPECT_EQ(f.Write("AB", 2), 2);
    EXPECT_EQ(f.Read(buf, 1), -1);
    ASSERT_TRUE(f.Open(name.c_str(), 6));
    EXPECT_EQ(f.Read(buf, 4), 4);
    EXPECT_EQ(std::string(buf, 4), "AB23");
    ASSERT_TRUE(f.Open(name.c_str(), 1));
    EXPECT_EQ(f.Size, 0);
    // Unknown modes: the error line, false and closed.
    for (int mode : {0, 3, 5, 7, -1})
    {
        LogCapture log;
        ASSERT_TRUE(f.Open(name.c_str(), 2));
        EXPECT_FALSE(f.Open(name.c_str(), mode));
        const std::u16string line =
            u"打开文件<" + name + u">使用了未知的打开方式:" + hgl::test::ToU16(std::to_string(mode));
        EXPECT_EQ(log.Errors(), std::vector<std::u16string>{line}) << log.Dump();
        EXPECT_FALSE(f.IsOpen());
        EXPECT_EQ(f.Size, -1);
    }

    // A missing file and a folder fail to open: the info line with the mode
    // first, then the name and the system's reason code.
    LogCapture log;
    const std::u16string missing = dir.File16("none.bin");
    EXPECT_FALSE(f.Open(missing.c_str(), 2));
    EXPECT_EQ(log.Infos(),
              std::vector<std::u16string>{u"打开文件<2><" + missing + u">失败！Windows错误代码:2"})
        << log.Dump();
    ASSERT_TRUE(dir.MakeDir("sub"));
    EXPECT_FALSE(f.Open(dir.File16("sub").c_str(), 2));
    EXPECT_FALSE(f.Open(dir.File16("SUB").c_str(), 6));
    EXPECT_EQ(log.Infos().size(), 3u) << log.Dump();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(f.Open(nullptr, 2));
    EXPECT_FALSE(f.Open(u"", 6));
}
