// The fixture writer must produce exactly the layout the reader expects; these
// checks pin it byte for byte so that a reader bug cannot hide behind a matching
// writer bug.
#include "tools/hacpack/HacWriter.h"

#include <gtest/gtest.h>

using namespace hgl::hacpack;

TEST(HacWriter, OneStoredFileIsTheKnownEightyBytes)
{
    HacWriter w;
    w.root.Add(u"a.txt", std::string("hi"));
    std::vector<uint8_t> out;
    ASSERT_TRUE(w.Build(out));
    const std::vector<uint8_t> expect = {
        0x48, 0x41, 0x43, 0x2d, 0x33, 0x1a, 0x00, 0x00, 0x68, 0x69, 0x04, 0x00, 0x00, 0x00, 0x72, 0x00, 0x6f, 0x00, 0x6f, 0x00,
        0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x61, 0x00, 0x2e, 0x00, 0x74, 0x00,
        0x78, 0x00, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00};
    EXPECT_EQ(out, expect);
}

TEST(HacWriter, SortsDescendingAndRefusesDuplicatesAndLongMethods)
{
    HacWriter w;
    w.root.Add(u"a", std::string("1"));
    w.root.Add(u"AB", std::string("2"));
    w.root.Add(u"b", std::string("3"));
    std::vector<uint8_t> out;
    ASSERT_TRUE(w.Build(out));
    // Directory: root name, 0 folders, 3 files; first file name must be "b", then "AB", then "a".
    uint32_t dir = out[out.size() - 4] | out[out.size() - 3] << 8;
    size_t p = dir + 4 + 8 + 4 + 4 + 4;   // "root" text, sub count, file count, first name count
    EXPECT_EQ(out[p], 'b');

    HacWriter dup;
    dup.root.Add(u"x\\Name.txt", std::string("1"));
    dup.root.Add(u"X/name.TXT", std::string("2"));
    std::string err;
    EXPECT_FALSE(dup.Build(out, &err));
    EXPECT_NE(err.find("duplicate"), std::string::npos);

    HacWriter longm;
    longm.root.Add(u"f", std::string("1"), std::u16string(32, u'm'));
    EXPECT_FALSE(longm.Build(out, &err));
}
