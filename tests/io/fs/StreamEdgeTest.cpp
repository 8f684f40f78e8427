// Stream behaviour at the edges: less-used members, failure results and the
// exact byte forms, each checked through the public names only.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "core/String.h"
#include "io/DataObject.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/PartStream.h"
#include "io/Stream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using namespace hgl;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{
std::vector<uint8> Contents(MemStream &m)
{
    std::vector<uint8> out;
    const int64 keep = m.Position;
    m.Position = 0;
    uint8 b;
    while (m.Read(&b, 1) == 1) out.push_back(b);
    m.Position = keep;
    return out;
}

void WriteBytes(Stream &s, std::initializer_list<uint8> bytes)
{
    std::vector<uint8> v(bytes);
    ASSERT_EQ(s.Write(v.data(), int(v.size())), int(v.size()));
}

// ReadString refuses the bytes from the start of m and keeps the text it was given.
void ExpectReadStringRefused(MemStream &m)
{
    m.Position = 0;
    String s(u"keep");
    EXPECT_EQ(m.ReadString(s), -1);
    EXPECT_TRUE(s == u"keep");
}

// A stream over a fixed byte vector that leaves Seek to the base class and
// counts how often each side is touched.
class VecStream : public Stream
{
public:
    std::vector<uint8> data;
    int64 pos = 0;

    VecStream()
    {
        Position.Bind<&VecStream::GetPos, &VecStream::SetPos>(this);
        Size.Bind<&VecStream::GetSize, &VecStream::SetSize>(this);
    }
    int64 GetPos() { return pos; }
    void SetPos(int64 v) { pos = v < 0 ? 0 : v; }
    int64 GetSize() { return int64(data.size()); }
    void SetSize(int64) {}
    int Read(void *buf, int n) override
    {
        if (n < 0 || pos < 0) return -1;
        const int64 left = int64(data.size()) - pos;
        if (left <= 0) return 0;
        if (n > left) n = int(left);
        memcpy(buf, data.data() + pos, size_t(n));
        pos += n;
        return n;
    }
    int Write(const void *, int) override { return -1; }
};
} // namespace

TEST(StreamEdge, BaseSeekRules)
{
    MemStream m;
    ASSERT_TRUE(m.Create(100, false));
    m.Position = 30;
    EXPECT_EQ(m.Seek(0, 1), 30);      // offset 0 from the current position sets nothing
    EXPECT_EQ(m.Seek(5, 1), 35);
    EXPECT_EQ(m.Seek(5, 7), 40);      // any origin other than 0 and 2 is "current"
    EXPECT_EQ(m.Seek(-10, 3), 30);
    EXPECT_EQ(m.Seek(-4, 2), 96);
    EXPECT_EQ(m.Seek(10, 0), 10);
    EXPECT_EQ(m.Seek(500, 0), 100);   // clamped by the setter, the read-back value returned
    EXPECT_EQ(m.Seek(-200, 0), 0);    // negatives clamp to the start
    EXPECT_EQ(m.Seek(-200, 2), 0);
    EXPECT_EQ(int64(m.Position), 0);
}

TEST(StreamEdge, TextReadersOnBadCounts)
{
    // ReadUTF16Text: the Part's own form with a caller buffer, count+1 units.
    {
        MemStream m;
        WriteBytes(m, {3, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0});
        m.Position = 0;
        u16char buf[8];
        for (auto &c : buf) c = u'x';
        EXPECT_EQ(m.ReadUTF16Text(buf, 7), 3);
        EXPECT_EQ(std::u16string(buf), u"abc");
    }
    {
        // A negative count is an empty text for ReadUTF16Text ...
        MemStream m;
        WriteBytes(m, {0xFF, 0xFF, 0xFF, 0xFF});
        m.Position = 0;
        u16char buf[4] = {u'x', u'x', u'x', 0};
        EXPECT_EQ(m.ReadUTF16Text(buf, 3), 0);
        EXPECT_EQ(buf[0], 0);
        // ... and a failure for ReadString, which keeps the old text.
        ExpectReadStringRefused(m);
    }
    {
        // Fewer than 4 count bytes.
        MemStream m;
        WriteBytes(m, {1, 0});
        m.Position = 0;
        u16char buf[4] = {u'x', 0};
        EXPECT_EQ(m.ReadUTF16Text(buf, 3), -1);
        ExpectReadStringRefused(m);
    }
    {
        // Count says 2, only one unit present.
        MemStream m;
        WriteBytes(m, {2, 0, 0, 0, 'a', 0});
        m.Position = 0;
        u16char buf[4];
        EXPECT_EQ(m.ReadUTF16Text(buf, 3), -1);
        ExpectReadStringRefused(m);
    }
    {
        // A count larger than the caller's room is refused without writing.
        MemStream m;
        WriteBytes(m, {5, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0});
        m.Position = 0;
        u16char buf[4] = {u'x', u'y', u'z', 0};
        EXPECT_EQ(m.ReadUTF16Text(buf, 3), -1);
        EXPECT_EQ(std::u16string(buf), u"xyz");
    }
    {
        // 0x7FFFFFFF units announced by a 10-byte stream: refused, no allocation.
        MemStream m;
        WriteBytes(m, {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4, 5, 6});
        ExpectReadStringRefused(m);
    }
    {
        // A stream whose Seek is the base one and whose size is known.
        VecStream v;
        v.data = {2, 0, 0, 0, 'h', 0, 'i', 0};
        String s;
        EXPECT_EQ(v.ReadString(s), 2);
        EXPECT_TRUE(s == u"hi");
        EXPECT_EQ(v.Seek(-8, 2), 0);
        EXPECT_EQ(v.Seek(0, 1), 0);
    }
}

