#pragma once
// The script engine: native bindings by declaration string, the compiled script
// functions, the call stack with its run loop, and saving/restoring the run state.
//
// Owners bind natives with the typed front ends:
//     vm->MapFunc(u"void BG_COLOR(int,int,int)", &BgColor);
//     vm->MapMemberFunc(u"void SetCG(string,int)", this, &Unit::SetCG);   // virtual members too
//     vm->MapProperty(u"int8 Mood", &mood);
//     vm->MapProperty(u"int8 Mood", (void *)&mood);     // untyped: read at the declared width
// The declared parameter list must match the C++ parameters (string = const u16char *,
// int = int32, uint = uint32, int8/16, uint8/16, bool, float); a declared value return
// type must be exactly the C++ return type. A mismatch, a null function or object, or
// a duplicate name refuses the binding.
//
// A native may call Pause, Stop, GotoLabel, Resume, RunFunc, LoadState or even Clear
// on the engine that runs it: calls made during a run only set up the stack and the
// state, the running loop carries on with whatever they left, and functions cleared
// during a run are freed when the run returns.
#include "core/BoundMethod.h"
#include "core/Object.h"
#include "core/Types.h"
#include "script/DevilFunc.h"
#include "script/DevilNative.h"

#include <concepts>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace hgl
{
class String;
class Stream;

// Where a run stands.
enum class DevilRunState : int
{
    Running = 0,
    Paused = 1,
    Stopped = 2,
};

class DevilVM : public Object
{
  public:
    using CompileHook = BoundMethod<bool(const u16char *)>;

  protected:
    DevilRunState run_state = DevilRunState::Stopped;
    CompileHook compile_hook;

  public:
    ~DevilVM() override = default;

    // The DevilRunState as its int value.
    int GetRunState() const { return int(run_state); }
    DevilRunState GetState() const { return run_state; }

    // Consulted by the compiler after each native call statement: called with the
    // native's name, true runs the new command once at once.
    void SetCompileHook(const CompileHook &hook) { compile_hook = hook; }
    const CompileHook &GetCompileHook() const { return compile_hook; }

    // --- binding ---
    // A typed address must be exactly the declared numeric type; an untyped one
    // (void *) is taken at the declared type's width.
    template <class T> bool MapProperty(const u16char *decl, T *address)
    {
        using V = std::remove_cv_t<T>;
        void *raw = const_cast<void *>(static_cast<const volatile void *>(address));
        if constexpr (std::is_void_v<V>)
            return MapNativeProperty(decl, raw, devil_native::untyped);
        else
            return MapNativeProperty(decl, raw, devil_native::TypeToken<V>::tok);
    }
    bool MapProperty(const u16char *decl, std::nullptr_t)
    {
        return MapNativeProperty(decl, nullptr, devil_native::untyped);
    }
    template <class R, class... A> bool MapFunc(const u16char *decl, R (*fn)(A...))
    {
        return MapNativeFunc(decl, DevilNativeBinding::Plain(fn));
    }
    bool MapFunc(const u16char *decl, std::nullptr_t)
    {
        return MapNativeFunc(decl, DevilNativeBinding{.null_function = true});
    }
    // A function object without captures (a lambda) binds as the plain function it converts to.
    template <class F>
    requires std::is_class_v<std::remove_cvref_t<F>> && requires(std::remove_cvref_t<F> &f)
    {
        requires std::is_function_v<std::remove_pointer_t<decltype(+f)>>;
    }
    bool MapFunc(const u16char *decl, F &&fn) { return MapFunc(decl, +fn); }
    // The object may be of a class derived from the member's class (this is adjusted).
    template <class O, class C, class R, class... A>
    bool MapMemberFunc(const u16char *decl, O *object, R (C::*fn)(A...))
    {
        return MapNativeFunc(decl, DevilNativeBinding::Member<C, R, A...>(static_cast<C *>(object), fn));
    }
    template <class O, class C, class R, class... A>
    bool MapMemberFunc(const u16char *decl, const O *object, R (C::*fn)(A...) const)
    {
        return MapNativeFunc(decl,
                             DevilNativeBinding::Member<C, R, A...>(static_cast<const C *>(object), fn));
    }
    // Null objects and null members are refused (logged) like any other null binding.
    template <class C, class R, class... A>
    bool MapMemberFunc(const u16char *decl, std::nullptr_t, R (C::*fn)(A...))
    {
        return MapNativeFunc(decl, DevilNativeBinding::Member<C, R, A...>(static_cast<C *>(nullptr), fn));
    }
    template <class O> bool MapMemberFunc(const u16char *decl, O *, std::nullptr_t)
    {
        return MapNativeFunc(decl, DevilNativeBinding{.member = true, .null_function = true});
    }

    // The same with the declaration held in a String (only a String: a literal
    // always takes the forms above).
    template <std::same_as<String> S, class T> bool MapProperty(const S &decl, T *address)
    {
        return MapProperty(decl.c_str(), address);
    }
    template <std::same_as<String> S> bool MapProperty(const S &decl, std::nullptr_t)
    {
        return MapProperty(decl.c_str(), nullptr);
    }
    template <std::same_as<String> S, class R, class... A> bool MapFunc(const S &decl, R (*fn)(A...))
    {
        return MapFunc(decl.c_str(), fn);
    }
    template <std::same_as<String> S> bool MapFunc(const S &decl, std::nullptr_t)
    {
        return MapFunc(decl.c_str(), nullptr);
    }
    template <std::same_as<String> S, class O, class M> bool MapMemberFunc(const S &decl, O *object, M fn)
    {
        return MapMemberFunc(decl.c_str(), object, fn);
    }
    template <std::same_as<String> S, class M> bool MapMemberFunc(const S &decl, std::nullptr_t, M fn)
    {
        return MapMemberFunc(decl.c_str(), nullptr, fn);
    }

    // cpp_type: token of the C++ variable's type (-1 none).
    virtual bool MapNativeProperty(const u16char *decl, void *address, int cpp_type) = 0;
    virtual bool MapNativeFunc(const u16char *decl, const DevilNativeBinding &binding) = 0;

    // --- scripts ---
    virtual bool LoadScript(std::u16string_view text) = 0; // empty text: false
    // NUL-terminated text when length is -1; null text or a length below 1: false.
    // The game hands over a file's text without its byte-order mark and the length
    // reduced by one: an empty file must arrive as 0, not -1.
    bool LoadScript(const u16char *text, int length = -1);
    virtual void Clear() = 0;

    // --- running ---
    virtual bool RunFunc(const u16char *name) = 0;
    virtual bool RunFrom(const u16char *name, const u16char *label) = 0;
    virtual bool Resume(const u16char *name = nullptr) = 0; // null: continue the paused frame
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual bool GotoLabel(const u16char *label) = 0;
    virtual bool Start(const u16char *name, const u16char *label) = 0;
    virtual bool GetCurrentPosition(String &name, int &index) = 0;
    virtual bool GetCurrentPosition(std::u16string &name, int &index) = 0;

    // --- run state ---
    virtual bool SaveState(Stream *stream) = 0;
    virtual bool LoadState(Stream *stream) = 0;
};

class DevilEngine : public DevilVM
{
    std::map<std::u16string, DevilPropertyMap, std::less<>> properties;
    std::map<std::u16string, std::unique_ptr<DevilFuncMap>, std::less<>> natives;
    std::map<std::u16string, std::unique_ptr<DevilFunc>, std::less<>> script_funcs;

    std::vector<ScriptFuncRunState> stack; // bottom first
    bool has_current = false;              // the current frame, when there is one, is the top
    std::vector<std::u16string> unresolved_names;

    std::vector<std::unique_ptr<u16char[]>> pool;

    // Run bookkeeping: the nesting of Run, a counter bumped by every ClearStack, and
    // what Clear threw away while a run was going on.
    int run_depth = 0;
    uint32 stack_epoch = 0;
    uint32 clear_count = 0;
    std::vector<std::unique_ptr<DevilFunc>> dead_funcs;
    std::vector<std::unique_ptr<u16char[]>> dead_pool;
    int64 command_budget = -1;

    void ReleaseDead();

  public:
    DevilEngine();
    ~DevilEngine() override;

    bool MapNativeProperty(const u16char *decl, void *address, int cpp_type) override;
    bool MapNativeFunc(const u16char *decl, const DevilNativeBinding &binding) override;

    using DevilVM::LoadScript;
    bool LoadScript(std::u16string_view text) override; // with the script compiler
    void Clear() override;

    bool RunFunc(const u16char *name) override;
    bool RunFrom(const u16char *name, const u16char *label) override;
    bool Resume(const u16char *name = nullptr) override;
    void Pause() override;
    void Stop() override;
    bool GotoLabel(const u16char *label) override;
    bool Start(const u16char *name, const u16char *label) override;
    bool GetCurrentPosition(String &name, int &index) override;
    bool GetCurrentPosition(std::u16string &name, int &index) override;

    bool SaveState(Stream *stream) override;
    bool LoadState(Stream *stream) override;

    // --- look-ups for the compiler ---
    // Null when nothing has the name (an empty or null name included).
    DevilFunc *GetScriptFunc(StringView name) const;
    DevilFuncMap *GetFuncMap(StringView name) const;
    DevilPropertyMap *GetPropertyMap(StringView name) const;

    // Adds a compiled function under its name; a duplicate name is refused (false)
    // and the function destroyed.
    bool AddScriptFunc(std::unique_ptr<DevilFunc> func);
    bool AddScriptFunc(DevilFunc *func); // takes ownership
    int GetScriptFuncCount() const { return int(script_funcs.size()); }

    // A copy of the text in the string pool; the address stays valid until Clear.
    const u16char *AddPoolString(std::u16string_view text);
    int GetPoolSize() const { return int(pool.size()); }
    // Bumped by every Clear: tells a caller holding texts or functions of the engine
    // that they were freed, even when the tables have since grown back.
    uint32 GetClearCount() const { return clear_count; }

    // The compile hook for a native call just compiled: true when the hook is set and
    // asks for the command to run now.
    bool CallCompileHook(const u16char *native_name);
    // Runs a command at compile time. The run state is kept as it was and anything the
    // native does to the stack is set-up only (no run starts from inside it).
    bool RunCommandNow(DevilCommand *cmd);

    // --- stack ---
    void Call(DevilFunc *func);
    bool Return();
    bool Goto(DevilFunc *func, int index);
    void ClearStack();
    bool Run();

    int GetStackDepth() const { return int(stack.size()); }
    const ScriptFuncRunState &GetFrame(int i) const { return stack[i]; }
    // Name of a frame: its function's, or the one it was restored under.
    std::u16string_view GetFrameName(int i) const;
    bool HasCurrentFrame() const { return has_current; }
    DevilFunc *GetCurrentFunc() const { return has_current ? stack.back().func : nullptr; }
    uint32 GetStackEpoch() const { return stack_epoch; }
    bool IsRunning() const { return run_depth > 0; }

    // Test aid: the run loop gives up (false, logged) after this many commands; -1 no limit.
    void SetCommandBudget(int64 budget) { command_budget = budget; }
};

// A new, empty engine (null when it cannot be allocated); the caller deletes it
// through its virtual destructor. The result converts to DevilVM * for owners that
// keep only the interface, while the game's screens hold it as DevilEngine *.
DevilEngine *NewDevilEngine();
} // namespace hgl
