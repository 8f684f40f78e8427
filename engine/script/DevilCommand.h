#pragma once
// The commands a compiled script function is made of. Each runs in one step of the
// engine's run loop; Run returns false when the command failed.
#include "core/StringView.h"
#include "core/Types.h"
#include "script/DevilNative.h"

#include <memory>
#include <string>
#include <string_view>

namespace hgl
{
class String;
class DevilEngine;
class DevilFunc;
class DevilCompInterface;

class DevilCommand
{
  public:
    virtual ~DevilCommand() = default;
    virtual bool Run() { return false; }

    // One line of the function listing (without the index).
    virtual std::u16string Describe() const { return u"?"; }
};

// Jump to a label of the same function. The label is looked up when the jump first
// runs and the index found is kept for good.
class DevilGoto final : public DevilCommand
{
    DevilEngine *engine;
    DevilFunc *func;
    std::u16string label;
    int target = -1;

  public:
    DevilGoto(DevilEngine *e, DevilFunc *f, StringView l) : engine(e), func(f), label(l) {} // null: no label

    const std::u16string &GetLabel() const { return label; }
    int GetTarget() const { return target; }

    bool Run() override;
    std::u16string Describe() const override;
};

// Jump to a label when the comparison does not hold. The compiler makes it with
// the comparison, appends it and sets the label once it knows it.
class DevilCompGoto final : public DevilCommand
{
    DevilEngine *engine;
    DevilCompInterface *comp;
    DevilFunc *func;
    int target = -1;
    std::u16string label;

  public:
    // Takes ownership of the comparison.
    DevilCompGoto(DevilEngine *e, DevilCompInterface *c, DevilFunc *f) : engine(e), comp(c), func(f) {}
    ~DevilCompGoto() override;

    void SetLabel(StringView l) // null: no label
    {
        label = l;
        target = -1;
    }
    const std::u16string &GetLabel() const { return label; }
    DevilCompInterface *GetComp() const { return comp; }

    bool Run() override;
    std::u16string Describe() const override;
};

class DevilReturn final : public DevilCommand
{
    DevilEngine *engine;

  public:
    explicit DevilReturn(DevilEngine *e) : engine(e) {}
    bool Run() override;
    std::u16string Describe() const override { return u"RETURN"; }
};

class DevilScriptFuncCall final : public DevilCommand
{
    DevilEngine *engine;
    DevilFunc *target;

  public:
    DevilScriptFuncCall(DevilEngine *e, DevilFunc *t) : engine(e), target(t) {}
    DevilFunc *GetTarget() const { return target; }
    bool Run() override;
    std::u16string Describe() const override;
};

// A call of a native function; keeps what it returned last.
class DevilFuncCall : public DevilCommand
{
  protected:
    DevilResult result{};

  public:
    bool Run() override = 0;
    DevilResult &GetResult() { return result; }
};

// A native call with constant arguments: one slot per declared parameter, built
// when the script was compiled. A string slot points into the engine's string pool.
class DevilSystemFuncCallFixed final : public DevilFuncCall
{
    const DevilFuncMap *func;
    std::unique_ptr<DevilArgSlot[]> args;
    int count;

  public:
    // The slots start zeroed; the compiler fills them through Arg.
    explicit DevilSystemFuncCallFixed(const DevilFuncMap *f);

    const DevilFuncMap *GetFuncMap() const { return func; }
    int GetArgCount() const { return count; }
    DevilArgSlot &Arg(int i) { return args[i]; }
    const DevilArgSlot &Arg(int i) const { return args[i]; }
    const DevilArgSlot *GetArgs() const { return args.get(); }

    // The script's view of the block: 32-bit words, 4 bytes per parameter.
    uint32 Word(int i) const { return uint32(args[i].raw); }
    int BlockSizeBytes() const { return count * 4; }

    bool Run() override
    {
        if (!func) return false;
        func->thunk(*func, args.get(), result);
        return true;
    }
    std::u16string Describe() const override;
};
} // namespace hgl
