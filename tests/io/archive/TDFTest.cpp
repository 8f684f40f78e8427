// TDF trees: byte layout, child order, values, compressed blocks, damaged input
// and safe saving.
#include "ArchiveTestUtil.h"

#include "io/Compress.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/PartStream.h"
#include "io/StringList.h"
#include "io/TDF.h"
#include "support/Unprivileged.h"

#include <sys/stat.h>
#include <unistd.h>

using hgl::MemStream;
using hgl::String;
using hgl::TDFNode;
using hgl::test::TempDir;

namespace
{
std::vector<uint8_t> Saved(const TDFNode &n)
{
    MemStream ms;
    EXPECT_TRUE(n.Save(&ms));
    return std::vector<uint8_t>(ms.GetData(), ms.GetData() + int64_t(ms.Size));
}

std::vector<std::u16string> ChildNames(const TDFNode &n)
{
    std::vector<std::u16string> v;
    for (int i = 0; i < n.GetChildCount(); ++i)
        v.push_back(n.GetChild(i)->GetName().ToStdString());
    return v;
}

void Reload(TDFNode &into, const std::vector<uint8_t> &bytes)
{
    MemStream ms;
    if (!bytes.empty())
        ms.Write(bytes.data(), int(bytes.size()));
    ms.Position = 0;
    into.Clear();
    into.Load(&ms);
}
} // namespace

