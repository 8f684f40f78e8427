// A HAC-3 archive assembled byte by byte from the format (not by our writer), so
// that the reader is checked against the layout itself rather than against the
// writer's reading of it.
#include "ArchiveTestUtil.h"

#include "io/MemStream.h"
#include "io/OpenHAC.h"
#include "io/PartStream.h"
#include "support/LogCapture.h"

#include <cstring>

using archive_test::LoadText;
using hgl::HAC;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{
struct Bytes
{
    std::vector<uint8_t> b;

    void U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    }
    void Text(const std::u16string &s)
    {
        U32(uint32_t(s.size()));
        for (char16_t c : s)
        {
            b.push_back(uint8_t(c & 0xFF));
            b.push_back(uint8_t(c >> 8));
        }
    }
    void Raw(const std::string &s) { b.insert(b.end(), s.begin(), s.end()); }
    uint32_t Here() const { return uint32_t(b.size()); }
};

struct Entry
{
    std::u16string name, method;
    uint32_t size, stored, offset;
};

void FileRecord(Bytes &out, const Entry &e)
{
    out.Text(e.name);
    out.Text(e.method);
    out.U32(e.size);
    out.U32(e.stored);
    for (int i = 0; i < 16; ++i)
        out.b.push_back(uint8_t(0xA0 + i));     // reserved, kept but not interpreted
    out.U32(e.offset);
}

// Root "ROOT": folders "x/y" (file "Z.txt") and "Sub" (folder "Deep" with
// "Note.TXT"); files Twenty.bin (20 bytes), Odd.dat (unknown method, read as
// stored), Empty.txt (0 bytes), AB, a. Every list descending by lower-cased name.
std::vector<uint8_t> HandBuilt()
{
    Bytes f;
    f.Raw(std::string("HAC-3\x1A", 6));
    f.b.push_back(0xAB);    // two bytes read with the magic, not interpreted
    f.b.push_back(0xCD);
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty.push_back(char('A' + i));
    const uint32_t oTwenty = f.Here();
    f.Raw(twenty);
    const uint32_t oOdd = f.Here();
    f.Raw("xyz");
    const uint32_t oAB = f.Here();
    f.Raw("AB!");
    const uint32_t oA = f.Here();
    f.Raw("a!");
    const uint32_t oNote = f.Here();
    f.Raw("note");
    const uint32_t oZ = f.Here();
    f.Raw("zz");

    const uint32_t d = f.Here();
    f.Text(u"ROOT");
    f.U32(2);                       // sub-folders
    {
        f.Text(u"x/y");
        f.U32(0);
        f.U32(1);
        FileRecord(f, {u"Z.txt", u"", 2, 0, oZ});
    }
    {
        f.Text(u"Sub");
        f.U32(1);
        {
            f.Text(u"Deep");
            f.U32(0);
            f.U32(1);
            FileRecord(f, {u"Note.TXT", u"", 4, 0, oNote});
        }
        f.U32(0);
    }
    f.U32(5);                       // files
    FileRecord(f, {u"Twenty.bin", u"", 20, 0, oTwenty});
    FileRecord(f, {u"Odd.dat", u"NoSuchMethod", 3, 3, oOdd});
    FileRecord(f, {u"Empty.txt", u"", 0, 0, oZ});
    FileRecord(f, {u"AB", u"", 3, 0, oAB});
    FileRecord(f, {u"a", u"", 2, 0, oA});
    f.U32(d);
    return f.b;
}

std::string Drain(hgl::Stream *s)
{
    if (!s)
        return "<null>";
    std::string out(size_t(s->Size), '\0');
    if (!out.empty() && s->Read(out.data(), int(out.size())) != int(out.size()))
        return "<short>";
    return out;
}
} // namespace

