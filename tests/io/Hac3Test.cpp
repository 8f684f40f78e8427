// HAC-3 archives: some assembled byte by byte here (so the reader is checked
// against the layout itself, not against the writer's reading of it), some built
// by the writer, all mounted and read back.
#include "ArchiveTestUtil.h"
#include "tools/hacpack/EngineCompressor.h"

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

namespace
{
// One stored file "a.txt" holding "hi": D = 10, the file record at 30.
const std::vector<uint8_t> kEighty = {
    0x48, 0x41, 0x43, 0x2d, 0x33, 0x1a, 0x00, 0x00, 0x68, 0x69, 0x04, 0x00, 0x00, 0x00, 0x72, 0x00,
    0x6f, 0x00, 0x6f, 0x00, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00,
    0x00, 0x00, 0x61, 0x00, 0x2e, 0x00, 0x74, 0x00, 0x78, 0x00, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00};

const std::string kMagic("HAC-3\x1a\0\0", 8);

struct RawFile
{
    std::u16string name, method;
    uint32_t size = 0, stored = 0, offset = 0;
};

void FileRecord(ByteWriter &out, const RawFile &f)
{
    out.Text(f.name).Text(f.method).U32(f.size).U32(f.stored);
    for (int i = 0; i < 16; ++i)
        out.b.push_back(uint8_t(0xA0 + i)); // reserved: kept, never interpreted
    out.U32(f.offset);
}

std::unique_ptr<hgl::HAC3> Reader(const std::vector<uint8_t> &bytes)
{
    auto *ms = new hgl::MemStream;
    ms->Write(bytes.data(), int(bytes.size()));
    return std::make_unique<hgl::HAC3>(ms);
}

// Root "ROOT": folders "x/y" (file "Z.txt") and "Sub" (folder "Deep" with
// "Note.TXT"); files Twenty.bin (20 bytes, stored last), Odd.dat (unknown method,
// read as stored), Empty.txt, AB, a. Every list descending by lower-cased name.
struct HandBuilt
{
    std::vector<uint8_t> bytes;
    uint32_t twenty_at = 0;
};

HandBuilt MakeHandBuilt()
{
    ByteWriter f;
    f.Raw(std::string("HAC-3\x1A\xAB\xCD", 8)); // the two bytes after the magic are not interpreted
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
    const uint32_t oTwenty = f.Here();
    f.Raw("ABCDEFGHIJKLMNOPQRST");

    const uint32_t d = f.Here();
    f.Text(u"ROOT").U32(2);
    f.Text(u"x/y").U32(0).U32(1);
    FileRecord(f, {u"Z.txt", u"", 2, 0, oZ});
    f.Text(u"Sub").U32(1);
    f.Text(u"Deep").U32(0).U32(1);
    FileRecord(f, {u"Note.TXT", u"", 4, 0, oNote});
    f.U32(0);
    f.U32(5);
    FileRecord(f, {u"Twenty.bin", u"", 20, 0, oTwenty});
    FileRecord(f, {u"Odd.dat", u"NoSuchMethod", 3, 3, oOdd});
    FileRecord(f, {u"Empty.txt", u"", 0, 0, oZ});
    FileRecord(f, {u"AB", u"", 3, 0, oAB});
    FileRecord(f, {u"a", u"", 2, 0, oA});
    f.U32(d);
    return {f.b, oTwenty};
}
} // namespace

