// Saving and restoring the call stack: the record byte for byte, at the stream's
// current position, and records that are cut short, lie about their contents or name
// functions that are no longer loaded.
#include "ScriptHost.h"

#include "io/MemStream.h"
#include "support/LogCapture.h"

#include <utility>

using namespace script_test;
using Bytes = std::vector<hgl::uint8>;

namespace
{
Bytes Contents(const hgl::MemStream &s)
{
    const hgl::uint8 *p = s.GetData();
    return p ? Bytes(p, p + s.GetSize()) : Bytes();
}

Bytes Saved(DevilEngine &e)
{
    hgl::MemStream s;
    EXPECT_TRUE(e.SaveState(&s));
    return Contents(s);
}

std::unique_ptr<hgl::MemStream> StreamOf(const Bytes &b)
{
    auto s = std::make_unique<hgl::MemStream>();
    if (!b.empty()) s->Write(b.data(), int(b.size()));
    s->SetPosition(0);
    return s;
}

bool Load(DevilEngine &e, const Bytes &b)
{
    return e.LoadState(StreamOf(b).get());
}

void Le32(Bytes &b, hgl::int32 v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(hgl::uint8(hgl::uint32(v) >> (8 * i)));
}
void Name(Bytes &b, std::u16string_view n)
{
    Le32(b, hgl::int32(n.size()));
    for (u16char c : n)
    {
        b.push_back(hgl::uint8(c));
        b.push_back(hgl::uint8(c >> 8));
    }
}

// A run-state record: the frame count, then each frame's function name and command index.
Bytes Record(std::initializer_list<std::pair<std::u16string_view, hgl::int32>> frames)
{
    Bytes b;
    Le32(b, hgl::int32(frames.size()));
    for (const auto &[name, index] : frames)
    {
        Name(b, name);
        Le32(b, index);
    }
    return b;
}

// "sub" pauses at its command 1; "main" calls it as command 1.
void Story(ScriptHost &h)
{
    auto sub = h.New(u"sub");
    h.Native(sub.get(), u"Mark", {u"s1"});
    h.Native(sub.get(), u"Wait", {u"sw"});
    h.Native(sub.get(), u"Mark", {u"s2"});
    DevilFunc *subp = h.Add(std::move(sub));
    auto main = h.New(u"main");
    h.Native(main.get(), u"Mark", {u"m1"});
    main->AddScriptFuncCall(subp);
    h.Native(main.get(), u"Wait", {u"mw"});
    h.Native(main.get(), u"Mark", {u"m2"});
    h.Add(std::move(main));
}

// main -> sub -> deeper, paused in deeper. The calls sit at different places in each
// function, so each frame's index tells which one it is.
void ThreeDeep(ScriptHost &t)
{
    auto deeper = t.New(u"deeper");
    for (const u16char *m : {u"d1", u"d2", u"d3"})
        t.Native(deeper.get(), u"Mark", {m});
    t.Native(deeper.get(), u"Wait", {u"dw"}); // command 3
    t.Native(deeper.get(), u"Mark", {u"d4"});
    DevilFunc *deeperp = t.Add(std::move(deeper));
    auto sub = t.New(u"sub");
    t.Native(sub.get(), u"Mark", {u"s1"});
    t.Native(sub.get(), u"Mark", {u"s2"});
    sub->AddScriptFuncCall(deeperp); // command 2
    t.Native(sub.get(), u"Mark", {u"s3"});
    DevilFunc *subp = t.Add(std::move(sub));
    auto main = t.New(u"main");
    main->AddScriptFuncCall(subp); // command 0
    t.Native(main.get(), u"Mark", {u"m1"});
    t.Add(std::move(main));
}

} // namespace