TEST(Hac3, HandBuiltArchiveThroughEveryOperation)
{
    TempDir dir("hac3hand");
    ASSERT_TRUE(dir.WriteFile("hand.hac", HandBuilt()));
    const std::u16string path = dir.File16("hand.hac");
    LogCapture log;
    std::unique_ptr<HAC> hac(hgl::OpenHAC(path.c_str()));
    ASSERT_TRUE(hac) << log.Dump();
    EXPECT_TRUE(log.ContainsInfo(u"打开HAC包<" + path + u">完成！")) << log.Dump();

    // Whole-file paths lower-case, accept '/' and ignore the case of the path.
    for (const char16_t *p : {u"Sub\\Deep\\Note.txt", u"sub/deep/note.txt", u"SUB\\DEEP\\NOTE.TXT"})
    {
        EXPECT_TRUE(hac->FileExist(p));
        EXPECT_EQ(LoadText(hac.get(), p), "note");
        std::unique_ptr<hgl::Stream> m(hac->LoadFileStream(p, true)), w(hac->LoadFileStream(p, false));
        EXPECT_EQ(Drain(m.get()), "note");
        EXPECT_EQ(Drain(w.get()), "note");
    }
    // Split at the '\' only: "x/y" is one folder's name.
    EXPECT_TRUE(hac->FileExist(u"X/Y\\z.TXT"));
    EXPECT_EQ(LoadText(hac.get(), u"x/y\\z.txt"), "zz");
    EXPECT_FALSE(hac->FileExist(u"x/y/z.txt"));

    // FindFile takes the path as given.
    int size = -1;
    EXPECT_NE(hac->FindFile(nullptr, u"sub\\deep\\note.txt", &size), nullptr);
    EXPECT_EQ(size, 4);
    size = -1;
    EXPECT_EQ(hac->FindFile(nullptr, u"sub\\deep\\Note.txt", &size), nullptr);
    EXPECT_EQ(size, 0);
    size = -1;
    EXPECT_NE(hac->FindFileFromRoot(u"twenty.bin", &size), nullptr);
    EXPECT_EQ(size, 20);
    EXPECT_EQ(hac->FindFileFromRoot(u"Twenty.bin"), nullptr);

    // Prefix names, unknown methods, empty files.
    EXPECT_EQ(LoadText(hac.get(), u"a"), "a!");
    EXPECT_EQ(LoadText(hac.get(), u"ab"), "AB!");
    EXPECT_EQ(LoadText(hac.get(), u"odd.dat"), "xyz");
    EXPECT_EQ(LoadText(hac.get(), u"empty.txt"), "");
    {
        std::unique_ptr<hgl::Stream> m(hac->LoadFileStream(u"empty.txt", true)), w(hac->LoadFileStream(u"empty.txt", false));
        ASSERT_TRUE(m && w);
        EXPECT_EQ(m->Size, 0);
        EXPECT_EQ(w->Size, 0);
    }

    // Listings, in stored (descending) order.
    void *root = hac->FindFolder(nullptr);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root, hac->FindFolder(u""));
    EXPECT_EQ(hac->GetFileCount(nullptr), 5);
    hgl::String name;
    const char16_t *names[] = {u"twenty.bin", u"odd.dat", u"empty.txt", u"ab", u"a"};
    const int sizes[] = {20, 3, 0, 3, 2};
    for (int i = 0; i < 5; ++i)
    {
        ASSERT_TRUE(hac->GetFileByIndex(nullptr, i, name, size));
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(size, sizes[i]);
    }
    EXPECT_FALSE(hac->GetFileByIndex(nullptr, -1, name, size));
    EXPECT_FALSE(hac->GetFileByIndex(nullptr, 5, name, size));

    void *deep = hac->FindFolder(u"Sub\\Deep");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep, hac->FindFolder(u"sub/deep"));
    EXPECT_EQ(hac->FindFolder(u"sub\\none"), nullptr);
    EXPECT_EQ(hac->GetFileCount(deep), 1);
    EXPECT_EQ(static_cast<hgl::HacFolder<hgl::Hac3File> *>(deep)->files.GetCount(), 1);
    ASSERT_TRUE(hac->GetFileByIndex(deep, 0, name, size));
    EXPECT_EQ(name, u"note.txt");
    EXPECT_EQ(size, 4);
    EXPECT_TRUE(hac->FileExistInFolder(deep, u"NOTE.TXT"));
    EXPECT_FALSE(hac->FileExistInFolder(deep, u"twenty.bin"));
    EXPECT_NE(hac->FindFile(deep, u"note.txt", &size), nullptr);
    void *buf = nullptr;
    ASSERT_TRUE(hac->LoadFileInFolder(deep, u"note.txt", &buf, &size));
    EXPECT_EQ(std::string(static_cast<char *>(buf), size_t(size)), "note");
    delete[] static_cast<uint8_t *>(buf);
    {
        std::unique_ptr<hgl::Stream> s(hac->LoadFileStreamInFolder(deep, u"note.txt", false));
        EXPECT_EQ(Drain(s.get()), "note");
    }

    // Parts of a stored file; a window is read-only.
    void *twenty = hac->FindFile(nullptr, u"twenty.bin", &size);
    ASSERT_NE(twenty, nullptr);
    char part[21] = {};
    ASSERT_TRUE(hac->ReadFilePart(twenty, 10, 10, part));
    EXPECT_EQ(std::string(part, 10), "KLMNOPQRST");
    EXPECT_FALSE(hac->ReadFilePart(twenty, 10, 11, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, -10, 20, part));
    ASSERT_TRUE(hac->ReadFilePart(twenty, 0, 0, part));
    EXPECT_EQ(std::string(part, 20), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_FALSE(hac->ReadFilePart(nullptr, 0, 0, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, 0, nullptr));
    {
        std::unique_ptr<hgl::Stream> w(hac->LoadFileStream(u"twenty.bin", false));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->Write("x", 1), -1);
    }

    // Missing files: the stream and buffer loads say so, the look-ups are silent.
    log.Clear();
    EXPECT_FALSE(hac->FileExist(u"nothing.txt"));
    EXPECT_EQ(hac->FindFile(nullptr, u"nothing.txt"), nullptr);
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    EXPECT_EQ(LoadText(hac.get(), u"nothing.txt"), "<missing>");
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<nothing.txt>")) << log.Dump();
    log.Clear();
    EXPECT_EQ(hac->LoadFileStream(u"nothing.txt", true), nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<nothing.txt>")) << log.Dump();
}