TEST(Hac3, HandBuiltArchiveThroughEveryOperation)
{
    TempDir dir("hac3hand");
    const HandBuilt hb = MakeHandBuilt();
    LogCapture log;
    auto hac = MountBytes(dir, hb.bytes, "hand.hac");
    ASSERT_TRUE(hac) << log.Dump();

    // Whole-file paths are lower-cased, take '/' and skip leading and trailing separators.
    for (const char16_t *p : {u"Sub\\Deep\\Note.txt", u"sub/deep/note.txt", u"SUB\\DEEP\\NOTE.TXT",
                              u"\\sub\\deep\\note.txt", u"/sub/deep/note.txt", u"sub\\deep\\note.txt\\"})
        ExpectServes(hac.get(), p, "note");
    // A '\' anywhere splits there only: "x/y" is one folder's name.
    EXPECT_EQ(LoadText(hac.get(), u"X/Y\\z.TXT"), "zz");
    EXPECT_FALSE(hac->FileExist(u"x/y/z.txt"));
    EXPECT_FALSE(hac->FileExist(u"x\\y/z.txt"));
    EXPECT_EQ(hac->FindFolder(u"x/y"), nullptr);

    // FindFile takes the path as given: capitals miss and zero the size.
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
    EXPECT_FALSE(hac->FileExist(u"abc"));
    EXPECT_EQ(LoadText(hac.get(), u"odd.dat"), "xyz");
    ExpectServes(hac.get(), u"empty.txt", "");
    void *none = nullptr;
    ASSERT_TRUE(hac->LoadFile(u"empty.txt", &none, &size));
    EXPECT_NE(none, nullptr); // a success always hands out a buffer
    EXPECT_EQ(Take(none, size), "");
    char c = 'x';
    EXPECT_TRUE(hac->ReadFilePart(hac->FindFileFromRoot(u"empty.txt"), 0, 0, &c));

    // Parts of a stored file; a window is read-only.
    void *twenty = hac->FindFile(nullptr, u"twenty.bin", &size);
    ASSERT_NE(twenty, nullptr);
    char part[21] = {};
    ASSERT_TRUE(hac->ReadFilePart(twenty, 10, 10, part));
    EXPECT_EQ(std::string(part, 10), "KLMNOPQRST");
    EXPECT_FALSE(hac->ReadFilePart(twenty, 10, 11, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, -10, 20, part)); // must not reach bytes before the file
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, -1, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0x7FFFFFFF, 0x7FFFFFFF, part));
    EXPECT_FALSE(hac->ReadFilePart(nullptr, 0, 0, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, 0, nullptr));
    ASSERT_TRUE(hac->ReadFilePart(twenty, 0, 0, part));
    EXPECT_EQ(std::string(part, 20), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_TRUE(hac->ReadFilePart(twenty, 20, 0, part));
    {
        std::unique_ptr<hgl::Stream> w(hac->LoadFileStream(u"TWENTY.BIN", false));
        ASSERT_TRUE(w);
        EXPECT_EQ(int64_t(w->Size), 20);
        EXPECT_EQ(w->Write("x", 1), -1);
        w->Position = 15;
        char five[8] = {};
        EXPECT_EQ(w->Read(five, 8), 5);
        EXPECT_EQ(std::string(five, 5), "PQRST");
    }

    // Missing files: the loads say so, the look-ups are silent.
    log.Clear();
    EXPECT_FALSE(hac->FileExist(u"nothing.txt"));
    EXPECT_EQ(hac->FindFile(nullptr, u"nothing.txt"), nullptr);
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    EXPECT_EQ(LoadText(hac.get(), u"Nothing.TXT"), "<missing>");
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<nothing.txt>")) << log.Dump();
    log.Clear();
    EXPECT_EQ(hac->LoadFileStream(u"nothing.txt", true), nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<nothing.txt>")) << log.Dump();
    EXPECT_EQ(hac->LoadFileStreamInFolder(hac->FindFolder(u"sub\\deep"), u"Note.TXT", true), nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"没有查到所需的文件<Note.TXT>")) << log.Dump();
}

