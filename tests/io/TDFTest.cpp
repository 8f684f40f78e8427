// TDF trees: the byte layout (checked against trees written by hand, so a matching
// fault in Save and Load cannot hide), child order, values, compressed blocks,
// damaged input and safe saving.
#include "ArchiveTestUtil.h"

#include "io/Compress.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/StringList.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "support/LogCapture.h"

#include <cstring>

#include <sys/stat.h>

using archive_test::ByteWriter;
using hgl::MemStream;
using hgl::String;
using hgl::TDFNode;
using hgl::test::TempDir;
using Bytes = std::vector<uint8_t>;

namespace
{
Bytes Saved(const TDFNode &n)
{
    MemStream ms;
    EXPECT_TRUE(n.Save(&ms));
    return Bytes(ms.GetData(), ms.GetData() + int64_t(ms.Size));
}

bool Reload(TDFNode &into, const Bytes &bytes)
{
    MemStream ms;
    if (!bytes.empty()) ms.Write(bytes.data(), int(bytes.size()));
    ms.Position = 0;
    into.Clear();
    return into.Load(&ms);
}

// A node's head: name, data block and child count.
ByteWriter &Node(ByteWriter &w, const std::u16string &name, const Bytes &data, uint32_t children)
{
    return w.Text(name).U32(uint32_t(data.size())).Raw(data).U32(children);
}

Bytes TextBlock(const std::u16string &s)
{
    return ByteWriter().Text(s).b;
}

// The data block of the child named key.
Bytes Block(TDFNode &n, const char16_t *key)
{
    TDFNode *c = n.FindChild(String(key));
    if (!c) return {0xEE};
    return Bytes(c->GetStream()->GetData(), c->GetStream()->GetData() + c->GetStream()->GetSize());
}
} // namespace

