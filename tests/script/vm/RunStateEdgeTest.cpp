// The run-state record at the stream's current position, frames whose functions are
// not loaded as every run operation meets them, and names beyond ASCII.
#include "core/String.h"
#include "io/MemStream.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using hgl::u16char;
using Bytes = std::vector<hgl::uint8>;
using Lines = std::vector<std::u16string>;

namespace
{
int g_says = 0;
void Say() { ++g_says; }

Bytes Contents(hgl::MemStream &s)
{
    const hgl::uint8 *p = s.GetData();
    return p ? Bytes(p, p + s.GetSize()) : Bytes();
}
} // namespace

TEST(DevilRunStateEdge, RecordAtTheCurrentPositionAndNamesBeyondAscii)
{
    hgl::DevilEngine e;
    ASSERT_TRUE(e.MapFunc(u"void Say()", &Say));
    auto *f = new hgl::DevilFunc(&e, hgl::String(u"主线"));
    ASSERT_TRUE(e.AddScriptFunc(f));
    e.Call(f);
    ASSERT_TRUE(e.Goto(f, 258));

    // Appended after what the stream already holds.
    hgl::MemStream s;
    ASSERT_EQ(s.Write("AB", 2), 2);
    ASSERT_TRUE(e.SaveState(&s));
    const Bytes expect = {'A', 'B', 1, 0, 0, 0, 2, 0, 0, 0, 0x3B, 0x4E, 0xBF, 0x7E, 2, 1, 0, 0};
    EXPECT_EQ(Contents(s), expect);
    // Saving changed nothing.
    EXPECT_EQ(e.GetStackDepth(), 1);
    EXPECT_TRUE(e.HasCurrentFrame());

    // Read from the current position, which ends right after the record.
    ASSERT_EQ(s.Write("Z", 1), 1);
    s.SetPosition(2);
    hgl::DevilEngine fresh;
    auto *g = new hgl::DevilFunc(&fresh, hgl::String(u"主线"));
    ASSERT_TRUE(fresh.AddScriptFunc(g));
    fresh.Pause();
    ASSERT_TRUE(fresh.LoadState(&s));
    EXPECT_EQ(s.GetPosition(), 18);
    EXPECT_EQ(fresh.GetRunState(), 1);        // untouched by the load
    EXPECT_FALSE(fresh.HasCurrentFrame());
    ASSERT_EQ(fresh.GetStackDepth(), 1);
    EXPECT_EQ(fresh.GetFrame(0).func, g);
    EXPECT_EQ(fresh.GetFrame(0).index, 258);
    hgl::String name;
    int index = 0;
    EXPECT_FALSE(fresh.GetCurrentPosition(name, index));
    EXPECT_TRUE(fresh.Resume(nullptr));       // past the end: the function ends at once
    EXPECT_EQ(fresh.GetStackDepth(), 0);
    EXPECT_EQ(fresh.GetRunState(), 0);

    // A load that fails on its count empties the stack.
    e.Call(f);
    hgl::MemStream two;
    ASSERT_EQ(two.Write("\1\0", 2), 2);
    two.SetPosition(0);
    EXPECT_FALSE(e.LoadState(&two));
    EXPECT_EQ(e.GetStackDepth(), 0);
}

TEST(DevilRunStateEdge, MissingFunctionOnTopMeetsEveryOperation)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    ASSERT_TRUE(e.MapFunc(u"void Say()", &Say));
    ASSERT_TRUE(e.LoadScript(u"func main(){ Say(); Say(); L: Say(); }"));

    const Bytes rec = {2, 0, 0, 0, 4, 0, 0, 0, 'm', 0, 'a', 0, 'i', 0, 'n', 0, 1, 0, 0, 0,
                       4, 0, 0, 0, 'g', 0, 'o', 0, 'n', 0, 'e', 0, 7, 0, 0, 0};
    hgl::MemStream s;
    ASSERT_EQ(s.Write(rec.data(), int(rec.size())), int(rec.size()));
    s.SetPosition(0);
    ASSERT_TRUE(e.LoadState(&s));
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
    ASSERT_EQ(e.GetStackDepth(), 2);
    EXPECT_EQ(e.GetFrame(1).func, nullptr);
    EXPECT_EQ(e.GetFrameName(1), u"gone");

    // Resume refuses the frame before it looks at the name: the stack stays.
    g_says = 0;
    EXPECT_FALSE(e.Resume(u"main"));
    EXPECT_FALSE(e.Resume(nullptr));
    EXPECT_EQ(log.Errors(), (Lines{u"当前堆栈中的函数指针为NULL", u"当前堆栈中的函数指针为NULL"})) << log.Dump();
    EXPECT_EQ(e.GetStackDepth(), 2);
    EXPECT_EQ(g_says, 0);
    log.Clear();

    // Its position is the name and index it was saved under.
    hgl::String name;
    int index = -1;
    EXPECT_TRUE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(name.ToStdString(), u"gone");
    EXPECT_EQ(index, 7);

    // No label can be looked up in it.
    EXPECT_FALSE(e.GotoLabel(u"L"));
    EXPECT_EQ(log.Errors(), (Lines{u"当前堆栈中的函数指针为NULL"})) << log.Dump();
    log.Clear();

    // Saving writes the same bytes back.
    hgl::MemStream out;
    ASSERT_TRUE(e.SaveState(&out));
    EXPECT_EQ(Contents(out), rec);

    // Starting anew by name throws the restored frames away.
    EXPECT_TRUE(e.RunFunc(u"main"));
    EXPECT_EQ(g_says, 3);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
}

TEST(DevilRunStateEdge, RestoredTopFramePositionedByLabel)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    ASSERT_TRUE(e.MapFunc(u"void Say()", &Say));
    ASSERT_TRUE(e.LoadScript(u"func main(){ Say(); Say(); L: Say(); }"));
    const Bytes rec = {1, 0, 0, 0, 4, 0, 0, 0, 'm', 0, 'a', 0, 'i', 0, 'n', 0, 0, 0, 0, 0};
    hgl::MemStream s;
    ASSERT_EQ(s.Write(rec.data(), int(rec.size())), int(rec.size()));
    s.SetPosition(0);
    ASSERT_TRUE(e.LoadState(&s));
    // The top frame becomes current for the jump; nothing runs.
    g_says = 0;
    EXPECT_TRUE(e.GotoLabel(u"L"));
    hgl::String name;
    int index = -1;
    EXPECT_TRUE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(name.ToStdString(), u"main");
    EXPECT_EQ(index, 2);
    EXPECT_EQ(g_says, 0);
    EXPECT_EQ(e.GetRunState(), 2);
    EXPECT_TRUE(e.Resume(nullptr));
    EXPECT_EQ(g_says, 1);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
}