TEST(Hac3, HandBuiltArchiveFromAStreamPositionedAnywhere)
{
    const std::vector<uint8_t> bytes = HandBuilt();
    auto *ms = new hgl::MemStream(int64_t(bytes.size()), true);
    std::memcpy(ms->GetData(), bytes.data(), bytes.size());
    ms->Position = 37;
    hgl::HAC3 hac(ms);
    ASSERT_TRUE(hac.IsValid());
    EXPECT_TRUE(hac.FileExist(u"Sub\\Deep\\Note.TXT"));
    EXPECT_EQ(LoadText(&hac, u"twenty.bin"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_NE(hgl::HAC3::SearchFolder(static_cast<hgl::HacFolder<hgl::Hac3File> *>(hac.FindFolder(nullptr)), u"sub"),
              nullptr);

    // Short files that begin with the magic are not archives.
    TempDir dir("hac3hand");
    for (size_t n : {size_t(5), size_t(7)})
    {
        ASSERT_TRUE(dir.WriteFile("short.hac", std::vector<uint8_t>(bytes.begin(), bytes.begin() + n)));
        const std::u16string path = dir.File16("short.hac");
        LogCapture log;
        EXPECT_EQ(hgl::OpenHAC(path.c_str()), nullptr);
        EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + path + u">")) << log.Dump();
    }
}
