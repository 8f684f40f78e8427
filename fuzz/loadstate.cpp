// Restoring a saved run state from arbitrary bytes. A refused record must leave the
// engine's script, pool and run state alone; an accepted one must save back to
// exactly the bytes it was read from; whatever was loaded must run (or be refused)
// without memory errors.
#include "io/MemStream.h"
#include "script/DevilEngine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
int paused = 0;
hgl::DevilEngine *current = nullptr;
void Nop(int) {}
void Wait()
{
    if (++paused % 3 == 0) current->Pause();
}

void Check(bool ok)
{
    if (!ok) std::abort();
}

void Build(hgl::DevilEngine &e)
{
    Check(e.MapFunc(u"void Nop(int)", &Nop));
    Check(e.MapFunc(u"void Wait()", &Wait));
    auto sub = std::make_unique<hgl::DevilFunc>(&e, u"sub");
    auto *nop = new hgl::DevilSystemFuncCallFixed(e.GetFuncMap(u"Nop"));
    nop->Arg(0).i = 1;
    sub->AddCommand(nop);
    sub->AddCommand(new hgl::DevilSystemFuncCallFixed(e.GetFuncMap(u"Wait")));
    sub->AddGotoFlag(u"mid");
    sub->AddReturn();
    hgl::DevilFunc *subp = sub.get();
    Check(e.AddScriptFunc(std::move(sub)));

    auto main = std::make_unique<hgl::DevilFunc>(&e, u"main");
    main->AddGotoFlag(u"top");
    main->AddScriptFuncCall(subp);
    main->AddCommand(new hgl::DevilSystemFuncCallFixed(e.GetFuncMap(u"Wait")));
    main->AddGoto(u"missing");
    main->AddGoto(u"top");
    Check(e.AddScriptFunc(std::move(main)));
    e.AddPoolString(u"pooled");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 16) return 0;
    hgl::DevilEngine e;
    current = &e;
    Build(e);

    hgl::MemStream in;
    if (size) in.Write(data, int(size));
    in.SetPosition(0);

    const int funcs = e.GetScriptFuncCount(), pool = e.GetPoolSize(), state = e.GetRunState();
    const bool loaded = e.LoadState(&in);
    Check(e.GetScriptFuncCount() == funcs && e.GetPoolSize() == pool && e.GetRunState() == state);
    Check(!e.HasCurrentFrame());

    if (loaded)
    {
        const int64_t used = in.GetPosition();
        hgl::MemStream out;
        Check(e.SaveState(&out));
        // Loaded: at least the count was there.
        const int32_t count = int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                                      uint32_t(data[3]) << 24);
        if (count < 0)
        {
            // A negative count loads no frame; it saves back as the empty stack.
            static const uint8_t empty[4] = {0, 0, 0, 0};
            Check(used == 4 && out.GetSize() == 4 && std::memcmp(out.GetData(), empty, 4) == 0);
        }
        else
        {
            Check(out.GetSize() == used);
            Check(std::memcmp(out.GetData(), data, size_t(used)) == 0);
        }
    }

    // Whatever the stack holds now runs or is refused cleanly.
    e.SetCommandBudget(2000);
    for (int i = 0; i < 4 && e.GetStackDepth() > 0; ++i)
        if (!e.Resume(nullptr)) break;
    current = nullptr;
    return 0;
}
