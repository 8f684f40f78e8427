// HAC-3 archives built by the writer, mounted through OpenHAC and read back.
#include "ArchiveTestUtil.h"

#include "io/Compress.h"
#include "io/MemStream.h"
#include "support/LogCapture.h"

#include <cstdlib>

#include <unistd.h>

using namespace archive_test;
using hgl::HAC;
using hgl::hacpack::HacWriter;
using hgl::test::LogCapture;
using hgl::test::TempDir;

TEST(Hac3, KnownEightyByteArchive)
{
    TempDir dir("hac3");
    const std::vector<uint8_t> bytes = {
        0x48, 0x41, 0x43, 0x2d, 0x33, 0x1a, 0x00, 0x00, 0x68, 0x69, 0x04, 0x00, 0x00, 0x00, 0x72, 0x00, 0x6f, 0x00, 0x6f, 0x00,
        0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x61, 0x00, 0x2e, 0x00, 0x74, 0x00,
        0x78, 0x00, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00};
    LogCapture log;
    auto hac = MountBytes(dir, bytes);
    ASSERT_TRUE(hac);
    EXPECT_TRUE(log.ContainsInfo(u"打开HAC包<" + dir.File16("raw.hac") + u">完成！")) << log.Dump();
    EXPECT_EQ(LoadText(hac.get(), u"a.txt"), "hi");
    EXPECT_EQ(LoadText(hac.get(), u"A.TXT"), "hi");
    EXPECT_EQ(hac->GetFileCount(nullptr), 1);
}

TEST(Hac3, PathsCaseAndSeparators)
{
    TempDir dir("hac3");
    HacWriter w;
    w.root.Add(u"Scripts\\Chapter1\\Start.txt", std::string("start"));
    w.root.Add(u"scripts\\a", std::string("A"));
    w.root.Add(u"scripts\\ab", std::string("AB"));
    w.root.Add(u"x/y\\z.txt", std::string("odd"));     // a folder named "x" holding "y"
    w.root.Folder(u"we/ird");
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);

    for (const char16_t *p : {u"Scripts\\Chapter1\\Start.txt", u"scripts\\chapter1\\start.txt",
                              u"scripts/chapter1/start.txt", u"\\scripts\\chapter1\\start.txt", u"SCRIPTS/CHAPTER1/START.TXT"})
        ExpectServes(hac.get(), p, "start");

    // FindFile compares the path as given: capitals are not found.
    int size = -1;
    EXPECT_NE(hac->FindFileFromRoot(u"scripts\\chapter1\\start.txt", &size), nullptr);
    EXPECT_EQ(size, 5);
    size = -1;
    EXPECT_EQ(hac->FindFileFromRoot(u"Scripts\\chapter1\\start.txt", &size), nullptr);
    EXPECT_EQ(size, 0);

    // A name that is a prefix of another: both found, in either order of search.
    EXPECT_EQ(LoadText(hac.get(), u"scripts\\a"), "A");
    EXPECT_EQ(LoadText(hac.get(), u"scripts\\ab"), "AB");
    EXPECT_FALSE(hac->FileExist(u"scripts\\abc"));
    EXPECT_FALSE(hac->FileExist(u"scripts\\"));

    // A '\' anywhere splits there only: "x/y" before it would have to be one folder's name.
    EXPECT_FALSE(hac->FileExist(u"x/y\\z.txt"));
    EXPECT_TRUE(hac->FileExist(u"x/y/z.txt"));

    // Folder handles: trailing separators are skipped; folder-relative look-ups.
    void *folder = hac->FindFolder(u"Scripts\\Chapter1\\");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder, hac->FindFolder(u"scripts/chapter1"));
    EXPECT_EQ(hac->FindFolder(nullptr), hac->FindFolder(u""));
    EXPECT_EQ(hac->FindFolder(u"nothing"), nullptr);
    EXPECT_TRUE(hac->FileExistInFolder(folder, u"START.TXT"));
    EXPECT_NE(hac->FindFile(folder, u"start.txt", &size), nullptr);
    EXPECT_EQ(hac->FindFile(folder, u"Start.txt", &size), nullptr);
    std::unique_ptr<hgl::Stream> s(hac->LoadFileStreamInFolder(folder, u"start.txt", true));
    EXPECT_EQ(ReadAll(s.get()), "start");

    hgl::String name;
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"scripts")), 2);
    EXPECT_FALSE(hac->GetFileByIndex(hac->FindFolder(u"scripts"), -1, name, size));
    EXPECT_FALSE(hac->GetFileByIndex(hac->FindFolder(u"scripts"), 2, name, size));
    ASSERT_TRUE(hac->GetFileByIndex(hac->FindFolder(u"scripts"), 0, name, size));
    EXPECT_EQ(name, u"ab");   // stored descending
    EXPECT_EQ(size, 2);

    // Paths that do not fit the path buffer fail.
    std::u16string longPath(2000, u'a');
    EXPECT_FALSE(hac->FileExist(longPath.c_str()));
}