TEST(StreamEdge, WriteStringAndObjects)
{
    MemStream m;
    EXPECT_TRUE(m.WriteString(String(u"")));
    EXPECT_TRUE(m.WriteString(String(u"Zz")));
    EXPECT_EQ(Contents(m), (std::vector<uint8>{0, 0, 0, 0, 2, 0, 0, 0, 'Z', 0, 'z', 0}));

    // A fixed stream with no room left: the write is short, so false.
    MemStream fixed(6, true);
    EXPECT_FALSE(fixed.WriteString(String(u"abc")));
    MemStream tiny(2, true);
    EXPECT_FALSE(tiny.WriteString(String()));

    // The base DataObject stores and loads nothing.
    DataObject plain;
    MemStream o;
    EXPECT_FALSE(o.WriteObject(&plain));
    EXPECT_FALSE(o.ReadObject(&plain));
    EXPECT_FALSE(plain.WriteToStream(&o));
    EXPECT_FALSE(plain.ReadFromStream(&o));
    EXPECT_EQ(int64(o.Size), 0);
}

TEST(MemStreamEdge, ConstructionAndFailures)
{
    MemStream empty;
    EXPECT_EQ(int64(empty.Size), 0);
    EXPECT_EQ(int64(empty.Position), -1);
    uint8 b[8] = {};
    EXPECT_EQ(empty.Read(b, 4), 0);          // no buffer: nothing to read
    EXPECT_EQ(empty.Read(nullptr, 4), -1);
    EXPECT_EQ(empty.Write(nullptr, 4), -1);
    empty.Position = 5;                       // no buffer: ignored
    EXPECT_EQ(int64(empty.Position), -1);
    empty.Size = 10;                          // no buffer: ignored
    EXPECT_EQ(int64(empty.Size), 0);

    // The first write gives the stream a buffer of exactly that size.
    EXPECT_EQ(empty.Write("abc", 3), 3);
    EXPECT_EQ(int64(empty.Size), 3);
    EXPECT_EQ(int64(empty.Position), 3);

    // Negative sizes never reach a copy.
    MemStream m(10, false);
    EXPECT_EQ(int64(m.Size), 10);
    EXPECT_EQ(int64(m.Position), 0);
    EXPECT_EQ(m.Read(b, -1), -1);
    EXPECT_EQ(m.Write(b, -1), -1);
    EXPECT_EQ(m.Write(b, 0), 0);
    EXPECT_EQ(int64(m.Size), 10);

    // Size setter: shrinking moves a position past the end back to the end;
    // negative values are ignored; a fixed stream ignores the setter.
    m.Position = 9;
    m.Size = 4;
    EXPECT_EQ(int64(m.Size), 4);
    EXPECT_EQ(int64(m.Position), 4);
    EXPECT_EQ(m.Read(b, 8), 0);
    m.Size = -5;
    EXPECT_EQ(int64(m.Size), 4);
    m.Size = 0;
    EXPECT_EQ(int64(m.Size), 0);
    EXPECT_EQ(int64(m.Position), 0);
    m.Size = 6;
    EXPECT_EQ(int64(m.Size), 6);

    MemStream f(10, true);
    f.Size = 20;
    EXPECT_EQ(int64(f.Size), 10);
    f.Position = 8;
    EXPECT_EQ(f.Write("12345", 5), 2);
    EXPECT_EQ(int64(f.Size), 10);
    EXPECT_EQ(f.Write("1", 1), 0);

    // Clear forgets the fixed flag as well.
    f.Clear();
    EXPECT_EQ(int64(f.Size), 0);
    EXPECT_EQ(int64(f.Position), -1);
    EXPECT_EQ(f.Write("12345", 5), 5);
    EXPECT_EQ(f.Write("67", 2), 2);
    EXPECT_EQ(int64(f.Size), 7);

    // Create replaces what was there.
    EXPECT_TRUE(f.Create(3, true));
    EXPECT_EQ(int64(f.Size), 3);
    EXPECT_EQ(int64(f.Position), 0);
    EXPECT_EQ(f.Write("abcdef", 6), 3);
}

