// Running commands allocates nothing: every argument, string and label is prepared
// before the run. Counted with a replaced global operator new.
#include "VmTestHost.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The replacements below pair malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace
{
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
} // namespace

void *operator new(std::size_t n)
{
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
// The engine is made with the nothrow form; it must come from the same heap.
void *operator new(std::size_t n, const std::nothrow_t &) noexcept
{
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(n ? n : 1);
}
void *operator new[](std::size_t n) { return operator new(n); }
void *operator new[](std::size_t n, const std::nothrow_t &t) noexcept { return operator new(n, t); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { std::free(p); }

using namespace vmtest;

TEST(DevilAllocation, RunningAFunctionAllocatesNothing)
{
    Host h;
    // sub: a native with a string and an int argument, then return; main: loop
    // { Count(); if (Var == 0) call sub; pause/resume } until Count stops it.
    auto sub = h.New(u"sub");
    h.Native(sub.get(), u"CaseGoto", {7, u"nowhere"});
    sub->AddReturn();
    DevilFunc *subp = h.Add(std::move(sub));
    auto main = h.New(u"main");
    EXPECT_TRUE(main->AddGotoFlag(u"top"));
    h.Native(main.get(), u"Count");
    h.IfVar(main.get(), angle_script::ttEqual, 0, u"skip");
    main->AddScriptFuncCall(subp);
    EXPECT_TRUE(main->AddGotoFlag(u"skip"));
    h.Native(main.get(), u"PauseResume");
    main->AddGoto(u"top");
    h.Add(std::move(main));
    h.trace.reserve(100000);

    h.stop_after = 10;                  // warm up: labels resolve on their first run
    EXPECT_TRUE(h.engine.RunFunc(u"main"));

    h.calls = 0;
    h.stop_after = 20000;
    allocations = 0;
    counting = true;
    const bool ok = h.engine.RunFunc(u"main");
    counting = false;
    EXPECT_TRUE(ok);
    EXPECT_EQ(h.calls, 20000);
    EXPECT_EQ(allocations.load(), 0);

    // The counter itself works.
    counting = true;
    auto *probe = new int(1);
    counting = false;
    delete probe;
    EXPECT_EQ(allocations.load(), 1);
}