TEST(DevilRunState, RecordsByteForByte)
{
    ScriptHost h;
    Story(h);
    EXPECT_EQ(Saved(h.engine), (Bytes{0, 0, 0, 0}));
    EXPECT_FALSE(h.engine.Start(u"main", nullptr)); // no label: positioned at 0 anyway
    h.engine.Goto(h.engine.GetScriptFunc(u"main"), 3);
    EXPECT_EQ(Saved(h.engine),
              (Bytes{1, 0, 0, 0, 4, 0, 0, 0, 0x6D, 0, 0x61, 0, 0x69, 0, 0x6E, 0, 3, 0, 0, 0}));

    // A state saved by a native during the run already points past that native.
    struct Saver
    {
        DevilEngine *e;
        Bytes got;
        void Save() { got = Saved(*e); }
    } saver{&h.engine, {}};
    ASSERT_TRUE(h.engine.MapMemberFunc(u"void Save()", &saver, &Saver::Save));
    auto f = h.New(u"saving");
    h.Native(f.get(), u"Save");
    h.Add(std::move(f));
    EXPECT_TRUE(h.engine.RunFunc(u"saving"));
    EXPECT_EQ(saver.got, Record({{u"saving", 1}}));

    // Three frames in 54 bytes, outermost first.
    ScriptHost deep;
    ThreeDeep(deep);
    EXPECT_TRUE(deep.engine.RunFunc(u"main"));
    EXPECT_EQ(deep.trace, (Trace{u"s1", u"s2", u"d1", u"d2", u"d3", u"dw"}));
    const Bytes three_frames = {
        3,    0, 0, 0, 4,    0, 0,    0, 0x6D, 0, 0x61, 0, 0x69, 0,
        0x6E, 0, 1, 0, 0,    0,                                     // "main" after the call
        3,    0, 0, 0, 0x73, 0, 0x75, 0, 0x62, 0, 3,    0, 0,    0, // "sub" after the call
        6,    0, 0, 0, 0x64, 0, 0x65, 0, 0x65, 0, 0x70, 0, 0x65, 0,
        0x72, 0, 4, 0, 0,    0, // "deeper" after the pause
    };
    EXPECT_EQ(Saved(deep.engine), three_frames);
    EXPECT_EQ(deep.engine.GetRunState(), 1); // saving changes nothing
    EXPECT_EQ(deep.engine.GetStackDepth(), 3);

    // A fresh engine with the same functions ends the story from there: the rest of
    // deeper, then of sub, then of main.
    ScriptHost fresh;
    ThreeDeep(fresh);
    ASSERT_TRUE(Load(fresh.engine, three_frames));
    EXPECT_EQ(fresh.engine.GetStackDepth(), 3);
    EXPECT_EQ(fresh.Position(), u"none");     // no current frame until resumed
    EXPECT_EQ(fresh.engine.GetRunState(), 2); // the run state is not part of the record
    EXPECT_EQ(Saved(fresh.engine), three_frames);
    EXPECT_TRUE(fresh.engine.Resume(nullptr));
    EXPECT_EQ(fresh.trace, (Trace{u"d4", u"s3", u"m1"}));
    EXPECT_EQ(Saved(fresh.engine), (Bytes{0, 0, 0, 0}));
}

TEST(DevilRunState, LyingRecords)
{
    ScriptHost h;
    Story(h);
    hgl::test::LogCapture log;

    // A count of 0 or below: no frames, true.
    Bytes neg;
    Le32(neg, -5);
    EXPECT_TRUE(Load(h.engine, neg));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(log.Infos(), (Trace{u"不知道从那里开始运行"}));

    // A huge count is never used for memory: the record simply ends.
    Bytes huge;
    Le32(huge, 0x7FFFFFFF);
    Name(huge, u"main");
    Le32(huge, 0);
    EXPECT_FALSE(Load(h.engine, huge));
    EXPECT_EQ(h.engine.GetStackDepth(), 1);

    // Names: empty, negative, huge, longer than the record.
    for (hgl::int32 len : {0, -1, -0x7FFFFFFF, 0x7FFFFFFF, 0x40000000, 5})
    {
        Bytes b;
        Le32(b, 1);
        Le32(b, len);
        b.insert(b.end(), {0x6D, 0, 0x61, 0});
        Le32(b, 0);
        EXPECT_FALSE(Load(h.engine, b)) << len;
        EXPECT_EQ(h.engine.GetStackDepth(), 0);
    }

    // A negative index is refused; the frames before it stay.
    EXPECT_FALSE(Load(h.engine, Record({{u"main", 1}, {u"sub", -1}})));
    EXPECT_EQ(h.engine.GetStackDepth(), 1);

    // An index past the end is valid: the function ends at once.
    EXPECT_TRUE(Load(h.engine, Record({{u"main", 99}})));
    h.trace.clear();
    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_TRUE(h.trace.empty());
    EXPECT_TRUE(log.Errors().empty());
    EXPECT_FALSE(h.engine.LoadState(nullptr));
}

TEST(DevilRunState, FramesOfFunctionsNoLongerLoaded)
{
    ScriptHost h;
    Story(h);
    hgl::test::LogCapture log;
    const Bytes rec = Record({{u"main", 1}, {u"gone", 7}});
    ASSERT_TRUE(Load(h.engine, rec));
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    ASSERT_EQ(h.engine.GetStackDepth(), 2);
    EXPECT_EQ(h.engine.GetFrame(1).func, nullptr);
    EXPECT_EQ(h.engine.GetFrameName(1), u"gone");

    // Resume refuses the frame before it looks at the name: the stack stays.
    EXPECT_FALSE(h.engine.Resume(u"main"));
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(log.Errors(), (Trace{u"当前堆栈中的函数指针为NULL", u"当前堆栈中的函数指针为NULL"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 2);
    EXPECT_TRUE(h.trace.empty());
    // Its position is the name and index it was saved under; no label can be looked up
    // in it; saving writes the same bytes back.
    EXPECT_EQ(h.Position(), u"gone:7");
    EXPECT_FALSE(h.engine.GotoLabel(u"x"));
    EXPECT_EQ(log.CountOf(u"当前堆栈中的函数指针为NULL"), 3u);
    EXPECT_EQ(Saved(h.engine), rec);

    // Lower in the stack: the run reaches it on return and fails there.
    log.Clear();
    ASSERT_TRUE(Load(h.engine, Record({{u"chapter9", 4}, {u"sub", 2}})));
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"s2"}));
    EXPECT_EQ(log.Errors(), (Trace{u"当前堆栈中的函数指针为NULL"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 1);
    EXPECT_EQ(Saved(h.engine), Record({{u"chapter9", 4}}));
}