TEST(MemStreamEdge, BlockFormAndLoads)
{
    // SaveToStream: u32 size then the bytes.
    MemStream src;
    src.Write("xyz", 3);
    MemStream dst;
    EXPECT_FALSE(src.SaveToStream(nullptr));
    EXPECT_TRUE(src.SaveToStream(&dst));
    EXPECT_EQ(Contents(dst), (std::vector<uint8>{3, 0, 0, 0, 'x', 'y', 'z'}));

    // An empty stream saves as the count alone and that is a success.
    MemStream none;
    MemStream out0;
    EXPECT_TRUE(none.SaveToStream(&out0));
    EXPECT_EQ(Contents(out0), (std::vector<uint8>{0, 0, 0, 0}));
    MemStream zero(0, false);
    MemStream out1;
    EXPECT_TRUE(zero.SaveToStream(&out1));
    EXPECT_EQ(Contents(out1), (std::vector<uint8>{0, 0, 0, 0}));

    // LoadFromStream.
    MemStream back;
    EXPECT_FALSE(back.LoadFromStream(nullptr));
    dst.Position = 0;
    EXPECT_TRUE(back.LoadFromStream(&dst));
    EXPECT_EQ(int64(back.Size), 3);
    EXPECT_EQ(int64(back.Position), 0);
    EXPECT_EQ(Contents(back), (std::vector<uint8>{'x', 'y', 'z'}));

    out0.Position = 0;
    EXPECT_TRUE(back.LoadFromStream(&out0));
    EXPECT_EQ(int64(back.Size), 0);
    EXPECT_EQ(int64(back.Position), -1);

    // A size larger than what follows is refused before allocating.
    MemStream lying;
    WriteBytes(lying, {0xFF, 0xFF, 0xFF, 0xFF, 1, 2});
    lying.Position = 0;
    EXPECT_FALSE(back.LoadFromStream(&lying));
    MemStream shortSize;
    WriteBytes(shortSize, {9, 0, 0, 0, 1, 2});
    shortSize.Position = 0;
    EXPECT_FALSE(back.LoadFromStream(&shortSize));
    MemStream shortCount;
    WriteBytes(shortCount, {1, 0});
    shortCount.Position = 0;
    EXPECT_FALSE(back.LoadFromStream(&shortCount));

    // LoadFromFile: null, missing and empty files all fail.
    TempDir dir("memload");
    ASSERT_TRUE(dir.WriteFile("data.bin", std::string("\x01\x02\x03\x04", 4)));
    ASSERT_TRUE(dir.WriteFile("empty.bin", std::string()));
    MemStream file;
    EXPECT_FALSE(file.LoadFromFile(nullptr));
    {
        LogCapture log;
        EXPECT_FALSE(file.LoadFromFile(dir.File16("missing.bin").c_str()));
    }
    EXPECT_FALSE(file.LoadFromFile(dir.File16("empty.bin").c_str()));
    EXPECT_TRUE(file.LoadFromFile(dir.File16("DATA.BIN").c_str()));
    EXPECT_EQ(int64(file.Size), 4);
    EXPECT_EQ(int64(file.Position), 0);
    EXPECT_EQ(Contents(file), (std::vector<uint8>{1, 2, 3, 4}));
}