TEST(Hac3, CompressedEntries)
{
    UseBuildPlugIns();
    ASSERT_NE(hgl::GetCompressInterface(hgl::String(u"Zip")), nullptr) << "the Zip plug-in is needed";
    TempDir dir("hac3");
    HacWriter w;
    w.SetCompressor(hgl::hacpack::EngineCompressor());
    const std::string text(5000, 'z');
    w.root.Add(u"packed.txt", text, u"Zip");
    auto &bad = w.root.Add(u"broken.txt", text, u"Zip");
    bad.precompressed = true;
    const std::string junk = "definitely not deflate data";
    bad.stored.assign(junk.begin(), junk.end());
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);

    ExpectServes(hac.get(), u"packed.txt", text);
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

    // Bytes the method refuses fail every load, each with the message.
    const std::u16string failed = u"解压文件<broken.txt>失败，使用的是<Zip>压缩算法！";
    void *buffer = reinterpret_cast<void *>(1);
    EXPECT_FALSE(hac->LoadFile(u"BROKEN.txt", &buffer, &size));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_TRUE(log.ContainsError(failed)) << log.Dump();
    log.Clear();
    EXPECT_EQ(hac->LoadFileStream(u"broken.txt", false), nullptr);
    EXPECT_TRUE(log.ContainsError(failed)) << log.Dump();
    log.Clear();
    EXPECT_FALSE(hac->ReadFilePart(hac->FindFileFromRoot(u"broken.txt"), 0, 0, buf.data()));
    EXPECT_TRUE(log.ContainsError(failed)) << log.Dump();
}

TEST(Hac3, DamagedArchivesAreNotMounted)
{
    TempDir dir("hac3bad");
    auto refused = [&](const std::vector<uint8_t> &bytes, const char *what)
    {
        SCOPED_TRACE(what);
        {
            auto direct = Reader(bytes);
            EXPECT_FALSE(direct->IsValid());
            EXPECT_FALSE(direct->FileExist(u"a.txt"));
            EXPECT_EQ(direct->GetFileCount(nullptr), 0);
        }
        LogCapture log;
        EXPECT_FALSE(MountBytes(dir, bytes, "bad.hac"));
        EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + dir.File16("bad.hac") + u">"))
            << log.Dump();
    };
    // One file "f" after body_len bytes of data.
    auto one_file = [](const RawFile &f, uint32_t body_len = 4)
    {
        ByteWriter b;
        b.Raw(kMagic).Raw(std::string(body_len, 'z'));
        const uint32_t d = b.Here();
        b.Text(u"r").U32(0).U32(1);
        FileRecord(b, f);
        b.U32(d);
        return b.b;
    };

    // One field of the known archive at a time given a value no sound archive has.
    const struct
    {
        size_t at;
        uint32_t value;
        const char *what;
    } patches[] = {
        {76, 1000, "directory past the end"},       {76, 4, "directory inside the magic"},
        {76, 75, "directory in the trailer"},       {22, 0xFFFFFFFF, "huge folder count"},
        {26, 0x10000000, "huge file count"},        {30, 0xFFFFFFFF, "negative name count"},
        {10, 0x7FFFFFFF, "root name past the end"}, {44, 40, "method name past the record"},
        {48, 100, "file bytes past the directory"}, {72, 9, "offset plus size past the directory"},
        {72, 0xFFFFFFF0u, "offset past the end"},   {48, 0x80000000u, "size over INT_MAX"},
    };
    for (const auto &p : patches)
    {
        auto c = kEighty;
        PutU32(c, p.at, p.value);
        refused(c, p.what);
    }

    ByteWriter cut;
    cut.Raw(std::vector<uint8_t>(kEighty.begin(), kEighty.begin() + 60)).U32(10);
    refused(cut.b, "directory cut short");
    for (size_t n : {5, 7, 8, 20})
        refused(std::vector<uint8_t>(kEighty.begin(), kEighty.begin() + long(n)), "cut short");

    refused(one_file({u"f", std::u16string(32, u'M'), 4, 4, 8}), "32-unit method name");
    refused(one_file({u"f", u"Zip", 100, 5, 8}), "compressed bytes run past");
    // 31 units is the longest method name accepted (unknown, so stored).
    {
        auto hac = Reader(one_file({u"f", std::u16string(31, u'M'), 4, 4, 8}));
        ASSERT_TRUE(hac->IsValid());
        EXPECT_EQ(LoadText(hac.get(), u"f"), "zzzz");
    }

    // Folders nested far deeper than any content needs (and than the stack allows).
    for (int depth : {100, 5000})
    {
        ByteWriter deep;
        deep.Raw(kMagic);
        for (int i = 0; i < depth; ++i)
            deep.Text(u"d").U32(i + 1 < depth ? 1 : 0);
        for (int i = 0; i < depth; ++i)
            deep.U32(0);
        deep.U32(8);
        refused(deep.b, "nesting depth");
    }
}