TEST(TDF, HandWrittenTreeLoadsAndSavesReversed)
{
    TDFNode empty;
    empty.SetName(u"a");
    EXPECT_EQ(Saved(empty), (Bytes{1, 0, 0, 0, 0x61, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // root "设置" with data 01 02 03 and three children as stored in the file:
    // "x" (int32 5), "名" (text "hi") holding one grandchild "g" (1 byte), "x" (int16 7).
    ByteWriter in;
    Node(in, u"设置", {1, 2, 3}, 3);
    Node(in, u"x", {5, 0, 0, 0}, 0);
    Node(in, u"名", TextBlock(u"hi"), 1);
    Node(in, u"g", {9}, 0);
    Node(in, u"x", {7, 0}, 0);
    const Bytes file = in.b;
    MemStream ms;
    ms.Write(file.data(), int(file.size()));
    ms.Write("tail", 4);
    ms.Position = 0;
    TDFNode root(&ms);
    EXPECT_EQ(int64_t(ms.Position), int64_t(file.size())); // the stream stands after the tree

    EXPECT_EQ(root.GetName().ToStdString(), u"设置");
    ASSERT_EQ(root.GetChildCount(), 3);
    EXPECT_EQ(root.GetStream()->GetSize(), 3);
    EXPECT_EQ(std::memcmp(root.GetStream()->GetData(), "\x01\x02\x03", 3), 0);
    // Loaded in the order read; the later of equal names wins a look-up.
    EXPECT_EQ(root.GetChild(0)->GetName().ToStdString(), u"x");
    EXPECT_EQ(root.GetChild(1)->GetName().ToStdString(), u"名");
    EXPECT_EQ(root.FindChild(String(u"x")), root.GetChild(2));
    EXPECT_EQ(root.FindChild(String(u"X")), nullptr);
    int16_t i16 = 0;
    EXPECT_TRUE(root.GetInt16(u"x", i16));
    EXPECT_EQ(i16, 7);
    int32_t i32 = 0;
    EXPECT_FALSE(root.GetInt32(u"x", i32)); // the later "x" holds 2 bytes
    String s;
    EXPECT_TRUE(root.GetString(u"名", s));
    EXPECT_EQ(s.ToStdString(), u"hi");
    TDFNode *named = root.FindChild(String(u"名"));
    ASSERT_NE(named, nullptr);
    int8_t i8 = 0;
    EXPECT_TRUE(named->GetInt8(u"g", i8));
    EXPECT_EQ(i8, 9);

    // Save writes every node's children last to first.
    ByteWriter out;
    Node(out, u"设置", {1, 2, 3}, 3);
    Node(out, u"x", {7, 0}, 0);
    Node(out, u"名", TextBlock(u"hi"), 1);
    Node(out, u"g", {9}, 0);
    Node(out, u"x", {5, 0, 0, 0}, 0);
    EXPECT_EQ(Saved(root), out.b);

    // The same bytes through a file; two reversals give the first order again.
    TempDir dir;
    ASSERT_TRUE(root.SaveToFile(dir.File16("t.tdf").c_str()));
    const std::string onDisk = dir.ReadFile("t.tdf");
    EXPECT_EQ(Bytes(onDisk.begin(), onDisk.end()), out.b);
    TDFNode fromFile(dir.File16("t.tdf").c_str());
    EXPECT_EQ(Saved(fromFile), file);

    // Load adds to what the node holds; Clear empties everything.
    MemStream again;
    const Bytes one = Saved(empty);
    again.Write(one.data(), int(one.size()));
    again.Position = 0;
    ASSERT_TRUE(root.Load(&again));
    EXPECT_NE(root.FindChild(String(u"名")), nullptr);
    root.Clear();
    EXPECT_EQ(root.FindChild(String(u"名")), nullptr);
    EXPECT_EQ(Saved(root), Bytes(12, 0));
}

TEST(TDF, CompressedBlocks)
{
    TDFNode t;
    const uint8_t pixels[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // A method that cannot make the picture smaller: stored raw, the key child
    // "压缩算法" holding an empty text.
    EXPECT_TRUE(t.SaveCompressImage(String(u"pic"), pixels, 2, 2, 3, String(u"NoSuchMethod"), 0));
    EXPECT_EQ(Block(t, u"压缩算法"), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Block(t, u"pic"), Bytes(pixels, pixels + 12));
    uint8_t back[12] = {};
    EXPECT_EQ(t.LoadCompressImage(String(u"pic"), back, 2, 2, 3), 12);
    EXPECT_EQ(0, std::memcmp(back, pixels, 12));
    EXPECT_EQ(t.LoadCompressImage(String(u"nothing"), back, 2, 2, 3), -1);
    EXPECT_FALSE(t.SaveCompressImage(String(u"huge"), pixels, 1 << 16, 1 << 16, 4, String(u"Zip")));

    t.SaveCompressImageByKey(String(u"m2"), String(u"pic2"), pixels, 1, 4, 3, String(u""), 0);
    EXPECT_EQ(Block(t, u"m2"), (Bytes{0, 0, 0, 0}));
    uint8_t small[5] = {};
    EXPECT_EQ(t.LoadCompressDataByKey(String(u"m2"), String(u"pic2"), small, 5), 5);
    EXPECT_EQ(0, std::memcmp(small, pixels, 5));

    // Raw blocks are clipped to the destination or to the data.
    t.SetData(u"shortpic", pixels, 5);
    EXPECT_EQ(t.LoadCompressImage(String(u"shortpic"), back, 2, 2, 3), 5);
    t.SetData(u"blob", "abcdefgh", 8);
    char dest[16] = {};
    EXPECT_EQ(t.LoadCompressData(String(u"blob"), dest, 3), 3);
    EXPECT_EQ(std::string(dest, 3), "abc");
    EXPECT_EQ(t.LoadCompressData(String(u"blob"), dest, 16), 8);
    EXPECT_EQ(t.LoadCompressData(String(u"none"), dest, 16), -1);
    // Through a node that may be missing: null gives -1.
    EXPECT_EQ(TDFNode::LoadCompressData(nullptr, String(u"blob"), dest, 16), -1);
    EXPECT_EQ(TDFNode::LoadCompressDataByKey(nullptr, String(u"k"), String(u"blob"), dest, 16), -1);
    EXPECT_EQ(TDFNode::LoadCompressImage(nullptr, String(u"pic"), back, 2, 2, 3), -1);
    EXPECT_EQ(TDFNode::LoadCompressImageByKey(nullptr, String(u"m2"), String(u"pic2"), back, 1, 4, 3), -1);
    EXPECT_EQ(TDFNode::LoadCompressData(&t, String(u"blob"), dest, 3), 3);

    // A method that cannot decode these bytes produces nothing.
    t.SetString(u"压缩算法", String(u"NoSuchMethod"));
    EXPECT_EQ(t.LoadCompressData(String(u"blob"), dest, 16), 0);

    // Through the Zip plug-in.
    archive_test::UseBuildPlugIns();
    ASSERT_NE(hgl::GetCompressInterface(String(u"Zip")), nullptr) << "the Zip plug-in is needed";
    std::vector<uint8_t> flat(64 * 64 * 4, 0x42);
    TDFNode z;
    EXPECT_TRUE(z.SaveCompressImage(u"pic", flat.data(), 64, 64, 4, String(u"Zip")));
    String method;
    EXPECT_TRUE(z.GetString(hgl::TDFCompressKey, method));
    EXPECT_EQ(method, u"Zip");
    EXPECT_LT(Block(z, u"pic").size(), flat.size());
    std::vector<uint8_t> got(flat.size());
    EXPECT_EQ(z.LoadCompressImage(u"pic", got.data(), 64, 64, 4), int(flat.size()));
    EXPECT_EQ(got, flat);
}

TEST(TDF, DamagedInputStopsCleanly)
{
    TDFNode t;
    t.SetName(u"root");
    t.SetInt32(u"a", 1);
    TDFNode *c = t.AddChild(u"child");
    c->SetString(u"s", String(u"some text"));
    c->AddChild(u"deeper")->SetInt64(u"v", 99);
    const auto bytes = Saved(t);

    // Cut anywhere (the tdf_load fuzz target tries every cut): what was read is a
    // prefix of the tree that saves again.
    const size_t cut = bytes.size() / 2;
    TDFNode n;
    EXPECT_FALSE(Reload(n, Bytes(bytes.begin(), bytes.begin() + long(cut))));
    EXPECT_LE(Saved(n).size(), bytes.size());
    TDFNode full;
    EXPECT_TRUE(Reload(full, bytes));
    EXPECT_EQ(Saved(full).size(), bytes.size());

    // Counts and sizes beyond the data are refused without allocating for them.
    TDFNode h;
    Reload(h, ByteWriter().Text(u"r").U32(0x7FFFFFFF).b);
    EXPECT_EQ(h.GetChildCount(), 0);
    Reload(h, ByteWriter().Text(u"r").U32(0xFFFFFFF0u).U32(0).b);
    EXPECT_LE(Saved(h).size(), 64u);
    Reload(h, ByteWriter().Text(u"r").U32(0).U32(0xFFFFFFFFu).U32(0).b);
    EXPECT_EQ(h.GetChildCount(), 0);

    // Nesting deeper than the limit ends the load.
    ByteWriter deep;
    for (int i = 0; i < 400; ++i)
        deep.U32(0).U32(0).U32(1);
    TDFNode dn;
    EXPECT_FALSE(Reload(dn, deep.b));
}

TEST(TDF, FilesAndArchives)
{
    TempDir dir("tdf");
    TDFNode t;
    t.SetName(u"cfg");
    t.SetInt32(u"Volume", 80);
    const std::u16string path = dir.File16("Config.TDF");
    ASSERT_TRUE(t.SaveToFile(path.c_str()));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"Config.TDF"}); // no temporaries left

    TDFNode r(path.c_str());
    int32_t v = 0;
    EXPECT_TRUE(r.GetInt32(u"Volume", v));
    EXPECT_EQ(v, 80);
    TDFNode r2;
    r2.SetInt32(u"old", 1);
    EXPECT_TRUE(r2.LoadFromFile(dir.File16("config.tdf").c_str()));
    EXPECT_EQ(r2.GetName(), u"cfg");
    EXPECT_EQ(r2.FindChild(String(u"old")), nullptr); // cleared first
    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(r2.LoadFromFile(dir.File16("none.tdf").c_str()));
        TDFNode none(dir.File16("none.tdf").c_str());
        EXPECT_EQ(none.GetChildCount(), 0);
    }

    // From an archive, at an offset inside it.
    hgl::hacpack::HacWriter w;
    w.root.Add(u"first.bin", std::string(37, 'q'));
    const Bytes saved = Saved(t);
    w.root.Add(u"save\\Config.TDF", Bytes(saved));
    auto hac = archive_test::Mount(dir, w);
    ASSERT_TRUE(hac);
    TDFNode fromHac(hac.get(), u"Save\\config.tdf");
    EXPECT_EQ(Saved(fromHac), saved);
    TDFNode noHac(nullptr, u"save\\config.tdf");
    EXPECT_EQ(noHac.GetChildCount(), 0);

    // The temporary file cannot be made (a folder is in its place): false, and the
    // old file is untouched.
    {
        const std::string before = dir.ReadFile("Config.TDF");
        ASSERT_TRUE(dir.MakeDir("Config.TDF.tmp"));
        t.SetInt32(u"Volume", 10);
        hgl::test::LogCapture log;
        EXPECT_FALSE(t.SaveToFile(path.c_str()));
        EXPECT_EQ(dir.ReadFile("Config.TDF"), before);
        EXPECT_FALSE(t.SaveToFile(dir.File16("no/such/folder/x.tdf").c_str()));
    }
}