TEST(PartStreamEdge, WindowOverMemoryAndFile)
{
    MemStream parent;
    ASSERT_TRUE(parent.Create(200, false));
    std::vector<uint8> all(200);
    for (int i = 0; i < 200; ++i) all[i] = uint8(i);
    parent.Write(all.data(), 200);

    PartStream part(&parent, 100, 50, false);
    EXPECT_EQ(int64(part.Position), 0);
    EXPECT_EQ(int64(part.Size), 50);
    part.Size = 10;                      // ignored
    EXPECT_EQ(int64(part.Size), 50);

    part.Position = 70;
    EXPECT_EQ(int64(part.Position), 50);
    EXPECT_EQ(int64(parent.Position), 150);
    part.Position = -3;
    EXPECT_EQ(int64(part.Position), 0);
    EXPECT_EQ(int64(parent.Position), 100);

    // Base Seek through the window's own properties.
    EXPECT_EQ(part.Seek(-4, 2), 46);
    EXPECT_EQ(part.Seek(0, 1), 46);
    EXPECT_EQ(part.Seek(100, 0), 50);

    // Whatever moved the parent, the window reads from its own place.
    part.Position = 40;
    parent.Position = 3;
    uint8 buf[32] = {};
    EXPECT_EQ(part.Read(buf, 20), 10);
    EXPECT_EQ(buf[0], 140);
    EXPECT_EQ(buf[9], 149);
    EXPECT_EQ(int64(part.Position), 50);
    EXPECT_EQ(part.Read(buf, 20), 0);    // at the end: 0, not a failure
    EXPECT_EQ(part.Read(buf, 0), 0);

    // A writable window writes into the parent at its place.
    part.Position = 0;
    EXPECT_EQ(part.Write("AB", 2), 2);
    parent.Position = 100;
    uint8 two[2];
    EXPECT_EQ(parent.Read(two, 2), 2);
    EXPECT_EQ(two[0], 'A');
    EXPECT_EQ(two[1], 'B');

    PartStream ro(&parent, 0, 10, true);
    EXPECT_EQ(ro.Write("x", 1), -1);
    EXPECT_EQ(ro.Write("x", 0), -1);
    EXPECT_EQ(ro.Read(buf, 4), 4);

    // Over a file: the end of the window is 0, also when the file ends there.
    TempDir dir("partfile");
    ASSERT_TRUE(dir.WriteFile("f.bin", std::string("0123456789")));
    FileStream fs(dir.File16("f.bin").c_str(), 2);
    PartStream tail(&fs, 6, 4, true);
    char c[8] = {};
    EXPECT_EQ(tail.Read(c, 8), 4);
    EXPECT_EQ(std::string(c, 4), "6789");
    EXPECT_EQ(tail.Read(c, 8), 0);
    PartStream past(&fs, 8, 6, true);    // window longer than the file
    EXPECT_EQ(past.Read(c, 8), 2);
    EXPECT_EQ(past.Read(c, 8), 0);
}

