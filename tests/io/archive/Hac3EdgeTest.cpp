// HAC-3 archives assembled byte by byte here (not through the writer), so the
// reader is checked against the file layout itself: field order and widths, the
// descending sort, the separator rules and the refusal of damaged directories.
#include "ArchiveTestUtil.h"

#include "io/HAC.h"
#include "io/HAC3.h"
#include "io/MemStream.h"
#include "io/OpenHAC.h"
#include "io/Stream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "tools/hacpack/HacWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
using archive_test::AppendText;
using archive_test::AppendU32;
using archive_test::Drain;
using archive_test::Take;
using Bytes = std::vector<uint8_t>;

struct RawFile
{
    std::u16string name, method;
    uint32_t size = 0, stored = 0, offset = 0;
};

void PutFileRecord(Bytes &b, const RawFile &f)
{
    AppendText(b, f.name);
    AppendText(b, f.method);
    AppendU32(b, f.size);
    AppendU32(b, f.stored);
    for (int i = 0; i < 16; ++i)
        b.push_back(uint8_t(0xA0 + i)); // reserved: kept, never interpreted
    AppendU32(b, f.offset);
}

Bytes Header()
{
    return Bytes{0x48, 0x41, 0x43, 0x2D, 0x33, 0x1A, 0x00, 0x00};
}

// Appends the bytes as a file body and returns its offset.
uint32_t Body(Bytes &b, const std::string &content)
{
    const uint32_t at = uint32_t(b.size());
    b.insert(b.end(), content.begin(), content.end());
    return at;
}

std::unique_ptr<hgl::HAC3> Reader(const Bytes &bytes)
{
    auto *ms = new hgl::MemStream(int64_t(bytes.size()), false);
    EXPECT_EQ(ms->Write(bytes.data(), int(bytes.size())), int(bytes.size()));
    ms->Position = 0;
    return std::make_unique<hgl::HAC3>(ms);
}

// A two-level archive: root "ROOT" holds folder "Dir" (files "Zeta.txt",
// "File.TXT", "ab", "a", in descending lower-case order) and folder "a/b" (file
// "c.txt"), plus a root file "Top".
struct TwoLevel
{
    Bytes bytes;
    uint32_t twenty_at = 0;
};

TwoLevel MakeTwoLevel()
{
    TwoLevel t;
    Bytes &b = t.bytes;
    b = Header();
    const uint32_t zeta = Body(b, "zeta!");
    const uint32_t file = Body(b, "two-level");
    const uint32_t ab = Body(b, "AB");
    const uint32_t a = Body(b, "A");
    const uint32_t c = Body(b, "see");
    const uint32_t top = Body(b, "top");
    t.twenty_at = Body(b, "0123456789abcdefghij");
    const uint32_t D = uint32_t(b.size());
    AppendText(b, u"ROOT");
    AppendU32(b, 2); // "dir" > "a/b"
    {
        AppendText(b, u"Dir");
        AppendU32(b, 0);
        AppendU32(b, 4);
        PutFileRecord(b, {u"Zeta.txt", u"", 5, 5, zeta});
        PutFileRecord(b, {u"File.TXT", u"", 9, 9, file});
        PutFileRecord(b, {u"ab", u"", 2, 2, ab});
        PutFileRecord(b, {u"a", u"", 1, 1, a});
    }
    {
        AppendText(b, u"a/b");
        AppendU32(b, 0);
        AppendU32(b, 1);
        PutFileRecord(b, {u"c.txt", u"", 3, 3, c});
    }
    AppendU32(b, 3); // "twenty" > "top" > "odd"
    PutFileRecord(b, {u"twenty", u"", 20, 20, t.twenty_at});
    PutFileRecord(b, {u"Top", u"", 3, 3, top});
    PutFileRecord(b, {u"odd", u"NoSuchMethod", 3, 3, top}); // unknown method: stored
    AppendU32(b, D);
    return t;
}
} // namespace

