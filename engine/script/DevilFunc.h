#pragma once
// A compiled script function and the builder through which the compiler (and tests)
// make one.
//
// How to build a function by hand:
//
//     DevilEngine *e = ...;                        // natives already mapped
//     auto f = std::make_unique<DevilFunc>(e, u"main");
//     auto *call = new DevilSystemFuncCallFixed(e->GetFuncMap(u"SetCG"));
//     call->Arg(0).s = e->AddPoolString(u"bg01");  // string slot: pooled, never moves
//     call->Arg(1).i = 2;                          // int slot (uint: .u, float: .f, bool: .u = 0/1)
//     f->AddCommand(call);                         // the function owns it now
//     f->AddGotoFlag(u"again");                    // label = index of the next command
//     auto *cg = new DevilCompGoto(e, CreateDevilComp(ttLessThan, l, r), f.get());
//     f->AddCommand(cg); ... cg->SetLabel(u"main_1_end");   // jumps when the comparison fails
//     f->AddGoto(u"again");                        // resolved when it first runs
//     f->AddScriptFuncCall(e->GetScriptFunc(u"sub"));
//     f->AddReturn();
//     e->AddScriptFunc(std::move(f));              // false (function destroyed) on a duplicate name
//
// Labels may be used before they are defined; a jump to a label that never gets
// defined fails when it runs. GetListing shows what was built, one command a line.
#include "core/StringView.h"
#include "core/Types.h"
#include "script/DevilCommand.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hgl
{
class String;
class DevilEngine;
class DevilParse;
class DevilValueInterface;
class DevilCompInterface;
struct DevilFuncMap;

class DevilFunc
{
    DevilEngine *engine;
    std::u16string name;
    std::vector<std::unique_ptr<DevilCommand>> commands;
    std::map<std::u16string, int, std::less<>> labels;
    std::map<std::u16string, std::unique_ptr<DevilValueInterface>, std::less<>> values;

  public:
    DevilFunc(DevilEngine *e, StringView n); // null: no name
    ~DevilFunc();
    DevilFunc(const DevilFunc &) = delete;
    DevilFunc &operator=(const DevilFunc &) = delete;

    DevilEngine *GetEngine() const { return engine; }
    const std::u16string &GetName() const { return name; }

    int GetCommandCount() const { return int(commands.size()); }
    DevilCommand *GetCommand(int index) const { return commands[index].get(); }

    // Index of a label, -1 when the function does not define it.
    int FindLabel(StringView label) const;
    const std::map<std::u16string, int, std::less<>> &GetLabels() const { return labels; }

    DevilValueInterface *GetValue(StringView var) const;
    int GetValueCount() const { return int(values.size()); }

    // --- builder ---
    // Defines a label at the current command count; false (logged) when it exists.
    bool AddGotoFlag(StringView label);
    void AddGoto(StringView label);
    void AddReturn();
    void AddCommand(DevilCommand *cmd); // takes ownership
    void AddScriptFuncCall(DevilFunc *target);
    // A variable of a type keyword; null (logged) on a duplicate name or a non-type token.
    DevilValueInterface *AddValue(int type, StringView var);

    // One line per command ("3 GOTO again"), then one per label ("again: 1").
    std::u16string GetListing() const;

    // --- compiler (built with the script compiler) ---
    bool ParseFunc(DevilParse &parse);
    bool ParseBlock(DevilParse &parse);
    void ParseValueDef(DevilParse &parse, int type);
    DevilSystemFuncCallFixed *ParseCallArgs(DevilParse &parse, const DevilFuncMap *fm);
    bool ParseIf(DevilParse &parse);
    DevilCompInterface *BuildComp(DevilParse &parse);
    DevilValueInterface *ParseOperand(DevilParse &parse);
    int ParseCompOperator(DevilParse &parse);
};

// One frame of the call stack: the function and the index of its next command. A
// frame restored from a saved state whose function is not loaded has no function;
// it keeps the name it was saved under (see DevilEngine::GetFrameName).
struct ScriptFuncRunState
{
    DevilFunc *func = nullptr;
    int index = 0;
    int unresolved = -1; // slot of the kept name for a frame without function
};
} // namespace hgl