TEST(Hac3, PartsWindowsAndEmptyFiles)
{
    TempDir dir("hac3");
    HacWriter w;
    const std::string twenty = "0123456789abcdefghij";
    w.root.Add(u"t.bin", twenty);
    w.root.Add(u"empty.bin", std::string());
    w.root.Add(u"unknown.bin", std::string("raw bytes"), u"NoSuchMethod");
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);

    int size = 0;
    void *f = hac->FindFileFromRoot(u"t.bin", &size);
    ASSERT_NE(f, nullptr);
    char buf[32] = {};
    EXPECT_TRUE(hac->ReadFilePart(f, 10, 10, buf));
    EXPECT_EQ(std::string(buf, 10), "abcdefghij");
    EXPECT_FALSE(hac->ReadFilePart(f, 10, 11, buf));
    EXPECT_FALSE(hac->ReadFilePart(f, -10, 20, buf));     // must not reach bytes before the file
    EXPECT_FALSE(hac->ReadFilePart(f, 0, -1, buf));
    EXPECT_FALSE(hac->ReadFilePart(nullptr, 0, 0, buf));
    EXPECT_TRUE(hac->ReadFilePart(f, 0, 0, buf));
    EXPECT_EQ(std::string(buf, 20), twenty);

    // A stored file opened without toMemory is a read-only window.
    std::unique_ptr<hgl::Stream> win(hac->LoadFileStream(u"t.bin", false));
    ASSERT_TRUE(win);
    EXPECT_EQ(int64_t(win->Size), 20);
    EXPECT_EQ(win->Write("x", 1), -1);
    EXPECT_EQ(ReadAll(win.get()), twenty);

    // Empty files through all three loads.
    void *buffer = nullptr;
    size = -1;
    ASSERT_TRUE(hac->LoadFile(u"empty.bin", &buffer, &size));
    EXPECT_EQ(size, 0);
    EXPECT_NE(buffer, nullptr);
    delete[] static_cast<uint8_t *>(buffer);
    std::unique_ptr<hgl::Stream> e1(hac->LoadFileStream(u"empty.bin", true));
    std::unique_ptr<hgl::Stream> e2(hac->LoadFileStream(u"empty.bin", false));
    ASSERT_TRUE(e1 && e2);
    EXPECT_EQ(int64_t(e1->Size), 0);
    EXPECT_EQ(int64_t(e2->Size), 0);
    EXPECT_EQ(ReadAll(e2.get()), "");

    // A method the table does not know reads as stored.
    EXPECT_EQ(LoadText(hac.get(), u"unknown.bin"), "raw bytes");

    // Missing files: a message for the loads, silence for the look-ups.
    LogCapture log;
    EXPECT_FALSE(hac->FileExist(u"missing.txt"));
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(hac->LoadFileStream(u"missing.txt", true), nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<missing.txt>")) << log.Dump();
    buffer = reinterpret_cast<void *>(1);
    EXPECT_FALSE(hac->LoadFile(u"Missing.TXT", &buffer, &size));
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<missing.txt>")) << log.Dump();
}

TEST(Hac3, ThousandFilesPerFolder)
{
    TempDir dir("hac3");
    HacWriter w;
    for (int i = 0; i < 1000; ++i)
    {
        const std::string n = "File" + std::to_string(i * 7919 % 1000) + (i % 3 ? ".txt" : "");
        w.root.Add(u"big\\" + hgl::hacpack::Utf8ToUtf16(n), n);
    }
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"big")), 1000);
    for (int i = 0; i < 1000; ++i)
    {
        const std::string n = "File" + std::to_string(i * 7919 % 1000) + (i % 3 ? ".txt" : "");
        const std::u16string p = u"BIG/" + hgl::hacpack::Utf8ToUtf16(n);
        ASSERT_EQ(LoadText(hac.get(), p.c_str()), n);
    }
}

