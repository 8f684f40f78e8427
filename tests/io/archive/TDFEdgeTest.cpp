// TDF trees checked against their byte form: value widths, child order, the
// compressed-block convention and damaged input.
#include "ArchiveTestUtil.h"

#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/OpenHAC.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "tools/hacpack/HacWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
using archive_test::AppendText;
using archive_test::AppendU32;
using Bytes = std::vector<uint8_t>;

Bytes SaveBytes(hgl::TDFNode &node)
{
    hgl::MemStream ms;
    node.Save(&ms);
    const int64_t n = ms.Size;
    const uint8_t *p = ms.GetData();
    return p ? Bytes(p, p + n) : Bytes();
}

void LoadBytes(hgl::TDFNode &node, const Bytes &b)
{
    hgl::MemStream ms;
    if (!b.empty())
        ms.Write(b.data(), int(b.size()));
    ms.Position = 0;
    node.Load(&ms);
}

// Root "r" with data "DA" and one-byte children named after their data, in the
// order given.
Bytes RootWithChildren(std::initializer_list<const char16_t *> names)
{
    Bytes b;
    AppendText(b, u"r");
    AppendU32(b, 2);
    b.push_back('D');
    b.push_back('A');
    AppendU32(b, uint32_t(names.size()));
    for (const char16_t *n : names)
    {
        AppendText(b, n);
        AppendU32(b, 1);
        b.push_back(uint8_t(n[0]));
        AppendU32(b, 0);
    }
    return b;
}

// The saved bytes of the one child named key.
Bytes ValueBytes(hgl::TDFNode &root, const char16_t *key)
{
    hgl::TDFNode *c = root.FindChild(hgl::String(key));
    if (!c)
        return {};
    Bytes all = SaveBytes(*c);
    // name text, then u32 size, then data, then u32 0
    const size_t off = 4 + 2 * std::char_traits<char16_t>::length(key);
    uint32_t size;
    std::memcpy(&size, all.data() + off, 4);
    return Bytes(all.begin() + long(off + 4), all.begin() + long(off + 4 + size));
}
} // namespace