TEST(TDF, LayoutAndChildOrder)
{
    TDFNode a;
    a.SetName(u"a");
    EXPECT_EQ(Saved(a), (std::vector<uint8_t>{1, 0, 0, 0, 0x61, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // A hand-built file: root "r" with children "x" then "y"; Load keeps file order.
    const std::vector<uint8_t> file = {1, 0, 0, 0, 'r', 0, 0, 0, 0, 0, 2, 0, 0, 0,
                                       1, 0, 0, 0, 'x', 0, 1, 0, 0, 0, 7, 0, 0, 0, 0,
                                       1, 0, 0, 0, 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0};
    TDFNode r;
    Reload(r, file);
    EXPECT_EQ(ChildNames(r), (std::vector<std::u16string>{u"x", u"y"}));
    int8_t x = 0;
    EXPECT_TRUE(r.GetInt8(u"x", x));
    EXPECT_EQ(x, 7);

    TDFNode t;
    t.AddChild(u"x");
    t.AddChild(u"y");
    t.AddChild(u"z")->AddChild(u"inner");
    TDFNode once;
    Reload(once, Saved(t));
    EXPECT_EQ(ChildNames(once), (std::vector<std::u16string>{u"z", u"y", u"x"}));
    TDFNode twice;
    Reload(twice, Saved(once));
    EXPECT_EQ(ChildNames(twice), (std::vector<std::u16string>{u"x", u"y", u"z"}));
    EXPECT_EQ(Saved(twice), Saved(t));

    // Duplicate names are kept; the later one is found.
    TDFNode d;
    d.AddChild(u"k")->SetName(u"k");
    TDFNode *second = d.AddChild(u"k");
    EXPECT_EQ(d.FindChild(u"k"), second);
    EXPECT_EQ(d.GetChildCount(), 2);
    EXPECT_EQ(d.FindChild(u"none"), nullptr);
}

TEST(TDF, Values)
{
    TDFNode n;
    n.SetInt32(u"i", 5);
    TDFNode *child = n.SetInt32(u"i", -7);
    EXPECT_EQ(n.GetChildCount(), 1);
    EXPECT_EQ(int64_t(child->GetStream()->Size), 4);
    int32_t i = 0;
    EXPECT_TRUE(n.GetInt32(u"i", i));
    EXPECT_EQ(i, -7);

    n.SetInt16(u"short", 3);
    EXPECT_FALSE(n.GetInt32(u"short", i));      // only 2 bytes there
    EXPECT_FALSE(n.GetInt32(u"missing", i));

    bool b = false;
    int64_t l = 0;
    float f = 0;
    uint32_t u = 0;
    n.SetBool(u"b", true);
    n.SetInt64(u"l", -1234567890123LL);
    n.SetFloat(u"f", 1.5f);
    n.SetUInt32(u"u", 0xDEADBEEF);
    EXPECT_TRUE(n.GetBool(u"b", b) && b);
    EXPECT_TRUE(n.GetInt64(u"l", l));
    EXPECT_EQ(l, -1234567890123LL);
    EXPECT_TRUE(n.GetFloat(u"f", f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(n.GetUInt32(u"u", u));
    EXPECT_EQ(u, 0xDEADBEEF);

    String s(u"old");
    n.SetString(u"s", String(u"名前"));
    EXPECT_TRUE(n.GetString(u"s", s));
    EXPECT_EQ(s, u"名前");
    n.SetString(u"empty", String());
    EXPECT_FALSE(n.GetString(u"empty", s));     // a stored empty text reads as false
    EXPECT_EQ(s.GetLength(), 0);
    const uint8_t cut[] = {10, 0, 0, 0, 'a', 0};   // count 10, one unit present
    n.SetData(u"cut", cut, sizeof(cut));
    s = u"kept";
    EXPECT_FALSE(n.GetString(u"cut", s));
    EXPECT_EQ(s, u"kept");

    char16_t text[8];
    n.SetString(u"t", String(u"hello"));
    EXPECT_TRUE(n.GetText(u"t", text, 7));
    EXPECT_EQ(std::u16string(text), u"hello");
    EXPECT_FALSE(n.GetText(u"t", text, 4));     // does not fit
    EXPECT_FALSE(n.GetText(u"cut", text, 7));
    // An array gives its own capacity, less the terminator.
    char16_t six[6], five[5];
    EXPECT_TRUE(n.GetText(u"t", six));
    EXPECT_EQ(std::u16string(six), u"hello");
    EXPECT_FALSE(n.GetText(u"t", five));
    EXPECT_FALSE(n.GetText(u"none", six));

    // Objects in their own stream form.
    hgl::StringList list;
    list.AddText(u"one");
    list.AddText(u"");
    n.SetObject(u"list", &list);
    EXPECT_EQ(int64_t(n.FindChild(u"list")->GetStream()->Size), 4 + 4 + 6 + 4);
    hgl::StringList got;
    EXPECT_TRUE(n.GetObject(u"list", &got));
    EXPECT_EQ(got.Count, 2);
    EXPECT_FALSE(n.GetObject(u"short", &got));
    EXPECT_FALSE(n.GetObject(u"missing", &got));

    uint8_t data[6] = {1, 2, 3, 4, 5, 6};
    n.SetData(u"d", data, 4);
    uint8_t out[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_TRUE(n.GetData(u"d", out, 4));
    EXPECT_FALSE(n.GetData(u"d", out, 6));
    EXPECT_EQ(out[4], 0);
}

TEST(TDF, CompressedBlocks)
{
    TDFNode n;
    // Uncompressed block: a destination smaller than the data gets only its size.
    n.SetString(hgl::TDFCompressKey, String());
    const uint8_t raw[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    n.SetData(u"blk", raw, 10);
    uint8_t out[16] = {};
    EXPECT_EQ(n.LoadCompressData(u"blk", out, 4), 4);
    EXPECT_EQ(out[3], 3);
    EXPECT_EQ(n.LoadCompressData(u"none", out, 4), -1);

    // A picture that does not shrink is stored raw with an empty method name.
    std::vector<uint8_t> noise(16 * 16 * 3);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = uint8_t(i * 2654435761u >> 13);
    TDFNode p;
    EXPECT_TRUE(p.SaveCompressImage(u"pic", noise.data(), 16, 16, 3, String(u"NoSuchMethod")));
    String method(u"x");
    EXPECT_FALSE(p.GetString(hgl::TDFCompressKey, method));
    EXPECT_EQ(method.GetLength(), 0);
    std::vector<uint8_t> back(noise.size());
    EXPECT_EQ(p.LoadCompressImage(u"pic", back.data(), 16, 16, 3), int(noise.size()));
    EXPECT_EQ(back, noise);
    EXPECT_FALSE(p.SaveCompressImage(u"huge", noise.data(), 1 << 16, 1 << 16, 4, String(u"Zip")));

    // Through the Zip plug-in.
    archive_test::UseBuildPlugIns();
    ASSERT_NE(hgl::GetCompressInterface(String(u"Zip")), nullptr) << "the Zip plug-in is needed";
    {
        std::vector<uint8_t> flat(64 * 64 * 4, 0x42);
        TDFNode z;
        z.SaveCompressImage(u"pic", flat.data(), 64, 64, 4, String(u"Zip"));
        EXPECT_TRUE(z.GetString(hgl::TDFCompressKey, method));
        EXPECT_EQ(method, u"Zip");
        EXPECT_LT(int64_t(z.FindChild(u"pic")->GetStream()->Size), int64_t(flat.size()));
        std::vector<uint8_t> got(flat.size());
        EXPECT_EQ(z.LoadCompressImage(u"pic", got.data(), 64, 64, 4), int(flat.size()));
        EXPECT_EQ(got, flat);
    }
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

    for (size_t cut = 0; cut < bytes.size(); ++cut)
    {
        MemStream ms;
        if (cut)
            ms.Write(bytes.data(), int(cut));
        ms.Position = 0;
        TDFNode n;
        EXPECT_FALSE(n.Load(&ms)) << cut;
        // Whatever was read is a prefix of the tree and saves again.
        const auto again = Saved(n);
        EXPECT_LE(again.size(), bytes.size() + 64);

        // The same through a window onto a larger stream (the buffered path).
        MemStream whole;
        whole.Write(bytes.data(), int(bytes.size()));
        hgl::PartStream window(&whole, 0, int64_t(cut), true);
        TDFNode w;
        EXPECT_FALSE(w.Load(&window)) << cut;
        EXPECT_EQ(Saved(w), again) << cut;
    }
    {
        MemStream ms;
        ms.Write(bytes.data(), int(bytes.size()));
        ms.Position = 0;
        TDFNode n;
        EXPECT_TRUE(n.Load(&ms));
        EXPECT_EQ(Saved(n).size(), bytes.size());
    }

    // Counts and sizes beyond the data are refused without allocating for them.
    std::vector<uint8_t> huge = {1, 0, 0, 0, 'r', 0, 0xFF, 0xFF, 0xFF, 0x7F};
    TDFNode h;
    Reload(h, huge);
    EXPECT_EQ(h.GetChildCount(), 0);
    huge = {1, 0, 0, 0, 'r', 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    Reload(h, huge);
    EXPECT_EQ(h.GetChildCount(), 0);

    // Nesting deeper than the limit ends the load.
    std::vector<uint8_t> deep;
    for (int i = 0; i < 400; ++i)
        deep.insert(deep.end(), {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
    MemStream ms;
    ms.Write(deep.data(), int(deep.size()));
    ms.Position = 0;
    TDFNode dn;
    EXPECT_FALSE(dn.Load(&ms));
}

TEST(TDF, Files)
{
    TempDir dir("tdf");
    TDFNode t;
    t.SetName(u"cfg");
    t.SetInt32(u"Volume", 80);
    const std::u16string path = dir.File16("Config.TDF");
    ASSERT_TRUE(t.SaveToFile(path.c_str()));
    EXPECT_FALSE(dir.Exists("Config.TDF.tmp"));

    TDFNode r(path.c_str());
    int32_t v = 0;
    EXPECT_TRUE(r.GetInt32(u"Volume", v));
    EXPECT_EQ(v, 80);
    TDFNode r2;
    EXPECT_TRUE(r2.LoadFromFile(dir.File16("config.tdf").c_str()));
    EXPECT_EQ(r2.GetName(), u"cfg");
    EXPECT_FALSE(r2.LoadFromFile(dir.File16("none.tdf").c_str()));

    // Two trees one after the other in a file: each load ends where its tree does.
    {
        hgl::FileStream out;
        ASSERT_TRUE(out.Create(dir.File16("two.bin").c_str()));
        TDFNode second;
        second.SetName(u"second");
        ASSERT_TRUE(t.Save(&out));
        ASSERT_TRUE(second.Save(&out));
        out.Close();
        hgl::FileStream in(dir.File16("two.bin").c_str(), 2);
        TDFNode one(&in), two(&in);
        EXPECT_EQ(one.GetName(), u"cfg");
        EXPECT_EQ(two.GetName(), u"second");
        EXPECT_EQ(int64_t(in.Position), int64_t(in.Size));
    }

    // From an archive.
    hgl::hacpack::HacWriter w;
    std::string saved = dir.ReadFile("Config.TDF");
    w.root.Add(u"save\\Config.TDF", saved);
    auto hac = archive_test::Mount(dir, w);
    ASSERT_TRUE(hac);
    TDFNode fromHac(hac.get(), u"Save\\config.tdf");
    EXPECT_TRUE(fromHac.GetInt32(u"Volume", v));

    // The temporary file cannot be made (a folder is in its place): false, and the
    // old file is untouched.
    {
        const std::string before = dir.ReadFile("Config.TDF");
        ASSERT_TRUE(dir.MakeDir("Config.TDF.tmp"));
        t.SetInt32(u"Volume", 10);
        EXPECT_FALSE(t.SaveToFile(path.c_str()));
        EXPECT_EQ(dir.ReadFile("Config.TDF"), before);
        EXPECT_FALSE(t.SaveToFile(dir.File16("no/such/folder/x.tdf").c_str()));
    }

    // A folder that cannot be written. Root ignores the permission bits, so there
    // the save is tried by a child running as nobody, the owner of the folder.
    {
        ASSERT_TRUE(dir.MakeDir("ro"));
        const std::u16string ro = dir.File16("ro/Game.TDF");
        ASSERT_TRUE(t.SaveToFile(ro.c_str()));
        const std::string before = dir.ReadFile("ro/Game.TDF");
        ASSERT_FALSE(before.empty());
        for (const char *p : {"", "ro", "ro/Game.TDF"})
            ASSERT_TRUE(hgl::test::GiveToNobody(*p ? dir.File(p) : dir.Path())) << p;
        ASSERT_EQ(chmod(dir.File("ro").c_str(), 0555), 0);
        t.SetInt32(u"Volume", 10);
        std::string why;
        const auto outcome = hgl::test::RunUnprivileged(
            [&] {
                EXPECT_FALSE(t.SaveToFile(ro.c_str()));
                return true;
            },
            &why, {dir.Path(), dir.File("ro")});
        chmod(dir.File("ro").c_str(), 0755);
        EXPECT_EQ(dir.ReadFile("ro/Game.TDF"), before);
        EXPECT_FALSE(dir.Exists("ro/Game.TDF.tmp"));
        if (outcome == hgl::test::ChildOutcome::Unavailable)
            GTEST_SKIP() << "the read-only folder was not tried: " << why;
        EXPECT_EQ(outcome, hgl::test::ChildOutcome::Passed) << why;
    }
}