TEST(FileStreamEdge, ClosedOpenAndModes)
{
    TempDir dir("fsedge");
    const std::u16string name = dir.File16("a.bin");

    FileStream closed;
    uint8 b[4] = {1, 2, 3, 4};
    EXPECT_EQ(closed.Read(b, 4), -1);
    EXPECT_EQ(closed.Write(b, 4), -1);
    EXPECT_EQ(int64(closed.Position), -1);
    EXPECT_EQ(int64(closed.Size), -1);
    EXPECT_EQ(closed.Seek(0, 0), -1);
    closed.Close();   // closing a closed stream is harmless

    // Mode 1 creates and truncates.
    {
        FileStream f;
        ASSERT_TRUE(f.Open(name.c_str(), 1));
        EXPECT_EQ(f.Write("hello", 5), 5);
        EXPECT_EQ(int64(f.Size), 5);
        EXPECT_EQ(int64(f.Position), 5);
        f.Size = 1;                        // never changes the file
        EXPECT_EQ(int64(f.Size), 5);
        EXPECT_EQ(f.Read(b, 0), -1);       // sizes below 1 fail, 0 included
        EXPECT_EQ(f.Write(b, 0), -1);
        EXPECT_EQ(f.Read(b, -2), -1);
        EXPECT_EQ(f.Seek(0, 0), 0);
        EXPECT_EQ(f.Read(b, 4), 4);
        EXPECT_EQ(f.Read(b, 4), 1);
        EXPECT_EQ(f.Read(b, 4), 0);        // end of file
        EXPECT_EQ(f.Seek(-2, 2), 3);
        EXPECT_EQ(f.Seek(1, 1), 4);
        EXPECT_EQ(f.Seek(1, 5), -1);
        EXPECT_EQ(f.Seek(1, -1), -1);
        EXPECT_EQ(int64(f.Position), 4);
        EXPECT_EQ(f.Seek(-10, 0), -1);     // before the start fails
        f.Position = 2;
        EXPECT_EQ(int64(f.Position), 2);
    }
    // Mode 2 reads an existing file and cannot write.
    {
        FileStream f(name.c_str(), 2);
        EXPECT_EQ(int64(f.Size), 5);
        EXPECT_EQ(f.Write("x", 1), -1);
        char c[5];
        EXPECT_EQ(f.Read(c, 5), 5);
        EXPECT_EQ(std::string(c, 5), "hello");
    }
    // Mode 4 opens for writing, keeping the content.
    {
        FileStream f(name.c_str(), 4);
        EXPECT_EQ(int64(f.Size), 5);
        EXPECT_EQ(f.Write("J", 1), 1);
        EXPECT_EQ(f.Read(b, 1), -1);
    }
    // Mode 6 reads and writes, keeping the content; creates a missing file.
    {
        FileStream f(name.c_str(), 6);
        char c[5];
        EXPECT_EQ(f.Read(c, 5), 5);
        EXPECT_EQ(std::string(c, 5), "Jello");
        FileStream g(dir.File16("new6.bin").c_str(), 6);
        EXPECT_EQ(int64(g.Size), 0);
        EXPECT_EQ(g.Write("z", 1), 1);
    }
    // Mode 4 creates a missing file too.
    {
        FileStream f(dir.File16("new4.bin").c_str(), 4);
        EXPECT_EQ(f.Write("q", 1), 1);
    }
    EXPECT_EQ(dir.ReadFile("new4.bin"), "q");
    EXPECT_EQ(dir.ReadFile("new6.bin"), "z");

    // Create = Close, then mode 1.
    {
        FileStream f(name.c_str(), 2);
        EXPECT_TRUE(f.Create(name.c_str()));
        EXPECT_EQ(int64(f.Size), 0);
        EXPECT_EQ(f.Write("ab", 2), 2);
    }
    EXPECT_EQ(dir.ReadFile("a.bin"), "ab");

    // Unknown modes: the error line, false and closed.
    for (int mode : {0, 3, 5, 7, -1})
    {
        LogCapture log;
        FileStream f(name.c_str(), 2);
        EXPECT_FALSE(f.Open(name.c_str(), mode));
        std::u16string expect = u"打开文件<" + name + u">使用了未知的打开方式:" +
                                hgl::test::ToU16(std::to_string(mode));
        EXPECT_EQ(log.Errors(), std::vector<std::u16string>{expect}) << log.Dump();
        EXPECT_EQ(f.Read(b, 1), -1);
        EXPECT_EQ(int64(f.Size), -1);
    }

    // A missing file in mode 2, and a folder in any mode: the info line with
    // the mode first, then the name, and false.
    {
        LogCapture log;
        const std::u16string missing = dir.File16("nothere.bin");
        FileStream f;
        EXPECT_FALSE(f.Open(missing.c_str(), 2));
        ASSERT_EQ(log.Infos().size(), 1u) << log.Dump();
        EXPECT_TRUE(log.Errors().empty());
        const std::u16string head = u"打开文件<2><" + missing + u">失败！Windows错误代码:";
        EXPECT_EQ(log.Infos()[0].substr(0, head.size()), head);
        EXPECT_GT(log.Infos()[0].size(), head.size());
    }
    {
        ASSERT_TRUE(dir.MakeDir("sub"));
        LogCapture log;
        FileStream f;
        EXPECT_FALSE(f.Open(dir.File16("sub").c_str(), 2));
        EXPECT_FALSE(f.Open(dir.File16("SUB").c_str(), 6));
        EXPECT_EQ(log.Infos().size(), 2u) << log.Dump();
    }
    // A null name fails without a crash.
    {
        LogCapture log;
        FileStream f;
        EXPECT_FALSE(f.Open(nullptr, 2));
    }

    // Reopening one object closes the first file.
    {
        ASSERT_TRUE(dir.WriteFile("one.bin", "1"));
        ASSERT_TRUE(dir.WriteFile("two.bin", "22"));
        FileStream f(dir.File16("one.bin").c_str(), 2);
        EXPECT_EQ(int64(f.Size), 1);
        EXPECT_TRUE(f.Open(dir.File16("two.bin").c_str(), 2));
        EXPECT_EQ(int64(f.Size), 2);
        f.Close();
        EXPECT_EQ(int64(f.Size), -1);
    }
}