TEST(Hac3, CompressedEntries)
{
    UseBuildPlugIns();
    ASSERT_NE(hgl::GetCompressInterface(hgl::String(u"Zip")), nullptr) << "the Zip plug-in is needed";
    TempDir dir("hac3");
    HacWriter w;
    w.SetCompressor([](const std::u16string &method, const std::vector<uint8_t> &in, std::vector<uint8_t> &out) {
        out.resize(in.size() + in.size() / 2 + 1024);
        const int n = hgl::Compress(hgl::String(method.c_str()), in.data(), int(in.size()), out.data(), int(out.size()));
        if (n < 1)
            return false;
        out.resize(size_t(n));
        return true;
    });
    const std::string text(5000, 'z');
    w.root.Add(u"packed.txt", text, u"Zip");
    auto &bad = w.root.Add(u"broken.txt", text, u"Zip");
    bad.precompressed = true;
    bad.stored = Bytes("definitely not deflate data");
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);

    EXPECT_EQ(LoadText(hac.get(), u"packed.txt"), text);
    std::unique_ptr<hgl::Stream> s1(hac->LoadFileStream(u"packed.txt", false));
    EXPECT_EQ(ReadAll(s1.get()), text);
    int size = 0;
    void *f = hac->FindFileFromRoot(u"packed.txt", &size);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(size, 5000);
    std::vector<char> buf(5000);
    EXPECT_TRUE(hac->ReadFilePart(f, 0, 0, buf.data()));
    EXPECT_EQ(std::string(buf.data(), buf.size()), text);

    LogCapture log;
    EXPECT_FALSE(hac->ReadFilePart(f, 0, 9, buf.data()));
    EXPECT_TRUE(log.ContainsError(u"压缩的文件不能只读取一部分<packed.txt>,<0,9>")) << log.Dump();

    void *buffer = nullptr;
    EXPECT_FALSE(hac->LoadFile(u"BROKEN.txt", &buffer, &size));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_TRUE(log.ContainsError(u"解压文件<broken.txt>失败，使用的是<Zip>压缩算法！")) << log.Dump();
    EXPECT_EQ(hac->LoadFileStream(u"broken.txt", false), nullptr);
}

namespace
{
std::vector<uint8_t> OneFile()
{
    HacWriter w;
    w.root.Add(u"a.txt", std::string("hi"));
    std::vector<uint8_t> b;
    w.Build(b);
    return b;   // the 80-byte archive: D = 10, file record at 30
}

void ExpectRefused(const TempDir &dir, const std::vector<uint8_t> &bytes, const char *what)
{
    LogCapture log;
    auto hac = MountBytes(dir, bytes, "bad.hac");
    EXPECT_FALSE(hac) << what;
    EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + dir.File16("bad.hac") + u">")) << what << log.Dump();
}
} // namespace

TEST(Hac3, DamagedArchivesAreNotMounted)
{
    TempDir dir("hac3");
    auto b = OneFile();
    ASSERT_EQ(b.size(), 80u);

    // One field at a time given a value no sound archive has.
    const struct
    {
        size_t at;
        uint32_t value;
        const char *what;
    } patches[] = {
        {76, 1000, "directory past the end"},
        {76, 4, "directory inside the header"},
        {76, 75, "directory in the trailer"},
        {22, 0xFFFFFFFF, "huge folder count"},
        {26, 0x10000000, "huge file count"},
        {30, 0xFFFFFFFF, "negative name count"},
        {10, 0x7FFFFFFF, "root name past the end"},
        {44, 40, "40-unit method name"},
        {48, 100, "file bytes past the directory"},
        {72, 9, "offset plus size past the directory"},
        {48, 0x80000000u, "size over INT_MAX"},
    };
    for (const auto &p : patches) {
        auto c = b;
        PutU32(c, p.at, p.value);
        ExpectRefused(dir, c, p.what);
    }

    std::vector<uint8_t> c;
    c.assign(b.begin(), b.begin() + 60);
    c.insert(c.end(), {10, 0, 0, 0});
    ExpectRefused(dir, c, "truncated directory");
    c.assign(b.begin(), b.begin() + 7);
    ExpectRefused(dir, c, "7-byte file");
    c.assign(b.begin(), b.begin() + 20);
    ExpectRefused(dir, c, "20-byte file");

    // A 40-unit method name, fully present.
    c = b;
    c.resize(44);
    c.insert(c.end(), {40, 0, 0, 0});
    for (int i = 0; i < 40; ++i)
        c.insert(c.end(), {'m', 0});
    c.insert(c.end(), b.begin() + 48, b.end() - 4);
    c.insert(c.end(), {10, 0, 0, 0});
    ExpectRefused(dir, c, "40-unit method name, present");

    // Nesting deeper than the reader accepts.
    HacWriter deep;
    std::u16string path;
    for (int i = 0; i < 100; ++i)
        path += u"d\\";
    deep.root.Add(path + u"f.txt", std::string("x"));
    std::vector<uint8_t> d;
    ASSERT_TRUE(deep.Build(d));
    ExpectRefused(dir, d, "too deep");

    // The same archive built directly on a stream reports itself invalid.
    auto *ms = new hgl::MemStream;
    ms->Write(c.data(), int(c.size()));
    hgl::HAC3 direct(ms);
    EXPECT_FALSE(direct.IsValid());
    EXPECT_FALSE(direct.FileExist(u"a.txt"));
    EXPECT_EQ(direct.GetFileCount(nullptr), 0);
}