TEST(Hac3Edge, KnownGoodEightyByteArchiveThroughOpenHAC)
{
    const Bytes eighty = {
        0x48, 0x41, 0x43, 0x2d, 0x33, 0x1a, 0x00, 0x00, 0x68, 0x69, 0x04, 0x00, 0x00, 0x00, 0x72, 0x00, 0x6f, 0x00, 0x6f, 0x00,
        0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x61, 0x00, 0x2e, 0x00, 0x74, 0x00,
        0x78, 0x00, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00};
    ASSERT_EQ(eighty.size(), 80u);
    hgl::test::TempDir dir("hac3edge");
    ASSERT_TRUE(dir.WriteFile("eighty.hac", eighty));
    const std::u16string path = dir.File16("eighty.hac");

    hgl::test::LogCapture log;
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(path.c_str()));
    ASSERT_NE(hac, nullptr) << log.Dump();
    EXPECT_TRUE(log.ContainsInfo(u"打开HAC包<" + path + u">完成！")) << log.Dump();

    EXPECT_EQ(hac->GetFileCount(nullptr), 1);
    hgl::String name;
    int size = -1;
    EXPECT_TRUE(hac->GetFileByIndex(nullptr, 0, name, size));
    EXPECT_EQ(name, u"a.txt");
    EXPECT_EQ(size, 2);
    EXPECT_FALSE(hac->GetFileByIndex(nullptr, -1, name, size));
    EXPECT_FALSE(hac->GetFileByIndex(nullptr, 1, name, size));

    void *buf = nullptr;
    int n = -1;
    ASSERT_TRUE(hac->LoadFile(u"A.TXT", &buf, &n));
    EXPECT_EQ(Take(buf, n), "hi");
    EXPECT_EQ(hac->FindFolder(nullptr), hac->FindFolder(u""));
    EXPECT_NE(hac->FindFolder(nullptr), nullptr);
    hac.reset();

    // The two bytes after the magic are not interpreted.
    Bytes other = eighty;
    other[6] = 0xFF;
    other[7] = 0x7E;
    ASSERT_TRUE(dir.WriteFile("other.hac", other));
    hac.reset(hgl::OpenHAC(dir.File16("other.hac").c_str()));
    ASSERT_NE(hac, nullptr) << log.Dump();
    EXPECT_TRUE(hac->FileExist(u"a.txt"));
}

