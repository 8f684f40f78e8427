// Saving and restoring the call stack: the record byte for byte, and records that
// are cut short or lie about their contents.
#include "VmTestHost.h"

#include "io/MemStream.h"
#include "support/LogCapture.h"

#include <utility>

using namespace vmtest;
using Bytes = std::vector<hgl::uint8>;
using Trace = std::vector<std::u16string>;

namespace
{
Bytes Saved(DevilEngine &e)
{
    hgl::MemStream s;
    EXPECT_TRUE(e.SaveState(&s));
    const hgl::uint8 *p = s.GetData();
    return Bytes(p, p + s.GetSize());
}

std::unique_ptr<hgl::MemStream> StreamOf(const Bytes &b)
{
    auto s = std::make_unique<hgl::MemStream>();
    if (!b.empty()) s->Write(b.data(), int(b.size()));
    s->SetPosition(0);
    return s;
}

void Le32(Bytes &b, hgl::int32 v)
{
    for (int i = 0; i < 4; ++i) b.push_back(hgl::uint8(hgl::uint32(v) >> (8 * i)));
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
void Story(Host &h)
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

// A stream that takes only so many bytes.
class ShortStream : public hgl::MemStream
{
    int left;

public:
    explicit ShortStream(int n) : left(n) {}
    int Write(const void *buf, int n) override
    {
        const int take = n < left ? n : left;
        left -= take;
        return take > 0 ? MemStream::Write(buf, take) : 0;
    }
};
} // namespace

TEST(DevilRunState, RecordsByteForByte)
{
    Host h;
    Story(h);
    EXPECT_EQ(Saved(h.engine), (Bytes{0, 0, 0, 0}));

    EXPECT_TRUE(h.engine.Start(u"main", nullptr) == false);     // no label: positioned at 0 anyway
    h.engine.Goto(h.engine.GetScriptFunc(u"main"), 3);
    EXPECT_EQ(Saved(h.engine), (Bytes{1, 0, 0, 0, 4, 0, 0, 0, 0x6D, 0, 0x61, 0, 0x69, 0, 0x6E, 0, 3, 0, 0, 0}));

    // Paused inside sub, called from main.
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"m1", u"s1", u"sw"}));
    Bytes two = Record({{u"main", 2}, {u"sub", 2}});
    const Bytes saved = Saved(h.engine);
    EXPECT_EQ(saved, two);
    EXPECT_EQ(saved.size(), 34u);
    EXPECT_EQ(h.engine.GetRunState(), 1);         // saving changes nothing
    EXPECT_EQ(h.engine.GetStackDepth(), 2);

    // Restored into a fresh engine with the same script, the story goes on in sub
    // and returns into main.
    Host fresh;
    Story(fresh);
    auto s = StreamOf(saved);
    EXPECT_TRUE(fresh.engine.LoadState(s.get()));
    EXPECT_EQ(fresh.engine.GetStackDepth(), 2);
    EXPECT_EQ(fresh.Position(), u"none");         // no current frame until resumed
    EXPECT_EQ(fresh.engine.GetRunState(), 2);     // the run state is not part of the record
    EXPECT_EQ(Saved(fresh.engine), saved);        // and saving it again gives the same bytes
    EXPECT_TRUE(fresh.engine.Resume(nullptr));
    EXPECT_EQ(fresh.trace, (Trace{u"s2", u"mw"}));
    EXPECT_TRUE(fresh.engine.Resume(nullptr));
    EXPECT_EQ(fresh.trace, (Trace{u"s2", u"mw", u"m2"}));

    // A state saved by a native during the run already points past that native.
    Host g;
    Story(g);
    struct Saver
    {
        DevilEngine *e;
        Bytes got;
        void Save() { got = Saved(*e); }
    } saver{&g.engine, {}};
    ASSERT_TRUE(g.engine.MapMemberFunc(u"void Save()", &saver, &Saver::Save));
    auto f = g.New(u"saving");
    g.Native(f.get(), u"Save");
    g.Add(std::move(f));
    EXPECT_TRUE(g.engine.RunFunc(u"saving"));
    Bytes one = Record({{u"saving", 1}});
    EXPECT_EQ(saver.got, one);

    // Three frames: paused inside main -> sub -> deeper. The calls sit at different
    // places in each function, so each frame's index tells which one it is.
    auto three = [](Host &t) {
        auto deeper = t.New(u"deeper");
        t.Native(deeper.get(), u"Mark", {u"d1"});
        t.Native(deeper.get(), u"Mark", {u"d2"});
        t.Native(deeper.get(), u"Mark", {u"d3"});
        t.Native(deeper.get(), u"Wait", {u"dw"});       // command 3
        t.Native(deeper.get(), u"Mark", {u"d4"});
        DevilFunc *deeperp = t.Add(std::move(deeper));
        auto sub = t.New(u"sub");
        t.Native(sub.get(), u"Mark", {u"s1"});
        t.Native(sub.get(), u"Mark", {u"s2"});
        sub->AddScriptFuncCall(deeperp);                 // command 2
        t.Native(sub.get(), u"Mark", {u"s3"});
        DevilFunc *subp = t.Add(std::move(sub));
        auto main = t.New(u"main");
        main->AddScriptFuncCall(subp);                   // command 0
        t.Native(main.get(), u"Mark", {u"m1"});
        t.Add(std::move(main));
    };
    Host deep;
    three(deep);
    EXPECT_TRUE(deep.engine.RunFunc(u"main"));
    EXPECT_EQ(deep.trace, (Trace{u"s1", u"s2", u"d1", u"d2", u"d3", u"dw"}));
    EXPECT_EQ(deep.engine.GetStackDepth(), 3);
    const Bytes three_frames = {
        3, 0, 0, 0,                                                  // three frames, outermost first
        4, 0, 0, 0, 0x6D, 0, 0x61, 0, 0x69, 0, 0x6E, 0,              // "main"
        1, 0, 0, 0,                                                  //   goes on after the call
        3, 0, 0, 0, 0x73, 0, 0x75, 0, 0x62, 0,                       // "sub"
        3, 0, 0, 0,                                                  //   goes on after the call
        6, 0, 0, 0, 0x64, 0, 0x65, 0, 0x65, 0, 0x70, 0, 0x65, 0, 0x72, 0, // "deeper"
        4, 0, 0, 0,                                                  //   goes on after the pause
    };
    const Bytes deep_saved = Saved(deep.engine);
    EXPECT_EQ(deep_saved, three_frames);
    EXPECT_EQ(deep_saved.size(), 4u + (4 + 8 + 4) + (4 + 6 + 4) + (4 + 12 + 4));

    // A fresh engine with the same functions ends the story from there: the rest
    // of deeper, then of sub, then of main.
    Host deep_fresh;
    three(deep_fresh);
    auto ds = StreamOf(three_frames);
    ASSERT_TRUE(deep_fresh.engine.LoadState(ds.get()));
    EXPECT_EQ(deep_fresh.engine.GetStackDepth(), 3);
    EXPECT_EQ(Saved(deep_fresh.engine), three_frames);
    EXPECT_TRUE(deep_fresh.engine.Resume(nullptr));
    EXPECT_EQ(deep_fresh.trace, (Trace{u"d4", u"s3", u"m1"}));
    EXPECT_EQ(deep_fresh.engine.GetStackDepth(), 0);
    EXPECT_EQ(Saved(deep_fresh.engine), (Bytes{0, 0, 0, 0}));

    // A stream that refuses part of the record: false, the bytes written stay.
    for (int n = 0; n < int(saved.size()); ++n)
    {
        ShortStream shortly(n);
        EXPECT_FALSE(h.engine.SaveState(&shortly)) << n;
    }
    EXPECT_FALSE(h.engine.SaveState(nullptr));
}