TEST(Hac3, ShortReadIsAFailure)
{
    TempDir dir("hac3");
    HacWriter w;
    w.root.Add(u"a.bin", Pattern(4000));
    w.root.Add(u"b.bin", Pattern(4000, 2));
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);
    // The archive shrinks under the mounted reader: its bytes are gone.
    ASSERT_EQ(truncate(dir.File("test.hac").c_str(), 100), 0);
    LogCapture log;
    void *buffer = nullptr;
    int size = 0;
    EXPECT_FALSE(hac->LoadFile(u"b.bin", &buffer, &size));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"b.bin", true), nullptr);
    char part[16];
    EXPECT_FALSE(hac->ReadFilePart(hac->FindFileFromRoot(u"b.bin", nullptr), 100, 16, part));
    EXPECT_TRUE(log.ContainsPart(u"b.bin")) << log.Dump();
}

TEST(Hac3, ArchiveFromAnIndependentWriter)
{
    // Written by tools/hacpack/make_seeds.py, which shares no code with the C++ writer.
    const std::string path = std::string(HGL_TEST_DATA_DIR) + "/archive/independent.hac";
    std::unique_ptr<HAC> hac(hgl::OpenHAC(hgl::hacpack::Utf8ToUtf16(path).c_str()));
    ASSERT_TRUE(hac);
    EXPECT_EQ(LoadText(hac.get(), u"readme.txt"), "hello archive\r\n");
    EXPECT_EQ(LoadText(hac.get(), u"Empty.bin"), "");
    EXPECT_EQ(LoadText(hac.get(), u"script/a"), "A");
    EXPECT_EQ(LoadText(hac.get(), u"script/ab"), "AB");
    EXPECT_EQ(LoadText(hac.get(), u"odd.dat"), "xyz");
    std::string raw;
    for (int i = 0; i < 64; ++i)
        raw += char(i);
    EXPECT_EQ(LoadText(hac.get(), u"PIC\\deep\\X.RAW"), raw);
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"pic\\deep")), 1);
}

namespace
{
// Directory records written by hand, in whatever order the test wants.
struct RecordBytes
{
    std::vector<uint8_t> b;
    void U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    }
    void Text(const std::u16string &t)
    {
        U32(uint32_t(t.size()));
        for (char16_t c : t)
            b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
    }
    void File(const std::u16string &name, uint32_t size, uint32_t offset)
    {
        Text(name);
        Text(u"");
        U32(size);
        U32(size);
        b.insert(b.end(), 16, 0);
        U32(offset);
    }
};
} // namespace

TEST(Hac3, ListsOutOfOrderAreStillFound)
{
    // A writer that did not sort: files b, a, C and folders x, Y in that order.
    TempDir dir("hac3");
    RecordBytes r;
    const std::string head = std::string("HAC-3\x1a\0\0", 8) + "bbaacc";
    r.b.assign(head.begin(), head.end());
    const uint32_t d = uint32_t(r.b.size());
    r.Text(u"root");
    r.U32(2);
    r.Text(u"x");
    r.U32(0);
    r.U32(1);
    r.File(u"in_x.txt", 2, 10);
    r.Text(u"Y");
    r.U32(0);
    r.U32(1);
    r.File(u"in_y.txt", 2, 12);
    r.U32(3);
    r.File(u"b.txt", 2, 8);
    r.File(u"a.txt", 2, 10);
    r.File(u"C.txt", 2, 12);
    r.U32(d);
    auto hac = MountBytes(dir, r.b);
    ASSERT_TRUE(hac);

    EXPECT_EQ(LoadText(hac.get(), u"a.txt"), "aa");
    EXPECT_EQ(LoadText(hac.get(), u"B.TXT"), "bb");
    EXPECT_EQ(LoadText(hac.get(), u"c.txt"), "cc");
    EXPECT_EQ(LoadText(hac.get(), u"x\\in_x.txt"), "aa");
    EXPECT_EQ(LoadText(hac.get(), u"y/in_y.txt"), "cc");
    EXPECT_NE(hac->FindFileFromRoot(u"c.txt", nullptr), nullptr);
    EXPECT_FALSE(hac->FileExist(u"d.txt"));
    // Listing keeps the stored order.
    hgl::String name;
    int size = 0;
    ASSERT_TRUE(hac->GetFileByIndex(nullptr, 0, name, size));
    EXPECT_EQ(name, u"b.txt");
    ASSERT_TRUE(hac->GetFileByIndex(nullptr, 2, name, size));
    EXPECT_EQ(name, u"c.txt");
}