TEST(Hac3Edge, RecordFieldsAndLookupRules)
{
    const TwoLevel t = MakeTwoLevel();
    auto hac = Reader(t.bytes);
    ASSERT_TRUE(hac->IsValid());

    // The stored names are lower-cased; listings keep the stored order.
    void *dirh = hac->FindFolder(u"DIR");
    ASSERT_NE(dirh, nullptr);
    EXPECT_EQ(hac->GetFileCount(dirh), 4);
    const char16_t *expect_names[] = {u"zeta.txt", u"file.txt", u"ab", u"a"};
    const int expect_sizes[] = {5, 9, 2, 1};
    for (int i = 0; i < 4; ++i)
    {
        hgl::String name;
        int size = 0;
        ASSERT_TRUE(hac->GetFileByIndex(dirh, i, name, size));
        EXPECT_EQ(name, expect_names[i]);
        EXPECT_EQ(size, expect_sizes[i]);
    }
    auto *rec = static_cast<hgl::Hac3File *>(hac->FindFile(dirh, u"zeta.txt"));
    ASSERT_NE(rec, nullptr);

    // Capitals, lower case and '/' reach the same file through the lower-casing
    // operations.
    for (const char16_t *p : {u"Dir\\File.TXT", u"dir\\file.txt", u"DIR/FILE.TXT", u"dir/file.txt"})
    {
        SCOPED_TRACE(hgl::test::U8(p));
        EXPECT_TRUE(hac->FileExist(p));
        void *buf = nullptr;
        int n = -1;
        ASSERT_TRUE(hac->LoadFile(p, &buf, &n));
        EXPECT_EQ(Take(buf, n), "two-level");
        EXPECT_EQ(Drain(hac->LoadFileStream(p, false)), "two-level");
        EXPECT_EQ(Drain(hac->LoadFileStream(p, true)), "two-level");
        EXPECT_TRUE(hac->FileExistInFolder(nullptr, p));
    }

    // FindFile compares the path as given: capitals miss and zero the size.
    int size = -1;
    EXPECT_NE(hac->FindFile(nullptr, u"dir\\file.txt", &size), nullptr);
    EXPECT_EQ(size, 9);
    size = -1;
    EXPECT_EQ(hac->FindFile(nullptr, u"Dir\\file.txt", &size), nullptr);
    EXPECT_EQ(size, 0);
    size = -1;
    EXPECT_EQ(hac->FindFileFromRoot(u"dir\\File.txt", &size), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_NE(hac->FindFileFromRoot(u"dir/file.txt", &size), nullptr);
    EXPECT_EQ(hac->FindFile(nullptr, u"top"), hac->FindFileFromRoot(u"top"));
    EXPECT_EQ(hac->FindFile(nullptr, u"Top"), nullptr);

    // Names that are prefixes of each other are both found.
    void *buf = nullptr;
    int n = 0;
    ASSERT_TRUE(hac->LoadFile(u"dir\\a", &buf, &n));
    EXPECT_EQ(Take(buf, n), "A");
    ASSERT_TRUE(hac->LoadFile(u"dir\\AB", &buf, &n));
    EXPECT_EQ(Take(buf, n), "AB");
    EXPECT_FALSE(hac->FileExist(u"dir\\abc"));
    EXPECT_FALSE(hac->FileExist(u"dir\\"));

    // A path holding both separators splits at the '\' only.
    EXPECT_TRUE(hac->FileExist(u"a/b\\c.txt"));
    EXPECT_FALSE(hac->FileExist(u"a\\b/c.txt"));
    EXPECT_EQ(hac->FindFolder(u"A/B"), nullptr); // no '\': split at the '/'

    // Leading and trailing separators are skipped.
    EXPECT_TRUE(hac->FileExist(u"\\dir\\file.txt"));
    EXPECT_TRUE(hac->FileExist(u"/dir/file.txt"));
    EXPECT_EQ(hac->FindFolder(u"dir\\"), dirh);
    EXPECT_EQ(hac->FindFolder(u"\\dir"), dirh);

    // A lower-cased path longer than the 1023-unit path buffer fails.
    const std::u16string longpath = u"dir\\" + std::u16string(1100, u'x');
    EXPECT_FALSE(hac->FileExist(longpath.c_str()));
    EXPECT_EQ(hac->FindFolder(longpath.c_str()), nullptr);
    EXPECT_EQ(hac->LoadFileStream(longpath.c_str(), true), nullptr);
    EXPECT_TRUE(hac->FileExist(u"dir\\file.txt\\"));

    // A method name outside the table means stored.
    ASSERT_TRUE(hac->LoadFile(u"odd", &buf, &n));
    EXPECT_EQ(Take(buf, n), "top");

    // Folder-relative forms compare the path unchanged.
    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(dirh, u"ab", true)), "AB");
    {
        hgl::test::LogCapture log;
        EXPECT_EQ(hac->LoadFileStreamInFolder(dirh, u"AB", true), nullptr);
        EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<AB>")) << log.Dump();
        buf = reinterpret_cast<void *>(1);
        EXPECT_FALSE(hac->LoadFileInFolder(dirh, u"Zeta.txt", &buf, &n));
        EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<Zeta.txt>")) << log.Dump();
        log.Clear();
        EXPECT_FALSE(hac->FileExist(u"missing"));
        EXPECT_EQ(hac->FindFile(nullptr, u"missing"), nullptr);
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
    }
    ASSERT_TRUE(hac->LoadFileInFolder(dirh, u"zeta.txt", &buf, &n));
    EXPECT_EQ(Take(buf, n), "zeta!");
    ASSERT_TRUE(hac->LoadFileInFolder(nullptr, u"dir\\a", &buf, &n));
    EXPECT_EQ(Take(buf, n), "A");

    // Partial reads of a stored 20-byte file.
    void *twenty = hac->FindFile(nullptr, u"twenty", &size);
    ASSERT_NE(twenty, nullptr);
    EXPECT_EQ(size, 20);
    char part[32] = {};
    EXPECT_TRUE(hac->ReadFilePart(twenty, 10, 10, part));
    EXPECT_EQ(std::string(part, 10), "abcdefghij");
    EXPECT_FALSE(hac->ReadFilePart(twenty, 10, 11, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, -10, 20, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, -1, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0x7FFFFFFF, 0x7FFFFFFF, part));
    EXPECT_FALSE(hac->ReadFilePart(nullptr, 0, 0, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, 0, nullptr));
    EXPECT_TRUE(hac->ReadFilePart(twenty, 0, 0, part));
    EXPECT_EQ(std::string(part, 20), "0123456789abcdefghij");
    EXPECT_TRUE(hac->ReadFilePart(twenty, 20, 0, part));

    // A stored file opened without toMemory is a read-only window.
    hgl::Stream *w = hac->LoadFileStream(u"TWENTY", false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(int64_t(w->Size), 20);
    EXPECT_EQ(w->Write("x", 1), -1);
    w->Position = 15;
    char five[8] = {};
    EXPECT_EQ(w->Read(five, 8), 5);
    EXPECT_EQ(std::string(five, 5), "fghij");
    delete w;
}