TEST(DevilRunState, TruncatedRecordsAreRefusedKeepingWholeFrames)
{
    Host h;
    Story(h);
    Bytes rec = Record({{u"main", 2}, {u"sub", 2}, {u"gone", 7}});
    const size_t frame1_end = 4 + 4 + 8 + 4, frame2_end = frame1_end + 4 + 6 + 4;

    for (size_t cut = 0; cut < rec.size(); ++cut)
    {
        auto s = StreamOf(Bytes(rec.begin(), rec.begin() + cut));
        EXPECT_FALSE(h.engine.LoadState(s.get())) << cut;
        const int whole = cut >= frame2_end ? 2 : cut >= frame1_end ? 1 : 0;
        EXPECT_EQ(h.engine.GetStackDepth(), whole) << cut;
        EXPECT_EQ(h.engine.GetRunState(), 2);
        EXPECT_EQ(h.engine.GetScriptFuncCount(), 2);
    }
    auto s = StreamOf(rec);
    EXPECT_TRUE(h.engine.LoadState(s.get()));
    EXPECT_EQ(h.engine.GetStackDepth(), 3);
    EXPECT_EQ(Saved(h.engine), rec);
}

TEST(DevilRunState, LyingRecords)
{
    Host h;
    Story(h);
    hgl::test::LogCapture log;
    auto load = [&](const Bytes &b) {
        auto s = StreamOf(b);
        return h.engine.LoadState(s.get());
    };

    // A count of 0 or below: no frames, true.
    Bytes neg;
    Le32(neg, -5);
    EXPECT_TRUE(load(neg));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(log.Infos(), (Trace{u"不知道从那里开始运行"}));

    // A huge count is never used for memory: the record simply ends.
    Bytes huge;
    Le32(huge, 0x7FFFFFFF);
    Name(huge, u"main");
    Le32(huge, 0);
    EXPECT_FALSE(load(huge));
    EXPECT_EQ(h.engine.GetStackDepth(), 1);

    // Names: empty, negative, huge, longer than the record.
    for (hgl::int32 len : {0, -1, -0x7FFFFFFF, 0x7FFFFFFF, 0x40000000, 5})
    {
        Bytes b;
        Le32(b, 1);
        Le32(b, len);
        b.insert(b.end(), {0x6D, 0, 0x61, 0});
        Le32(b, 0);
        EXPECT_FALSE(load(b)) << len;
        EXPECT_EQ(h.engine.GetStackDepth(), 0);
    }

    // A negative index is refused; the frames before it stay.
    Bytes negidx = Record({{u"main", 1}, {u"sub", -1}});
    EXPECT_FALSE(load(negidx));
    EXPECT_EQ(h.engine.GetStackDepth(), 1);

    // An index past the end is valid: the function ends at once.
    Bytes past = Record({{u"main", 99}});
    EXPECT_TRUE(load(past));
    h.trace.clear();
    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_TRUE(h.trace.empty());
    EXPECT_TRUE(log.Errors().empty());
    EXPECT_EQ(h.engine.LoadState(nullptr), false);
}

