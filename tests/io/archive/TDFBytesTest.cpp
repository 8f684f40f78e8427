// TDF trees written byte by byte, independent of Save, so that a matching fault in
// the writer and the reader cannot hide; and the exact bytes Save produces for them.
#include "ArchiveTestUtil.h"

#include "io/MemStream.h"
#include "io/TDF.h"

#include <cstring>

using hgl::MemStream;
using hgl::String;
using hgl::TDFNode;
using hgl::test::TempDir;

namespace
{
struct Bytes
{
    std::vector<uint8_t> b;
    Bytes &U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    Bytes &Text(const std::u16string &s)
    {
        U32(uint32_t(s.size()));
        for (char16_t c : s)
            b.push_back(uint8_t(c & 0xFF)), b.push_back(uint8_t(c >> 8));
        return *this;
    }
    Bytes &Raw(const std::vector<uint8_t> &r)
    {
        b.insert(b.end(), r.begin(), r.end());
        return *this;
    }
    // A node's head: name, data block and child count.
    Bytes &Node(const std::u16string &name, const std::vector<uint8_t> &data, uint32_t children)
    {
        Text(name).U32(uint32_t(data.size())).Raw(data);
        return U32(children);
    }
};

std::vector<uint8_t> TextBlock(const std::u16string &s) { return Bytes().Text(s).b; }

std::vector<uint8_t> SaveBytes(const TDFNode &n)
{
    MemStream ms;
    EXPECT_TRUE(n.Save(&ms));
    return std::vector<uint8_t>(ms.GetData(), ms.GetData() + int64_t(ms.Size));
}
} // namespace

TEST(TDF, HandWrittenTreeLoadsAndSavesReversed)
{
    // root "设置" with data 01 02 03 and three children as stored in the file:
    // "x" (int32 5), "名" (text "hi") holding one grandchild "g" (1 byte), "x" (int16 7).
    const std::vector<uint8_t> file = Bytes()
                                          .Node(u"设置", {1, 2, 3}, 3)
                                          .Node(u"x", {5, 0, 0, 0}, 0)
                                          .Node(u"名", TextBlock(u"hi"), 1)
                                          .Node(u"g", {9}, 0)
                                          .Node(u"x", {7, 0}, 0)
                                          .b;
    MemStream ms;
    ms.Write(file.data(), int(file.size()));
    ms.Position = 0;
    TDFNode root(&ms);
    EXPECT_EQ(int64_t(ms.Position), int64_t(file.size()));

    EXPECT_EQ(root.GetName().ToStdString(), u"设置");
    ASSERT_EQ(root.GetChildCount(), 3);
    EXPECT_EQ(root.GetStream()->GetSize(), 3);
    EXPECT_EQ(std::memcmp(root.GetStream()->GetData(), "\x01\x02\x03", 3), 0);
    // Loaded in the order read; the later "x" wins a look-up.
    EXPECT_EQ(root.GetChild(0)->GetName().ToStdString(), u"x");
    EXPECT_EQ(root.GetChild(1)->GetName().ToStdString(), u"名");
    EXPECT_EQ(root.FindChild(String(u"x")), root.GetChild(2));
    int16_t i16 = 0;
    EXPECT_TRUE(root.GetInt16(u"x", i16));
    EXPECT_EQ(i16, 7);
    int32_t i32 = 0;
    EXPECT_FALSE(root.GetInt32(u"x", i32));   // the later "x" holds 2 bytes
    String s;
    EXPECT_TRUE(root.GetString(u"名", s));
    EXPECT_EQ(s.ToStdString(), u"hi");
    hgl::u16char text[8];
    EXPECT_TRUE(root.GetText(u"名", text));
    EXPECT_EQ(std::u16string(text), u"hi");
    TDFNode *named = root.FindChild(String(u"名"));
    ASSERT_NE(named, nullptr);
    int8_t i8 = 0;
    EXPECT_TRUE(named->GetInt8(u"g", i8));
    EXPECT_EQ(i8, 9);

    // Save writes every node's children last to first.
    const std::vector<uint8_t> saved = Bytes()
                                           .Node(u"设置", {1, 2, 3}, 3)
                                           .Node(u"x", {7, 0}, 0)
                                           .Node(u"名", TextBlock(u"hi"), 1)
                                           .Node(u"g", {9}, 0)
                                           .Node(u"x", {5, 0, 0, 0}, 0)
                                           .b;
    EXPECT_EQ(SaveBytes(root), saved);

    // The same bytes through a file.
    TempDir dir;
    ASSERT_TRUE(root.SaveToFile(dir.File16("t.tdf").c_str()));
    const std::string onDisk = dir.ReadFile("t.tdf");
    EXPECT_EQ(std::vector<uint8_t>(onDisk.begin(), onDisk.end()), saved);
    TDFNode fromFile(dir.File16("t.tdf").c_str());
    EXPECT_EQ(SaveBytes(fromFile), file);   // two reversals: the first order again
}

TEST(TDF, ValueBlocksHoldExactlyTheValue)
{
    TDFNode n;
    n.SetBool(u"b", true);
    n.SetInt8(u"c", -2);
    n.SetInt16(u"s", 0x1234);
    n.SetUInt32(u"u", 0x01020304u);
    n.SetInt32(u"i", -1);
    n.SetFloat(u"f", 1.0f);
    n.SetInt64(u"l", 0x0102030405060708LL);
    n.SetString(u"t", String(u"ab"));
    n.SetData(u"d", "xyz", 3);
    const auto block = [&](const char16_t *k) {
        TDFNode *c = n.FindChild(String(k));
        return c ? std::vector<uint8_t>(c->GetStream()->GetData(), c->GetStream()->GetData() + c->GetStream()->GetSize())
                 : std::vector<uint8_t>{0xEE};
    };
    EXPECT_EQ(block(u"b"), (std::vector<uint8_t>{1}));
    EXPECT_EQ(block(u"c"), (std::vector<uint8_t>{0xFE}));
    EXPECT_EQ(block(u"s"), (std::vector<uint8_t>{0x34, 0x12}));
    EXPECT_EQ(block(u"u"), (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(block(u"i"), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(block(u"f"), (std::vector<uint8_t>{0, 0, 0x80, 0x3F}));
    EXPECT_EQ(block(u"l"), (std::vector<uint8_t>{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(block(u"t"), (std::vector<uint8_t>{2, 0, 0, 0, 'a', 0, 'b', 0}));
    EXPECT_EQ(block(u"d"), (std::vector<uint8_t>{'x', 'y', 'z'}));

    // A compressed block stored raw: the key child "压缩算法" holds an empty text.
    const uint8_t px[4] = {1, 2, 3, 4};
    n.SaveCompressImage(String(u"img"), px, 1, 1, 4, String(u""), 0);
    EXPECT_EQ(block(u"压缩算法"), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(block(u"img"), (std::vector<uint8_t>{1, 2, 3, 4}));
    uint8_t out[4] = {};
    EXPECT_EQ(n.LoadCompressImage(String(u"img"), out, 1, 1, 4), 4);
    EXPECT_EQ(std::memcmp(out, px, 4), 0);
    EXPECT_EQ(n.LoadCompressData(String(u"missing"), out, 4), -1);
}