TEST(Hac3Edge, CompressedEntriesOnlyWhole)
{
    Bytes b = Header();
    const uint32_t at = Body(b, "not really compressed data");
    const uint32_t D = uint32_t(b.size());
    AppendText(b, u"r");
    AppendU32(b, 0);
    AppendU32(b, 1);
    PutFileRecord(b, {u"Packed.bin", u"Zip", 100, 26, at});
    AppendU32(b, D);
    auto hac = Reader(b);
    ASSERT_TRUE(hac->IsValid());

    int size = 0;
    void *f = hac->FindFile(nullptr, u"packed.bin", &size);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(size, 100);
    char dest[128];
    hgl::test::LogCapture log;
    EXPECT_FALSE(hac->ReadFilePart(f, 0, 10, dest));
    EXPECT_TRUE(log.ContainsError(u"压缩的文件不能只读取一部分<packed.bin>,<0,10>")) << log.Dump();
    log.Clear();
    // Whole-file reads go to the method, which refuses these bytes.
    EXPECT_FALSE(hac->ReadFilePart(f, 0, 0, dest));
    EXPECT_TRUE(log.ContainsError(u"解压文件<packed.bin>失败，使用的是<Zip>压缩算法！")) << log.Dump();
    log.Clear();
    void *buf = reinterpret_cast<void *>(1);
    int n = -1;
    EXPECT_FALSE(hac->LoadFile(u"PACKED.BIN", &buf, &n));
    EXPECT_EQ(buf, nullptr);
    EXPECT_TRUE(log.ContainsError(u"解压文件<packed.bin>失败，使用的是<Zip>压缩算法！")) << log.Dump();
    log.Clear();
    EXPECT_EQ(hac->LoadFileStream(u"Packed.bin", false), nullptr);
    EXPECT_TRUE(log.ContainsError(u"解压文件<packed.bin>失败，使用的是<Zip>压缩算法！")) << log.Dump();
}

TEST(Hac3Edge, EmptyFilesThroughEveryLoad)
{
    Bytes b = Header();
    const uint32_t D = uint32_t(b.size());
    AppendText(b, u"r");
    AppendU32(b, 0);
    AppendU32(b, 1);
    PutFileRecord(b, {u"empty", u"", 0, 0, 8});
    AppendU32(b, D);
    auto hac = Reader(b);
    ASSERT_TRUE(hac->IsValid());
    void *buf = nullptr;
    int n = -1;
    ASSERT_TRUE(hac->LoadFile(u"EMPTY", &buf, &n));
    EXPECT_EQ(n, 0);
    delete[] static_cast<uint8_t *>(buf);
    for (bool mem : {false, true})
    {
        hgl::Stream *s = hac->LoadFileStream(u"empty", mem);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(int64_t(s->Size), 0);
        delete s;
    }
    char c = 'x';
    EXPECT_TRUE(hac->ReadFilePart(hac->FindFileFromRoot(u"empty"), 0, 0, &c));
}

