// File helpers on null, empty and unusual arguments, and the fields of FileInfo.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <thread>
#include <string>
#include <vector>

#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "Watchdog.h"

using namespace hgl;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{
std::u16string In(const TempDir &dir, const std::u16string &rel) { return dir.Path16() + u"\\" + rel; }

struct Entry
{
    uint64 size;
    bool folder;
    bool read_only;
    std::u16string full;
};

void Record(void *data, FileInfo *info)
{
    auto *m = static_cast<std::map<std::u16string, Entry> *>(data);
    (*m)[info->name] = Entry{info->size, info->is_directory, info->is_read_only, info->full_name};
}
} // namespace

TEST(FilesEdge, NullEmptyAndFolderArguments)
{
    TempDir dir("filesedge");
    ASSERT_TRUE(dir.WriteFile("Doc.txt", "12345"));
    ASSERT_TRUE(dir.MakeDir("Folder"));
    LogCapture log;

    EXPECT_FALSE(FileExist(nullptr));
    EXPECT_FALSE(FileExist(u""));
    EXPECT_FALSE(IsDirectory(nullptr));
    EXPECT_FALSE(IsDirectory(u""));
    EXPECT_FALSE(FileDelete(nullptr));
    EXPECT_FALSE(FileDelete(u""));
    EXPECT_FALSE(FileMove(nullptr, In(dir, u"x").c_str()));
    EXPECT_FALSE(FileMove(In(dir, u"Doc.txt").c_str(), nullptr));
    EXPECT_FALSE(MakePath(nullptr));
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), nullptr, nullptr, Record), -1);

    // Folders and files alike exist; only folders are directories.
    EXPECT_TRUE(FileExist(In(dir, u"folder").c_str()));
    EXPECT_TRUE(FileExist(In(dir, u"DOC.TXT").c_str()));
    EXPECT_TRUE(FileExist(In(dir, u"d?c.*").c_str()));
    EXPECT_TRUE(IsDirectory(In(dir, u"F*").c_str()));
    EXPECT_FALSE(IsDirectory(In(dir, u"D*").c_str()));
    EXPECT_TRUE(IsDirectory(dir.Path16().c_str()));

    // A folder is not deleted as a file, and a move never lands on a folder.
    EXPECT_FALSE(FileDelete(In(dir, u"Folder").c_str()));
    EXPECT_TRUE(IsDirectory(In(dir, u"Folder").c_str()));
    EXPECT_FALSE(FileMove(In(dir, u"Doc.txt").c_str(), In(dir, u"FOLDER").c_str()));
    EXPECT_EQ(dir.ReadFile("Doc.txt"), "12345");

    // Moving into another (existing, differently spelled) folder.
    EXPECT_TRUE(FileMove(In(dir, u"doc.TXT").c_str(), In(dir, u"folder\\Moved.txt").c_str()));
    EXPECT_EQ(dir.List("Folder"), std::vector<std::string>{"Moved.txt"});
    EXPECT_FALSE(FileExist(In(dir, u"Doc.txt").c_str()));

    // MakePath on what already exists, on the root and with repeated separators.
    EXPECT_TRUE(MakePath(u"/"));
    EXPECT_TRUE(MakePath(dir.Path16().c_str()));
    EXPECT_TRUE(MakePath((dir.Path16() + u"\\").c_str()));
    EXPECT_TRUE(MakePath(In(dir, u"FOLDER").c_str()));
    EXPECT_TRUE(MakePath(In(dir, u"p/q\\r").c_str()));
    EXPECT_TRUE(IsDirectory(In(dir, u"P\\Q\\R").c_str()));
    EXPECT_EQ(log.Count(), 0u) << log.Dump();

    // The buffer form never writes past its size, even a size of 0.
    u16char buf[4] = {u'k', u'k', u'k', u'k'};
    EXPECT_FALSE(MergePathToBuffer(buf, 0, u"a", u"b"));
    EXPECT_FALSE(MergePathToBuffer(buf, 3, u"a", u"b"));
    EXPECT_EQ(buf[0], u'k');
    EXPECT_TRUE(MergePathToBuffer(buf, 4, u"a", u"b"));
    EXPECT_EQ(std::u16string(buf), u"a\\b");
    EXPECT_TRUE(MergePathToBuffer(buf, 4, u"a\\", u"b"));
    EXPECT_EQ(std::u16string(buf), u"a\\b");
}