TEST(TDFEdge, NodeBytesAndChildOrder)
{
    hgl::TDFNode a;
    a.AddChild(hgl::String(u"x"));
    hgl::TDFNode single;
    LoadBytes(single, Bytes{1, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(SaveBytes(single), (Bytes{1, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(single.FindChild(hgl::String(u"x")), nullptr);

    // Built by hand: root "r" with data "DA" and children x, y, z in file order.
    const Bytes file = RootWithChildren({u"x", u"y", u"z"});
    hgl::TDFNode tree;
    LoadBytes(tree, file);
    ASSERT_NE(tree.FindChild(hgl::String(u"z")), nullptr);
    hgl::int8 v = 0;
    ASSERT_TRUE(tree.GetInt8(u"y", v));
    EXPECT_EQ(v, 'y');
    // Saving writes the children last to first.
    Bytes once = SaveBytes(tree);
    EXPECT_EQ(once, RootWithChildren({u"z", u"y", u"x"}));
    // A second round trip restores the first order.
    hgl::TDFNode again;
    LoadBytes(again, once);
    EXPECT_EQ(SaveBytes(again), file);

    // The last of equal names wins.
    hgl::TDFNode dup;
    hgl::TDFNode *first = dup.AddChild(hgl::String(u"k"));
    hgl::TDFNode *second = dup.AddChild(hgl::String(u"k"));
    EXPECT_NE(first, second);
    EXPECT_EQ(dup.FindChild(hgl::String(u"k")), second);
    EXPECT_EQ(dup.FindChild(hgl::String(u"K")), nullptr);

    // Load adds to what the node holds; Clear empties everything.
    LoadBytes(dup, Bytes{1, 0, 0, 0, 'q', 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(dup.FindChild(hgl::String(u"k")), second);
    dup.Clear();
    EXPECT_EQ(dup.FindChild(hgl::String(u"k")), nullptr);
    EXPECT_EQ(SaveBytes(dup), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(TDFEdge, ValueWidthsAndGetters)
{
    hgl::TDFNode t;
    t.SetBool(u"b", true);
    t.SetInt8(u"i8", -2);
    t.SetInt16(u"i16", -300);
    t.SetUInt32(u"u32", 0xDEADBEEFu);
    t.SetInt32(u"i32", -5);
    t.SetFloat(u"f", 1.5f);
    t.SetInt64(u"i64", -1234567890123LL);
    t.SetString(u"s", hgl::String(u"文字"));
    t.SetString(u"empty", hgl::String(u""));
    const char raw[3] = {'r', 'a', 'w'};
    t.SetData(u"d", raw, 3);

    EXPECT_EQ(ValueBytes(t, u"b"), (Bytes{1}));
    EXPECT_EQ(ValueBytes(t, u"i8"), (Bytes{0xFE}));
    EXPECT_EQ(ValueBytes(t, u"i16"), (Bytes{0xD4, 0xFE}));
    EXPECT_EQ(ValueBytes(t, u"u32"), (Bytes{0xEF, 0xBE, 0xAD, 0xDE}));
    EXPECT_EQ(ValueBytes(t, u"i32"), (Bytes{0xFB, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ValueBytes(t, u"f"), (Bytes{0, 0, 0xC0, 0x3F}));
    EXPECT_EQ(ValueBytes(t, u"i64").size(), 8u);
    EXPECT_EQ(ValueBytes(t, u"s"), (Bytes{2, 0, 0, 0, 0x87, 0x65, 0x57, 0x5B}));
    EXPECT_EQ(ValueBytes(t, u"empty"), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(ValueBytes(t, u"d"), (Bytes{'r', 'a', 'w'}));

    bool b = false;
    hgl::int8 i8 = 0;
    hgl::int16 i16 = 0;
    hgl::uint32 u32 = 0;
    hgl::int32 i32 = 0;
    float f = 0;
    hgl::int64 i64 = 0;
    EXPECT_TRUE(t.GetBool(u"b", b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(t.GetInt8(u"i8", i8));
    EXPECT_EQ(i8, -2);
    EXPECT_TRUE(t.GetInt16(u"i16", i16));
    EXPECT_EQ(i16, -300);
    EXPECT_TRUE(t.GetUInt32(u"u32", u32));
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_TRUE(t.GetInt32(u"i32", i32));
    EXPECT_EQ(i32, -5);
    EXPECT_TRUE(t.GetFloat(u"f", f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(t.GetInt64(u"i64", i64));
    EXPECT_EQ(i64, -1234567890123LL);

    // Setting again replaces the value; the block keeps exactly its width.
    hgl::TDFNode *c = t.SetInt32(u"i32", 7);
    EXPECT_EQ(c, t.FindChild(hgl::String(u"i32")));
    EXPECT_EQ(ValueBytes(t, u"i32"), (Bytes{7, 0, 0, 0}));
    t.SetInt16(u"short", 2);
    EXPECT_FALSE(t.GetInt32(u"short", i32));
    EXPECT_FALSE(t.GetInt64(u"i32", i64));
    EXPECT_FALSE(t.GetInt32(u"missing", i32));

    hgl::String s(u"keep");
    EXPECT_TRUE(t.GetString(u"s", s));
    EXPECT_EQ(s, u"文字");
    EXPECT_FALSE(t.GetString(u"empty", s));
    EXPECT_EQ(s.Length, 0);
    EXPECT_FALSE(t.GetString(u"missing", s));
    s = hgl::String(u"keep");
    t.SetData(u"badtext", "\x05\0\0\0a\0", 6); // count 5, one unit present
    EXPECT_FALSE(t.GetString(u"badtext", s));

    hgl::u16char text[8];
    EXPECT_TRUE(t.GetText(u"s", text, 7));
    EXPECT_EQ(std::u16string(text), u"文字");
    EXPECT_TRUE(t.GetText(u"s", text, 2));
    EXPECT_FALSE(t.GetText(u"s", text, 1));
    EXPECT_FALSE(t.GetText(u"badtext", text, 7));
    EXPECT_FALSE(t.GetText(u"missing", text, 7));

    char out[8] = {};
    EXPECT_TRUE(t.GetData(u"d", out, 3));
    EXPECT_EQ(std::string(out, 3), "raw");
    EXPECT_FALSE(t.GetData(u"missing", out, 3));

    hgl::Date date;
    date.Year = 2012;
    date.Month = 3;
    date.Day = 4;
    t.SetObject(u"date", &date);
    EXPECT_EQ(ValueBytes(t, u"date").size(), 16u);
    hgl::Date back;
    EXPECT_TRUE(t.GetObject(u"date", &back));
    EXPECT_EQ(int(back.Year), 2012);
    EXPECT_EQ(int(back.Month), 3);
    EXPECT_EQ(int(back.Day), 4);
    EXPECT_FALSE(t.GetObject(u"b", &back));
    EXPECT_FALSE(t.GetObject(u"missing", &back));
}

TEST(TDFEdge, CompressedBlocks)
{
    hgl::TDFNode t;
    const uint8_t pixels[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // A method that cannot make the picture smaller: stored raw, empty method name.
    t.SaveCompressImage(hgl::String(u"pic"), pixels, 2, 2, 3, hgl::String(u"NoSuchMethod"), 0);
    EXPECT_EQ(ValueBytes(t, u"压缩算法"), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(ValueBytes(t, u"pic"), Bytes(pixels, pixels + 12));
    uint8_t back[12] = {};
    EXPECT_EQ(t.LoadCompressImage(hgl::String(u"pic"), back, 2, 2, 3), 12);
    EXPECT_EQ(0, std::memcmp(back, pixels, 12));
    EXPECT_EQ(t.LoadCompressImage(hgl::String(u"nothing"), back, 2, 2, 3), -1);

    t.SaveCompressImageByKey(hgl::String(u"m2"), hgl::String(u"pic2"), pixels, 1, 4, 3, hgl::String(u""), 0);
    EXPECT_EQ(ValueBytes(t, u"m2"), (Bytes{0, 0, 0, 0}));
    uint8_t small[5] = {};
    EXPECT_EQ(t.LoadCompressDataByKey(hgl::String(u"m2"), hgl::String(u"pic2"), small, 5), 5);
    EXPECT_EQ(0, std::memcmp(small, pixels, 5));

    // A raw block shorter than the picture gives the bytes it holds.
    t.SetData(u"shortpic", pixels, 5);
    EXPECT_EQ(t.LoadCompressImage(hgl::String(u"shortpic"), back, 2, 2, 3), 5);

    // Uncompressed data blocks are clipped to the destination or to the data.
    t.SetData(u"blob", "abcdefgh", 8);
    char dest[16] = {};
    EXPECT_EQ(t.LoadCompressData(hgl::String(u"blob"), dest, 3), 3);
    EXPECT_EQ(std::string(dest, 3), "abc");
    EXPECT_EQ(t.LoadCompressData(hgl::String(u"blob"), dest, 16), 8);
    EXPECT_EQ(t.LoadCompressData(hgl::String(u"none"), dest, 16), -1);
    // Through a node that may be missing: null gives -1.
    EXPECT_EQ(hgl::TDFNode::LoadCompressData(nullptr, hgl::String(u"blob"), dest, 16), -1);
    EXPECT_EQ(hgl::TDFNode::LoadCompressDataByKey(nullptr, hgl::String(u"k"), hgl::String(u"blob"), dest, 16), -1);
    EXPECT_EQ(hgl::TDFNode::LoadCompressImage(nullptr, hgl::String(u"pic"), back, 2, 2, 3), -1);
    EXPECT_EQ(hgl::TDFNode::LoadCompressImageByKey(nullptr, hgl::String(u"m2"), hgl::String(u"pic2"), back, 1, 4, 3),
              -1);
    EXPECT_EQ(hgl::TDFNode::LoadCompressData(&t, hgl::String(u"blob"), dest, 3), 3);
    EXPECT_EQ(hgl::TDFNode::LoadCompressImage(&t, hgl::String(u"pic"), back, 2, 2, 3), 12);

    // A method that cannot decode these bytes produces nothing.
    t.SetString(u"压缩算法", hgl::String(u"NoSuchMethod"));
    EXPECT_EQ(t.LoadCompressData(hgl::String(u"blob"), dest, 16), 0);
}

TEST(TDFEdge, FilesAndArchives)
{
    hgl::test::TempDir dir("tdfedge");
    hgl::TDFNode t;
    t.SetInt32(u"v", 42);
    const std::u16string path = dir.File16("save.tdf");
    ASSERT_TRUE(t.SaveToFile(path.c_str()));
    EXPECT_EQ(dir.ReadFile("save.tdf").size(), SaveBytes(t).size());
    EXPECT_TRUE(dir.List() == std::vector<std::string>{"save.tdf"}); // no temporaries left

    {
        hgl::FileStream fs;
        ASSERT_TRUE(fs.Open(path.c_str(), 2));
        hgl::TDFNode fromstream(&fs);
        hgl::int32 w = 0;
        EXPECT_TRUE(fromstream.GetInt32(u"v", w));
        EXPECT_EQ(w, 42);
        EXPECT_EQ(int64_t(fs.Position), int64_t(fs.Size)); // the stream stands after the tree
    }
    hgl::TDFNode fromfile(path.c_str());
    hgl::int32 v = 0;
    EXPECT_TRUE(fromfile.GetInt32(u"v", v));
    EXPECT_EQ(v, 42);
    hgl::TDFNode loaded;
    loaded.SetInt32(u"old", 1);
    ASSERT_TRUE(loaded.LoadFromFile(path.c_str()));
    EXPECT_EQ(loaded.FindChild(hgl::String(u"old")), nullptr); // cleared first
    EXPECT_TRUE(loaded.GetInt32(u"v", v));
    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(loaded.LoadFromFile(dir.File16("missing.tdf").c_str()));
        hgl::TDFNode none(dir.File16("missing.tdf").c_str());
        EXPECT_EQ(none.FindChild(hgl::String(u"v")), nullptr);
    }

    // Through an archive (a folder stands in for one).
    ASSERT_TRUE(dir.MakeDir("pack"));
    ASSERT_TRUE(t.SaveToFile(dir.File16("pack/in.tdf").c_str()));
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("pack").c_str()));
    ASSERT_NE(hac, nullptr);
    hgl::TDFNode fromhac(hac.get(), u"in.tdf");
    v = 0;
    EXPECT_TRUE(fromhac.GetInt32(u"v", v));
    EXPECT_EQ(v, 42);
    hgl::TDFNode nohac(nullptr, u"in.tdf");
    EXPECT_EQ(nohac.FindChild(hgl::String(u"v")), nullptr);

    // A save that cannot be written reports it and leaves the old file alone.
    if (geteuid() != 0)
    {
        ASSERT_TRUE(dir.MakeDir("ro"));
        ASSERT_TRUE(t.SaveToFile(dir.File16("ro/g.tdf").c_str()));
        const std::string before = dir.ReadFile("ro/g.tdf");
        ASSERT_EQ(chmod(dir.File("ro").c_str(), 0555), 0);
        hgl::TDFNode other;
        other.SetString(u"new", hgl::String(u"data"));
        hgl::test::LogCapture log;
        EXPECT_FALSE(other.SaveToFile(dir.File16("ro/g.tdf").c_str()));
        chmod(dir.File("ro").c_str(), 0755);
        EXPECT_EQ(dir.ReadFile("ro/g.tdf"), before);
    }
    hgl::test::LogCapture log;
    EXPECT_FALSE(t.SaveToFile(dir.File16("no/such/folder/x.tdf").c_str()));
}

TEST(TDFEdge, TruncatedAndDamagedInput)
{
    hgl::TDFNode t;
    t.SetString(u"name", hgl::String(u"value"));
    hgl::TDFNode *sub = t.AddChild(hgl::String(u"sub"));
    sub->SetInt64(u"n", 99);
    sub->SetData(u"d", "12345", 5);
    t.SetInt16(u"z", 3);
    const Bytes full = SaveBytes(t);

    for (size_t cut = 0; cut <= full.size(); ++cut)
    {
        hgl::TDFNode part;
        LoadBytes(part, Bytes(full.begin(), full.begin() + long(cut)));
        const Bytes re = SaveBytes(part);
        hgl::TDFNode twice;
        LoadBytes(twice, re);
        if (cut == full.size())
        {
            EXPECT_EQ(SaveBytes(twice), full);
        }
        hgl::TDFNode thrice;
        LoadBytes(thrice, SaveBytes(twice));
        EXPECT_EQ(SaveBytes(thrice), re) << cut;
    }

    // Counts and sizes far beyond the bytes present are refused without
    // allocating them.
    Bytes huge_children;
    AppendText(huge_children, u"r");
    AppendU32(huge_children, 0);
    AppendU32(huge_children, 0xFFFFFFFFu);
    hgl::TDFNode a;
    LoadBytes(a, huge_children);
    EXPECT_LE(SaveBytes(a).size(), 64u);

    Bytes huge_data;
    AppendText(huge_data, u"r");
    AppendU32(huge_data, 0xFFFFFFF0u);
    AppendU32(huge_data, 0);
    hgl::TDFNode b;
    LoadBytes(b, huge_data);
    EXPECT_LE(SaveBytes(b).size(), 64u);

    Bytes deep;
    for (int i = 0; i < 100000; ++i)
    {
        AppendText(deep, u"d");
        AppendU32(deep, 0);
        AppendU32(deep, 1);
    }
    hgl::TDFNode c;
    LoadBytes(c, deep);
    SUCCEED();
}

TEST(TDFEdge, LoadsFromWindowsAndMidStream)
{
    hgl::TDFNode t;
    t.SetString(u"title", hgl::String(u"标题"));
    t.AddChild(hgl::String(u"kid"))->SetInt32(u"n", 5);
    const Bytes tree = SaveBytes(t);

    hgl::test::TempDir dir("tdfwin");
    hgl::hacpack::HacWriter w;
    w.root.Add(u"first.bin", std::string(37, 'q'));
    w.root.Add(u"Saves\\Game.TDF", std::vector<uint8_t>(tree));
    std::string err;
    ASSERT_TRUE(w.WriteFile(dir.File("pack.hac"), &err)) << err;
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("pack.hac").c_str()));
    ASSERT_NE(hac, nullptr);
    hgl::TDFNode fromhac(hac.get(), u"saves\\game.tdf");
    hgl::TDFNode frommem;
    LoadBytes(frommem, tree);
    EXPECT_EQ(SaveBytes(fromhac), SaveBytes(frommem));
    hgl::String s;
    EXPECT_TRUE(fromhac.GetString(u"title", s));
    EXPECT_EQ(s, u"标题");

    // A tree that begins in the middle of a file, followed by other bytes.
    std::string mixed = "HEAD!";
    mixed.append(tree.begin(), tree.end());
    mixed += "TAIL";
    ASSERT_TRUE(dir.WriteFile("mixed.bin", mixed));
    hgl::FileStream fs;
    ASSERT_TRUE(fs.Open(dir.File16("mixed.bin").c_str(), 2));
    fs.Position = 5;
    hgl::TDFNode mid(&fs);
    EXPECT_EQ(int64_t(fs.Position), int64_t(5 + tree.size()));
    char tail[4];
    EXPECT_EQ(fs.Read(tail, 4), 4);
    EXPECT_EQ(std::string(tail, 4), "TAIL");
    hgl::int32 n = 0;
    ASSERT_NE(mid.FindChild(hgl::String(u"kid")), nullptr);
    EXPECT_TRUE(mid.FindChild(hgl::String(u"kid"))->GetInt32(u"n", n));
    EXPECT_EQ(n, 5);
}