TEST(Hac3Edge, DamagedArchivesAreNotMounted)
{
    hgl::test::TempDir dir("hac3bad");
    auto refused = [&](const Bytes &bytes, const char *what) {
        SCOPED_TRACE(what);
        {
            auto hac = Reader(bytes);
            EXPECT_FALSE(hac->IsValid());
        }
        ASSERT_TRUE(dir.WriteFile("bad.hac", bytes));
        const std::u16string path = dir.File16("bad.hac");
        hgl::test::LogCapture log;
        hgl::HAC *hac = hgl::OpenHAC(path.c_str());
        EXPECT_EQ(hac, nullptr);
        delete hac;
        EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + path + u">")) << log.Dump();
    };

    auto one_file = [](const RawFile &f, uint32_t body_len) {
        Bytes b = Header();
        b.resize(b.size() + body_len, 'z');
        const uint32_t D = uint32_t(b.size());
        AppendText(b, u"r");
        AppendU32(b, 0);
        AppendU32(b, 1);
        PutFileRecord(b, f);
        AppendU32(b, D);
        return b;
    };

    refused(Bytes{0x48, 0x41, 0x43, 0x2D, 0x33, 0x1A, 0}, "7 bytes");
    refused(Header(), "8 bytes, no directory");

    Bytes b = one_file({u"f", u"", 4, 4, 8}, 4);
    {
        auto hac = Reader(b);
        ASSERT_TRUE(hac->IsValid()); // the template itself is sound
    }
    Bytes past = b;
    const uint32_t bad = uint32_t(past.size() + 100);
    std::memcpy(past.data() + past.size() - 4, &bad, 4);
    refused(past, "D past the end");
    Bytes low = b;
    const uint32_t three = 3;
    std::memcpy(low.data() + low.size() - 4, &three, 4);
    refused(low, "D inside the magic");

    Bytes truncated = b;
    const uint32_t D = 12;
    truncated.resize(30);
    AppendU32(truncated, D);
    refused(truncated, "directory cut short");

    {
        Bytes h = Header();
        const uint32_t d = uint32_t(h.size());
        AppendText(h, u"r");
        AppendU32(h, 0xFFFFFFFFu);
        AppendU32(h, d);
        refused(h, "huge folder count");
        Bytes g = Header();
        AppendText(g, u"r");
        AppendU32(g, 0);
        AppendU32(g, 0x10000000u);
        AppendU32(g, d);
        refused(g, "huge file count");
        Bytes n = Header();
        AppendU32(n, 0x7FFFFFFFu); // name count far past the end
        AppendU32(n, d);
        refused(n, "huge name length");
    }

    refused(one_file({u"f", std::u16string(40, u'M'), 4, 4, 8}, 4), "40-unit method name");
    refused(one_file({u"f", std::u16string(32, u'M'), 4, 4, 8}, 4), "32-unit method name");
    refused(one_file({u"f", u"", 5, 5, 8}, 4), "size runs into the directory");
    refused(one_file({u"f", u"", 4, 4, 0xFFFFFFF0u}, 4), "offset past the end");
    refused(one_file({u"f", u"", 0x80000000u, 0x80000000u, 8}, 4), "size over INT_MAX");
    refused(one_file({u"f", u"Zip", 100, 5, 8}, 4), "compressed bytes run past");

    // A 31-unit method name is the longest accepted (unknown, so stored).
    {
        auto hac = Reader(one_file({u"f", std::u16string(31, u'M'), 4, 4, 8}, 4));
        EXPECT_TRUE(hac->IsValid());
        void *buf = nullptr;
        int n = 0;
        ASSERT_TRUE(hac->LoadFile(u"f", &buf, &n));
        EXPECT_EQ(Take(buf, n), "zzzz");
    }

    // Folders nested far deeper than any content needs.
    {
        Bytes deep = Header();
        const uint32_t d = uint32_t(deep.size());
        const int depth = 5000;
        for (int i = 0; i < depth; ++i)
        {
            AppendText(deep, u"d");
            AppendU32(deep, i + 1 < depth ? 1 : 0);
        }
        for (int i = 0; i < depth; ++i)
            AppendU32(deep, 0);
        AppendU32(deep, d);
        refused(deep, "nesting depth");
    }
}

TEST(Hac3Edge, PackedDiskFolderKeepsEmptyFolders)
{
    hgl::test::TempDir dir("hac3pack");
    ASSERT_TRUE(dir.WriteFile("src/Top.txt", "top"));
    ASSERT_TRUE(dir.WriteFile("src/Sub/Inner.txt", "inner"));
    ASSERT_TRUE(dir.MakeDir("src/Empty"));
    ASSERT_TRUE(dir.MakeDir("src/Sub/Deeper"));
    hgl::hacpack::HacWriter w;
    std::string err;
    ASSERT_TRUE(w.AddDiskFolder(dir.File("src"), u"", &err)) << err;
    ASSERT_TRUE(w.WriteFile(dir.File("out.hac"), &err)) << err;
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("out.hac").c_str()));
    ASSERT_NE(hac, nullptr);
    void *empty = hac->FindFolder(u"empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(hac->GetFileCount(empty), 0);
    void *deeper = hac->FindFolder(u"Sub\\Deeper");
    ASSERT_NE(deeper, nullptr);
    EXPECT_EQ(hac->GetFileCount(deeper), 0);
    void *buf = nullptr;
    int n = 0;
    ASSERT_TRUE(hac->LoadFile(u"sub\\inner.txt", &buf, &n));
    EXPECT_EQ(Take(buf, n), "inner");
    EXPECT_TRUE(hac->FileExist(u"TOP.TXT"));
}

