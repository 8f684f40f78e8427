// The buffered reader: what it gives equals what the parent holds from where it
// stood, in few positioned reads of the parent, whatever the piece sizes.
#include "io/BufferedReadStream.h"
#include "io/MemStream.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hgl;

namespace
{
// Counts the parent reads the buffer makes, and their sizes.
class CountingStream : public MemStream
{
  public:
    int reads = 0;
    std::vector<int> asked;

    explicit CountingStream(int n)
    {
        Create(n, false);
        for (int i = 0; i < n; ++i)
        {
            const uint8 b = uint8(i * 7 + i / 251);
            Write(&b, 1);
        }
        Position = 0;
    }
    int ReadAt(int64 offset, void *buf, int n) override
    {
        ++reads;
        asked.push_back(n);
        return MemStream::ReadAt(offset, buf, n);
    }
    uint8 At(int64 i) const { return GetData()[i]; }
};

struct Case
{
    const char *name;
    int total, start, buffer, piece;
    int parent_reads; // the reads the buffer needs for the whole rest
};

const Case kCases[] = {
    {"small pieces", 1000, 0, 256, 3, 6}, // 256 x 3 + 232; the short last piece and the next ask past the end
    {"from the middle", 1000, 500, 256, 7, 4},    // 256 + 244, then past the end twice
    {"whole buffers", 1024, 0, 256, 256, 5},      // straight through, then the end
    {"pieces over buffer", 1000, 0, 100, 250, 5}, // straight through, then the end
    {"one byte buffer", 10, 0, 0, 1, 11},
};

class BufferedReadStreamCases : public testing::TestWithParam<Case>
{
};
} // namespace

TEST_P(BufferedReadStreamCases, GivesTheParentsBytesInFewReads)
{
    const Case &c = GetParam();
    CountingStream parent(c.total);
    parent.Position = c.start;
    BufferedReadStream rb(&parent, c.buffer);
    EXPECT_EQ(rb.GetPosition(), c.start);
    EXPECT_EQ(rb.GetSize(), c.total);
    std::vector<uint8> got, piece(size_t(c.piece));
    for (int n; (n = rb.Read(piece.data(), c.piece)) > 0;)
        got.insert(got.end(), piece.begin(), piece.begin() + n);
    ASSERT_EQ(got.size(), size_t(c.total - c.start));
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], parent.At(c.start + int64(i))) << i;
    EXPECT_EQ(rb.GetPosition(), c.total);
    EXPECT_EQ(parent.reads, c.parent_reads);
    EXPECT_EQ(parent.Position, c.start); // the parent stays where it was
}

INSTANTIATE_TEST_SUITE_P(All, BufferedReadStreamCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case> &i)
                         {
                             std::string n = i.param.name;
                             for (char &ch : n)
                                 if (ch == ' ') ch = '_';
                             return n;
                         });

TEST(BufferedReadStream, MovingWithinTheBufferKeepsIt)
{
    CountingStream parent(1000);
    BufferedReadStream rb(&parent, 100);
    uint8 b[10];
    ASSERT_EQ(rb.Read(b, 10), 10);
    EXPECT_EQ(parent.reads, 1);
    rb.Position = 95; // still buffered
    ASSERT_EQ(rb.Read(b, 5), 5);
    EXPECT_EQ(b[0], parent.At(95));
    EXPECT_EQ(parent.reads, 1);
    rb.Position = 3; // back inside the buffer
    ASSERT_EQ(rb.Read(b, 1), 1);
    EXPECT_EQ(b[0], parent.At(3));
    EXPECT_EQ(parent.reads, 1);
    rb.Position = 0; // its very start
    ASSERT_EQ(rb.Read(b, 1), 1);
    EXPECT_EQ(b[0], parent.At(0));
    EXPECT_EQ(parent.reads, 1);
    rb.Position = 700; // elsewhere: refilled from there
    ASSERT_EQ(rb.Read(b, 2), 2);
    EXPECT_EQ(b[0], parent.At(700));
    EXPECT_EQ(b[1], parent.At(701));
    EXPECT_EQ(parent.reads, 2);
    EXPECT_EQ(rb.GetPosition(), 702);
}

TEST(BufferedReadStream, RefusesWhatItCannotDo)
{
    CountingStream parent(10);
    BufferedReadStream rb(&parent, 4);
    uint8 b[4];
    EXPECT_EQ(rb.Read(nullptr, 1), -1);
    EXPECT_EQ(rb.Read(b, -1), -1);
    EXPECT_EQ(rb.Read(b, 0), 0);
    EXPECT_EQ(rb.Write(b, 1), -1);
    EXPECT_EQ(parent.reads, 0);
    rb.Position = 20; // past the end: nothing more
    EXPECT_EQ(rb.Read(b, 4), 0);
    BufferedReadStream none(nullptr);
    EXPECT_EQ(none.Read(b, 4), 0);
    EXPECT_EQ(none.GetSize(), 0);
}