TEST(FilesEdge, InfoFieldsAndCounts)
{
    TempDir dir("enuminfo");
    ASSERT_TRUE(dir.WriteFile("five.bin", "12345"));
    ASSERT_TRUE(dir.WriteFile("none.bin", ""));
    ASSERT_TRUE(dir.WriteFile("ro.bin", "r"));
    ASSERT_TRUE(dir.WriteFile("Sub/inner.bin", "1234567"));
    ASSERT_EQ(chmod(dir.File("ro.bin").c_str(), 0444), 0);
    const bool bits_bind = access(dir.File("ro.bin").c_str(), W_OK) != 0;

    std::map<std::u16string, Entry> seen;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &seen, Record), 4);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[u"five.bin"].size, 5u);
    EXPECT_EQ(seen[u"none.bin"].size, 0u);
    EXPECT_FALSE(seen[u"five.bin"].folder);
    EXPECT_FALSE(seen[u"five.bin"].read_only);
    EXPECT_TRUE(seen[u"Sub"].folder);
    EXPECT_EQ(seen[u"Sub"].full, dir.Path16() + u"\\Sub");
    if (bits_bind) {
        EXPECT_TRUE(seen[u"ro.bin"].read_only);
    }

    // Only folders, recursing: the sub-folder is reported, its file is not.
    std::map<std::u16string, Entry> folders;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &folders, true, false, true, Record), 1);
    EXPECT_EQ(folders.count(u"Sub"), 1u);

    // Only files, recursing: the inner file comes with its full path.
    std::map<std::u16string, Entry> files;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &files, false, true, true, Record), 4);
    EXPECT_EQ(files[u"inner.bin"].full, dir.Path16() + u"\\Sub\\inner.bin");
    EXPECT_EQ(files[u"inner.bin"].size, 7u);

    // Neither folders nor files: nothing is reported.
    std::map<std::u16string, Entry> nothing;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &nothing, false, false, false, Record), 0);
    EXPECT_TRUE(nothing.empty());

    // A folder given with a trailing separator gets no second one.
    std::map<std::u16string, Entry> trail;
    EXPECT_EQ(EnumFile((dir.Path16() + u"\\sub\\").c_str(), u"*.BIN", &trail, Record), 1);
    EXPECT_EQ(trail[u"inner.bin"].full, dir.Path16() + u"\\sub\\inner.bin");
    chmod(dir.File("ro.bin").c_str(), 0644);
}

TEST(FilesEdge, NamedPipesAreRefusedNotWaitedOn)
{
    // Opening a pipe for reading waits for a writer; nothing here may wait.
    hgl::test::Watchdog dog("FilesEdge.NamedPipesAreRefusedNotWaitedOn");
    TempDir dir("fifo");
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0666), 0);
    const std::u16string pipe = In(dir, u"PIPE");
    LogCapture log;
    for (int mode : {1, 2, 4, 6}) {
        FileStream f;
        EXPECT_FALSE(f.Open(pipe.c_str(), mode)) << mode;
    }
    void *buf = nullptr;
    EXPECT_EQ(LoadFileToMemory(pipe.c_str(), &buf), 0);
    EXPECT_EQ(buf, nullptr);
    MemStream m;
    EXPECT_FALSE(m.LoadFromFile(pipe.c_str()));
    EXPECT_TRUE(FileExist(pipe.c_str()));
    EXPECT_FALSE(IsDirectory(pipe.c_str()));
}

TEST(FilesEdge, MixedCaseLookupsFromSeveralThreads)
{
    // Content may be read from worker threads (the archive loader) while the game
    // thread writes saves beside it: the folder listings behind case-insensitive
    // names are shared and must stay consistent.
    hgl::test::Watchdog dog("FilesEdge.MixedCaseLookupsFromSeveralThreads");
    TempDir dir("mtcase");
    ASSERT_TRUE(dir.WriteFile("Data/Pic.TEX", "tex"));
    std::atomic<int> wrong{0};
    std::atomic<bool> writing{true};
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) {
            const std::u16string name = In(dir, u"data\\Save" + hgl::test::ToU16(std::to_string(i % 7)) + u".tmp");
            FileStream f;
            if (f.Create(name.c_str())) f.Write("x", 1);
            f.Close();
            if (i % 2) FileDelete(name.c_str());
        }
        writing = false;
    });
    std::vector<std::thread> readers;
    for (int t = 0; t < 3; ++t)
        readers.emplace_back([&] {
            for (int i = 0; i < 200 || writing; ++i) {
                if (!FileExist(In(dir, u"DATA\\pic.tex").c_str())) ++wrong;
                char *buf = nullptr;
                if (LoadFileToMemory(In(dir, u"data/PIC.Tex").c_str(), &buf) != 3) ++wrong;
                delete[] buf;
                if (i > 100000) break;
            }
        });
    writer.join();
    for (auto &r : readers) r.join();
    EXPECT_EQ(wrong, 0);
    // The writes all went into the one existing folder.
    EXPECT_EQ(dir.List(), std::vector<std::string>{"Data"});
}