TEST(Hac3, ArchiveCutShortAfterMounting)
{
    const HandBuilt hb = MakeHandBuilt();
    TempDir dir("hac3cut");
    auto hac = MountBytes(dir, hb.bytes, "cut.hac");
    ASSERT_TRUE(hac);
    void *twenty = hac->FindFile(nullptr, u"twenty.bin");
    ASSERT_NE(twenty, nullptr);
    // The archive shrinks under the mounted reader: it now ends inside "twenty.bin".
    ASSERT_EQ(truncate(dir.File("cut.hac").c_str(), off_t(hb.twenty_at + 5)), 0);

    LogCapture log;
    char part[32];
    EXPECT_TRUE(hac->ReadFilePart(twenty, 0, 5, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 0, 0, part));
    EXPECT_FALSE(hac->ReadFilePart(twenty, 4, 2, part));
    void *buf = reinterpret_cast<void *>(1);
    int n = -1;
    EXPECT_FALSE(hac->LoadFile(u"twenty.bin", &buf, &n));
    EXPECT_EQ(buf, nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"twenty.bin", true), nullptr);
    EXPECT_GE(log.Errors().size(), 4u) << log.Dump();
    EXPECT_TRUE(log.ContainsPart(u"twenty.bin")) << log.Dump();
    // Files wholly before the cut still read.
    EXPECT_EQ(LoadText(hac.get(), u"sub\\deep\\note.txt"), "note");
}

TEST(Hac3, LoadFolderReadsOneRecord)
{
    const HandBuilt hb = MakeHandBuilt();
    auto hac = Reader(hb.bytes);
    ASSERT_TRUE(hac->IsValid());

    // A record standing after 10 other bytes, followed by more.
    ByteWriter rec;
    rec.Raw(std::string(10, 'q'));
    rec.Text(u"Extra").U32(1);
    rec.Text(u"Inner").U32(0).U32(0);
    rec.U32(2);
    FileRecord(rec, {u"B.bin", u"", 3, 3, 8});
    FileRecord(rec, {u"a.bin", u"Zip", 100, 4, 12});
    const size_t record_end = rec.b.size();
    rec.U32(0xDEADBEEF);
    auto load =
        [&](const std::vector<uint8_t> &bytes, hgl::HacFolder<hgl::Hac3File> &into, hgl::MemStream &ms)
    {
        ms.Write(bytes.data(), int(bytes.size()));
        ms.Position = 10;
        return hac->LoadFolder(&ms, &into);
    };

    hgl::MemStream ms;
    hgl::HacFolder<hgl::Hac3File> folder;
    ASSERT_TRUE(load(rec.b, folder, ms));
    EXPECT_EQ(int64_t(ms.Position), int64_t(record_end));
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

    // Cut inside the second file record.
    hgl::MemStream cs;
    hgl::HacFolder<hgl::Hac3File> partial;
    EXPECT_FALSE(
        load(std::vector<uint8_t>(rec.b.begin(), rec.b.begin() + long(record_end - 8)), partial, cs));

    // File bytes outside the archive's data.
    ByteWriter bad;
    bad.Raw(std::string(10, 'q'));
    bad.Text(u"x").U32(0).U32(1);
    FileRecord(bad, {u"f", u"", 10, 10, uint32_t(hb.bytes.size())});
    hgl::MemStream bs;
    hgl::HacFolder<hgl::Hac3File> other;
    EXPECT_FALSE(load(bad.b, other, bs));
    EXPECT_TRUE(other.files.empty());
}