TEST(DevilRunState, FramesOfFunctionsNoLongerLoaded)
{
    Host h;
    Story(h);
    hgl::test::LogCapture log;
    Bytes rec = Record({{u"chapter9", 4}});
    auto s = StreamOf(rec);
    EXPECT_TRUE(h.engine.LoadState(s.get()));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(Saved(h.engine), rec);              // the name is kept for the round trip
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(log.Errors(), (Trace{u"当前堆栈中的函数指针为NULL"}));
    EXPECT_EQ(h.Position(), u"chapter9:4");
    EXPECT_FALSE(h.engine.GotoLabel(u"x"));
    EXPECT_EQ(log.CountOf(u"当前堆栈中的函数指针为NULL"), 2u);
    EXPECT_EQ(Saved(h.engine), rec);

    // Lower in the stack: the run reaches it on return and fails there.
    log.Clear();
    Bytes deep = Record({{u"chapter9", 4}, {u"sub", 2}});
    auto d = StreamOf(deep);
    EXPECT_TRUE(h.engine.LoadState(d.get()));
    h.trace.clear();
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"s2"}));
    EXPECT_EQ(log.Errors(), (Trace{u"当前堆栈中的函数指针为NULL"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 1);
    Bytes rest = Record({{u"chapter9", 4}});
    EXPECT_EQ(Saved(h.engine), rest);
}

// A story written as a script: run to a pause inside a called function, save, and
// finish it in a fresh engine that loaded the same script.
TEST(DevilRunState, ScriptStorySavedMidwayAndFinishedElsewhere)
{
    const std::u16string script = u"func sub()\n"
                                  u"{\n"
                                  u"    Mark(\"in sub\");\n"
                                  u"    Wait(\"sub waits\");\n"
                                  u"    Mark(\"sub goes on\");\n"
                                  u"}\n"
                                  u"func main()\n"
                                  u"{\n"
                                  u"    Mark(\"start\");\n"
                                  u"    Wait(\"first\");\n"
                                  u"    sub();\n"
                                  u"    Wait(\"last\");\n"
                                  u"}\n";
    Host h;
    ASSERT_TRUE(h.engine.LoadScript(script));
    EXPECT_TRUE(h.engine.Resume(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"start", u"first"}));
    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"start", u"first", u"in sub", u"sub waits"}));

    Bytes expected = Record({{u"main", 3}, {u"sub", 2}});
    const Bytes saved = Saved(h.engine);
    EXPECT_EQ(saved, expected);

    Host fresh;
    ASSERT_TRUE(fresh.engine.LoadScript(script));
    auto s = StreamOf(saved);
    ASSERT_TRUE(fresh.engine.LoadState(s.get()));
    EXPECT_TRUE(fresh.engine.Resume(nullptr));
    EXPECT_EQ(fresh.trace, (Trace{u"sub goes on", u"last"}));
    EXPECT_EQ(fresh.engine.GetRunState(), 1);
    EXPECT_TRUE(fresh.engine.Resume(nullptr));
    EXPECT_EQ(fresh.engine.GetStackDepth(), 0);
    EXPECT_EQ(fresh.trace, (Trace{u"sub goes on", u"last"}));

    // The same record against a script that lost "sub": loaded, refused when reached.
    Host other;
    ASSERT_TRUE(other.engine.LoadScript(u"func main() { Mark(\"x\"); Wait(\"y\"); Mark(\"z\"); Mark(\"w\"); }"));
    hgl::test::LogCapture log;
    auto s2 = StreamOf(saved);
    ASSERT_TRUE(other.engine.LoadState(s2.get()));
    EXPECT_FALSE(other.engine.Resume(nullptr));
    EXPECT_TRUE(log.ContainsError(u"当前堆栈中的函数指针为NULL"));
    EXPECT_EQ(Saved(other.engine), saved);
}