TEST(Hac3, LoadFolderReadsOneRecordFromAStream)
{
    auto *archive = new hgl::MemStream;
    std::vector<uint8_t> one;
    {
        HacWriter w;
        w.root.Add(u"a.txt", std::string("hi"));
        ASSERT_TRUE(w.Build(one));
    }
    archive->Write(one.data(), int(one.size()));
    hgl::HAC3 hac(archive);
    ASSERT_TRUE(hac.IsValid());

    // A record standing after 10 bytes of file data, followed by other bytes.
    RecordBytes r;
    r.b.assign(10, 'z');
    r.Text(u"Extra");
    r.U32(0);
    r.U32(2);
    r.File(u"P.txt", 4, 0);
    r.File(u"o.txt", 6, 4);
    const size_t record_end = r.b.size();
    r.U32(0xDEADBEEF);
    hgl::MemStream s;
    s.Write(r.b.data(), int(r.b.size()));
    s.Position = 10;
    hgl::HacFolder<hgl::Hac3File> folder;
    ASSERT_TRUE(hac.LoadFolder(&s, &folder));
    EXPECT_EQ(int64_t(s.Position), int64_t(record_end));
    EXPECT_EQ(folder.name, u"extra");
    ASSERT_EQ(folder.files.size(), 2u);
    EXPECT_EQ(folder.files[0]->name, u"p.txt");
    EXPECT_EQ(folder.files[1]->size, 6u);
    EXPECT_EQ(hgl::HAC3::SearchFile(&folder, u"o.txt"), folder.files[1].get());

    // Cut inside the second file record; data reaching past the record's start.
    hgl::MemStream cut;
    cut.Write(r.b.data(), int(record_end - 8));
    cut.Position = 10;
    hgl::HacFolder<hgl::Hac3File> partial;
    EXPECT_FALSE(hac.LoadFolder(&cut, &partial));
    RecordBytes past;
    past.b.assign(10, 'z');
    past.Text(u"f");
    past.U32(0);
    past.U32(1);
    past.File(u"p.txt", 4, 8);
    hgl::MemStream ps;
    ps.Write(past.b.data(), int(past.b.size()));
    ps.Position = 10;
    hgl::HacFolder<hgl::Hac3File> late;
    EXPECT_FALSE(hac.LoadFolder(&ps, &late));
}

#ifdef HGL_HACPACK_EXE
TEST(Hac3, PackerOutputMounts)
{
    UseBuildPlugIns();
    TempDir dir("hacpack");
    const std::string big = Pattern(3000) + std::string(20000, 'q');
    ASSERT_TRUE(dir.WriteFile("src/Scripts/Main.TXT", "main"));
    ASSERT_TRUE(dir.WriteFile("src/Scripts/Big.dat", big));
    ASSERT_TRUE(dir.WriteFile("src/empty", ""));
    for (const char *method : {"", "Zip"})
    {
        std::string cmd = std::string(HGL_HACPACK_EXE) + " '" + dir.File("src") + "' '" + dir.File("out.hac") + "'";
        if (*method)
            cmd += std::string(" --method ") + method;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        std::unique_ptr<HAC> hac(hgl::OpenHAC(dir.File16("out.hac").c_str()));
        ASSERT_TRUE(hac) << method;
        EXPECT_EQ(LoadText(hac.get(), u"scripts\\main.txt"), "main");
        EXPECT_EQ(LoadText(hac.get(), u"Scripts/Big.DAT"), big);
        EXPECT_EQ(LoadText(hac.get(), u"EMPTY"), "");
        if (*method)
        {
            EXPECT_LT(dir.ReadFile("out.hac").size(), big.size());   // the big file went in compressed
        }
    }
    EXPECT_NE(std::system((std::string(HGL_HACPACK_EXE) + " 2>/dev/null").c_str()), 0);
}
#endif