TEST(Hac3Edge, ArchiveCutShortAfterMounting)
{
    const TwoLevel t = MakeTwoLevel();
    hgl::test::TempDir dir("hac3cut");
    ASSERT_TRUE(dir.WriteFile("cut.hac", t.bytes));
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("cut.hac").c_str()));
    ASSERT_NE(hac, nullptr);
    void *twenty = hac->FindFile(nullptr, u"twenty");
    ASSERT_NE(twenty, nullptr);
    // The file now ends in the middle of "twenty".
    ASSERT_EQ(truncate(dir.File("cut.hac").c_str(), off_t(t.twenty_at + 5)), 0);

    hgl::test::LogCapture log;
    char part[32];
    EXPECT_TRUE(hac->ReadFilePart(twenty, 0, 5, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, 0, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 4, 2, part));
    void *buf = reinterpret_cast<void *>(1);
    int n = -1;
    EXPECT_FALSE(hac->LoadFile(u"twenty", &buf, &n));
    EXPECT_EQ(buf, nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"twenty", true), nullptr);
    EXPECT_GE(log.Errors().size(), 4u) << log.Dump();
    // Files wholly before the cut still read.
    ASSERT_TRUE(hac->LoadFile(u"dir\\file.txt", &buf, &n));
    EXPECT_EQ(Take(buf, n), "two-level");
}

TEST(Hac3Edge, LoadFolderReadsOneRecord)
{
    const TwoLevel t = MakeTwoLevel();
    auto hac = Reader(t.bytes);
    ASSERT_TRUE(hac->IsValid());

    Bytes rec;
    AppendText(rec, u"Extra");
    AppendU32(rec, 1);
    AppendText(rec, u"Inner");
    AppendU32(rec, 0);
    AppendU32(rec, 0);
    AppendU32(rec, 2);
    PutFileRecord(rec, {u"B.bin", u"", 3, 3, 8});
    PutFileRecord(rec, {u"a.bin", u"Zip", 100, 4, 12});
    rec.push_back(0xEE); // past the record
    hgl::MemStream ms;
    ms.Write(rec.data(), int(rec.size()));
    ms.Position = 0;

    hgl::HacFolder<hgl::Hac3File> folder;
    ASSERT_TRUE(hac->LoadFolder(&ms, &folder));
    EXPECT_EQ(int64_t(ms.Position), int64_t(rec.size() - 1));
    EXPECT_EQ(folder.name, u"extra");
    ASSERT_EQ(folder.folders.size(), 1u);
    EXPECT_EQ(folder.folders[0]->name, u"inner");
    ASSERT_EQ(folder.files.size(), 2u);
    const hgl::Hac3File &b = *folder.files[0];
    EXPECT_EQ(b.name, u"b.bin");
    EXPECT_EQ(b.method, 0);
    EXPECT_EQ(b.size, 3u);
    EXPECT_EQ(b.stored_size, 3u);
    EXPECT_EQ(b.offset, 8u);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(b.reserved[i], 0xA0 + i);
    const hgl::Hac3File &a = *folder.files[1];
    EXPECT_GE(a.method, 1);
    EXPECT_LE(a.method, 9);
    EXPECT_EQ(a.size, 100u);
    EXPECT_EQ(a.stored_size, 4u);
    EXPECT_EQ(a.offset, 12u);
    EXPECT_EQ(hgl::HAC3::SearchFile(&folder, u"b.bin"), folder.files[0].get());
    EXPECT_EQ(hgl::HAC3::SearchFolder(&folder, u"inner"), folder.folders[0].get());

    // Bytes outside the archive's data are refused.
    Bytes bad;
    AppendText(bad, u"x");
    AppendU32(bad, 0);
    AppendU32(bad, 1);
    PutFileRecord(bad, {u"f", u"", 10, 10, uint32_t(t.bytes.size())});
    hgl::MemStream bs;
    bs.Write(bad.data(), int(bad.size()));
    bs.Position = 0;
    hgl::HacFolder<hgl::Hac3File> other;
    EXPECT_FALSE(hac->LoadFolder(&bs, &other));
    EXPECT_TRUE(other.files.empty());
}