TEST(HacWriter, PackedDiskFolderKeepsEmptyFolders)
{
    TempDir dir("hac3pack");
    ASSERT_TRUE(dir.WriteFile("src/Top.txt", "top"));
    ASSERT_TRUE(dir.WriteFile("src/Sub/Inner.txt", "inner"));
    ASSERT_TRUE(dir.MakeDir("src/Empty"));
    ASSERT_TRUE(dir.MakeDir("src/Sub/Deeper"));
    HacWriter w;
    std::string err;
    ASSERT_TRUE(w.AddDiskFolder(dir.File("src"), u"", &err)) << err;
    auto hac = Mount(dir, w, "out.hac");
    ASSERT_TRUE(hac);
    for (const char16_t *empty : {u"empty", u"Sub\\Deeper"})
    {
        void *f = hac->FindFolder(empty);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(hac->GetFileCount(f), 0);
    }
    EXPECT_EQ(LoadText(hac.get(), u"sub\\inner.txt"), "inner");
    EXPECT_TRUE(hac->FileExist(u"TOP.TXT"));
}

TEST(HacWriter, NamesDifferingOnlyInCaseAreRefused)
{
    // The reader finds names in any case: two such files in one folder would hide one.
    const std::pair<const char16_t *, const char16_t *> pairs[] = {
        {u"A.txt", u"a.txt"}, {u"Sub\\Note.TXT", u"sub\\note.txt"}, {u"x\\y\\Z", u"X\\Y\\z"}};
    for (const auto &[first, second] : pairs)
    {
        HacWriter w;
        w.root.Add(first, std::string("upper"));
        w.root.Add(second, std::string("lower"));
        std::vector<uint8_t> out;
        std::string err;
        EXPECT_FALSE(w.Build(out, &err)) << hgl::hacpack::Utf16ToUtf8(second);
        EXPECT_NE(err.find("duplicate"), std::string::npos) << err;
    }

    // The same from a disk folder, where both can exist side by side.
    TempDir dir("hac3case");
    ASSERT_TRUE(dir.WriteFile("src/A.txt", "upper"));
    ASSERT_TRUE(dir.WriteFile("src/a.txt", "lower"));
    HacWriter w;
    std::string err;
    ASSERT_TRUE(w.AddDiskFolder(dir.File("src"), u"", &err)) << err;
    EXPECT_FALSE(w.WriteFile(dir.File("out.hac"), &err));
    EXPECT_NE(err.find("duplicate"), std::string::npos) << err;
    EXPECT_FALSE(dir.Exists("out.hac"));
}

#ifdef HGL_HACPACK_EXE
TEST(HacWriter, PackerKeepsIncompressibleFilesReadable)
{
    TempDir dir("hac3tool");
    std::vector<uint8_t> noise(4096);
    unsigned seed = 5489;
    for (auto &b : noise)
        b = uint8_t((seed = seed * 1103515245u + 12345u) >> 16);
    ASSERT_TRUE(dir.WriteFile("src/noise.bin", noise));
    const std::string text(3000, 't');
    ASSERT_TRUE(dir.WriteFile("src/text.txt", text));

    const std::string cmd = std::string(HGL_HACPACK_EXE) + " " + dir.File("src") + " " + dir.File("out.hac") +
                            " --method Zip --plugins " HGL_PLUGIN_DIR;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    UseBuildPlugIns();
    std::unique_ptr<HAC> hac(hgl::OpenHAC(dir.File16("out.hac").c_str()));
    ASSERT_TRUE(hac);
    ExpectServes(hac.get(), u"noise.bin", std::string(noise.begin(), noise.end()));
    ExpectServes(hac.get(), u"text.txt", text);
}
#endif
