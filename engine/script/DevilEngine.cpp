#include "script/DevilEngine.h"

#include "core/Log.h"
#include "core/String.h"
#include "core/Stream.h"
#include "script/Tokenizer.h"

#include <cassert>
#include <new>

namespace hgl
{
using namespace angle_script;

namespace
{
// Value types: a declaration naming one of them must match the C++ type exactly.
bool IsValueType(int tok)
{
    return tok != ttString && IsTypeToken(tok);
}

// The parameter types a declaration records; anything else in the list is passed over.
bool IsParamType(int tok)
{
    switch (tok)
    {
    case ttBool:
    case ttString:
    case ttInt:
    case ttInt8:
    case ttInt16:
    case ttUInt:
    case ttUInt8:
    case ttUInt16:
    case ttFloat:
        return true;
    default:
        return false;
    }
}

// Longest function name a saved run state may hold; real names are a few dozen units.
constexpr int32 MAX_SAVED_NAME = 65536;

bool WriteI32(Stream *s, int32 v)
{
    const uint32 u = uint32(v);
    const uint8 b[4] = {uint8(u), uint8(u >> 8), uint8(u >> 16), uint8(u >> 24)};
    return s->Write(b, 4) == 4;
}

bool ReadI32(Stream *s, int32 &v)
{
    uint8 b[4];
    if (!s->ReadFully(b, 4)) return false;
    v = int32(uint32(b[0]) | uint32(b[1]) << 8 | uint32(b[2]) << 16 | uint32(b[3]) << 24);
    return true;
}
} // namespace

bool DevilVM::LoadScript(const u16char *text, int length)
{
    if (!text) return false;
    if (length == -1) length = int(std::char_traits<u16char>::length(text));
    if (length < 1) return false;
    return LoadScript(std::u16string_view(text, size_t(length)));
}

DevilEngine::DevilEngine()
{
    stack.reserve(16);
}

DevilEngine::~DevilEngine()
{
    assert(run_depth == 0 && "a script engine must not be deleted by a native it is running");
    Clear();
    ReleaseDead();
}

void DevilEngine::ReleaseDead()
{
    dead_funcs.clear();
    dead_pool.clear();
}

// ---------------------------------------------------------------- binding

namespace
{
// Both kinds of declaration open with "type name"; `kind` names the kind in the log.
// Fails when the name is missing or already bound in `mapped`.
template <typename Map>
bool ReadDeclHead(DevilParse &parse, const Map &mapped, const u16char *decl, const u16char *kind, int &type,
                  std::u16string_view &name)
{
    std::u16string_view type_text;
    type = parse.GetToken(type_text);
    if (parse.GetToken(name) != ttIdentifier)
    {
        PutError(u"映射%s“%s”失败，声明中没有可用的名称！", kind, decl);
        return false;
    }
    if (mapped.find(name) != mapped.end())
    {
        PutInfo(u"重复%s名映射：“%s”", kind, decl);
        return false;
    }
    return true;
}
} // namespace

bool DevilEngine::MapNativeProperty(const u16char *decl, void *address, int cpp_type)
{
    if (!decl) return false;

    DevilParse parse(this, decl);
    int type;
    std::u16string_view name;
    if (!ReadDeclHead(parse, properties, decl, u"属性", type, name)) return false;
    if (!address)
    {
        PutError(u"映射属性“%s”失败，变量地址为NULL！", decl);
        return false;
    }
    if (IsValueType(type) && cpp_type != devil_native::untyped && cpp_type != type)
    {
        PutError(u"映射属性“%s”失败，声明的类型与真实变量的类型不符！", decl);
        return false;
    }
    properties.emplace(std::u16string(name), DevilPropertyMap{type, address});
    return true;
}

bool DevilEngine::MapNativeFunc(const u16char *decl, const DevilNativeBinding &b)
{
    if (!decl) return false;

    DevilParse parse(this, decl);
    int ret;
    std::u16string_view name;
    if (!ReadDeclHead(parse, natives, decl, u"函数", ret, name)) return false;

    auto fm = std::make_unique<DevilFuncMap>();
    fm->name = name;
    fm->return_type = ret;

    if (!parse.SkipTo(ttOpenParanthesis)) return false;
    for (;;)
    {
        std::u16string_view tok;
        const int t = parse.GetToken(tok);
        if (t == ttEnd) return false;
        if (t == ttCloseParanthesis) break;
        if (IsParamType(t)) fm->params.push_back(eTokenType(t));
    }

    if (b.null_function || !b.thunk)
    {
        PutError(u"映射函数“%s”失败，函数或对象指针为NULL！", decl);
        return false;
    }
    bool same = fm->GetParamCount() == b.param_count;
    for (int i = 0; same && i < b.param_count; ++i)
        same = int(fm->params[i]) == b.param_tokens[i];
    if (!same)
    {
        PutError(u"映射函数“%s”失败，声明的参数类型与真实函数的参数类型不符！", decl);
        return false;
    }
    if (IsValueType(ret) && b.return_token != ret)
    {
        PutError(u"映射函数“%s”失败，声明的返回类型与真实函数的返回类型不符！", decl);
        return false;
    }

    fm->object = b.member ? b.object : nullptr;
    std::memcpy(fm->callable, b.callable, sizeof fm->callable);
    fm->thunk = b.thunk;
    natives.emplace(fm->name, std::move(fm));
    return true;
}

// ---------------------------------------------------------------- tables

DevilFunc *DevilEngine::GetScriptFunc(StringView name) const
{
    auto it = script_funcs.find(name);
    return it == script_funcs.end() ? nullptr : it->second.get();
}

DevilFuncMap *DevilEngine::GetFuncMap(StringView name) const
{
    auto it = natives.find(name);
    return it == natives.end() ? nullptr : it->second.get();
}

DevilPropertyMap *DevilEngine::GetPropertyMap(StringView name) const
{
    auto it = properties.find(name);
    return it == properties.end() ? nullptr : const_cast<DevilPropertyMap *>(&it->second);
}

bool DevilEngine::AddScriptFunc(DevilFunc *func)
{
    return AddScriptFunc(std::unique_ptr<DevilFunc>(func));
}

bool DevilEngine::AddScriptFunc(std::unique_ptr<DevilFunc> func)
{
    if (!func) return false;
    if (script_funcs.find(func->GetName()) != script_funcs.end()) return false;
    const std::u16string name = func->GetName();
    script_funcs.emplace(name, std::move(func));
    return true;
}

const u16char *DevilEngine::AddPoolString(std::u16string_view text)
{
    auto copy = std::make_unique<u16char[]>(text.size() + 1);
    std::char_traits<u16char>::copy(copy.get(), text.data(), text.size());
    copy[text.size()] = 0;
    pool.push_back(std::move(copy));
    return pool.back().get();
}

void DevilEngine::Clear()
{
    Stop();
    ++clear_count;
    if (run_depth > 0)
    {
        // A native of the running script cleared the engine: its command (and the
        // function holding it) must outlive the call, so they wait for the run's end.
        for (auto &f : script_funcs)
            dead_funcs.push_back(std::move(f.second));
        for (auto &p : pool)
            dead_pool.push_back(std::move(p));
    }
    script_funcs.clear();
    pool.clear();
}

bool DevilEngine::CallCompileHook(const u16char *native_name)
{
    return compile_hook.IsBound() && compile_hook(native_name);
}

bool DevilEngine::RunCommandNow(DevilCommand *cmd)
{
    if (!cmd) return false;

    const DevilRunState saved_state = run_state;
    const std::vector<ScriptFuncRunState> saved_stack = stack;
    const std::vector<std::u16string> saved_names = unresolved_names;
    const bool saved_current = has_current;
    const uint32 epoch = stack_epoch;
    const uint32 clears = clear_count;

    ++run_depth;
    const bool result = cmd->Run();
    --run_depth;

    run_state = saved_state;
    // Put the stack back, jumps within the current frame included, unless the native
    // threw the functions away.
    if (clear_count == clears)
    {
        stack = saved_stack;
        unresolved_names = saved_names;
        has_current = saved_current;
        if (stack_epoch != epoch) ++stack_epoch;
    }
    return result;
}

// ---------------------------------------------------------------- stack

void DevilEngine::Call(DevilFunc *func)
{
    stack.push_back(ScriptFuncRunState{func, 0, -1});
    has_current = true;
}

bool DevilEngine::Return()
{
    if (!stack.empty()) stack.pop_back();
    has_current = !stack.empty();
    return has_current;
}

bool DevilEngine::Goto(DevilFunc *func, int index)
{
    if (index < 0)
    {
        PutInfo(u"DevilEngine执行GOTO时，指令索引<%s>:<%d>不正确！", func ? func->GetName().c_str() : u"",
                index);
        return false;
    }
    DevilFunc *cur = GetCurrentFunc();
    if (!has_current || cur != func)
    {
        // A current frame restored for a function no longer loaded still has its name.
        const std::u16string actual(has_current ? GetFrameName(int(stack.size()) - 1)
                                                : std::u16string_view());
        PutInfo(u"DevilEngine执行GOTO时，当前函数对应不正确!\n要求为<%s>,实质为<%s>",
                func ? func->GetName().c_str() : u"", actual.c_str());
        return false;
    }
    stack.back().index = index;
    return true;
}

void DevilEngine::ClearStack()
{
    stack.clear();
    unresolved_names.clear();
    has_current = false;
    ++stack_epoch;
}

std::u16string_view DevilEngine::GetFrameName(int i) const
{
    const ScriptFuncRunState &f = stack[i];
    if (f.func) return f.func->GetName();
    if (f.unresolved >= 0 && f.unresolved < int(unresolved_names.size()))
        return unresolved_names[f.unresolved];
    return {};
}

bool DevilEngine::Run()
{
    // A run asked for by a native of the running script only sets up the stack; the
    // loop below carries on with it. This keeps the C++ stack flat however often a
    // script jumps through natives.
    if (run_depth > 0) return true;

    ++run_depth;
    bool result = true;
    for (;;)
    {
        if (!has_current) break;

        // No reference into the stack is held across a command: the command may
        // push, pop or replace every frame.
        ScriptFuncRunState &frame = stack.back();
        DevilFunc *const func = frame.func;
        const int index = frame.index;
        if (!func)
        {
            PutError(u"当前堆栈中的函数指针为NULL");
            result = false;
            break;
        }
        if (index < 0)
        {
            PutInfo(u"运行出错！<%s><%d>", func->GetName().c_str(), index);
            result = false;
            break;
        }
        if (index >= func->GetCommandCount())
        {
            if (!Return()) break;
            continue;
        }

        frame.index = index + 1;
        // An exhausted budget stays exhausted: every later run stops at once too.
        if (command_budget > 0)
            --command_budget;
        else if (command_budget == 0)
        {
            PutInfo(u"运行出错！<%s><%d>", func->GetName().c_str(), index);
            result = false;
            break;
        }
        if (!func->GetCommand(index)->Run())
        {
            PutInfo(u"运行出错！<%s><%d>", func->GetName().c_str(), index);
            result = false;
            break;
        }
        if (run_state != DevilRunState::Running) break;
    }
    --run_depth;
    if (run_depth == 0) ReleaseDead();
    return result;
}

// ---------------------------------------------------------------- run operations

namespace
{
// A fresh start: the old stack goes, then the named function gets the only frame.
bool CallAfresh(DevilEngine &e, const u16char *name)
{
    e.ClearStack();
    DevilFunc *func = name ? e.GetScriptFunc(name) : nullptr;
    if (!func)
    {
        PutInfo(u"没有找到起始函数<%s>", name ? name : u"");
        return false;
    }
    e.Call(func);
    return true;
}
} // namespace

bool DevilEngine::RunFunc(const u16char *name)
{
    if (!CallAfresh(*this, name)) return false;
    run_state = DevilRunState::Running;
    return Run();
}

bool DevilEngine::Start(const u16char *name, const u16char *label)
{
    if (!CallAfresh(*this, name)) return false;
    run_state = DevilRunState::Running;
    return GotoLabel(label);
}

bool DevilEngine::RunFrom(const u16char *name, const u16char *label)
{
    if (!Start(name, label)) return false;
    return Run();
}

bool DevilEngine::Resume(const u16char *name)
{
    if (!stack.empty())
    {
        has_current = true;
        DevilFunc *top = stack.back().func;
        if (!top)
        {
            PutError(u"当前堆栈中的函数指针为NULL");
            return false;
        }
        if (!name || top->GetName() == name)
        {
            run_state = DevilRunState::Running;
            return Run();
        }
        return RunFunc(name);
    }
    if (!name)
    {
        PutInfo(u"不知道从那里开始运行");
        return false;
    }
    return RunFunc(name);
}

void DevilEngine::Pause()
{
    run_state = DevilRunState::Paused;
}

void DevilEngine::Stop()
{
    run_state = DevilRunState::Stopped;
    ClearStack();
}

bool DevilEngine::GotoLabel(const u16char *label)
{
    if (!has_current)
    {
        if (stack.empty())
        {
            PutError(u"跳转时，虚拟机的当前运行函数不存在！呼叫堆栈中也没有函数！");
            return false;
        }
        has_current = true;
    }
    DevilFunc *func = stack.back().func;
    if (!func)
    {
        PutError(u"当前堆栈中的函数指针为NULL");
        return false;
    }
    const int index = label ? func->FindLabel(label) : -1;
    if (index < 0)
    {
        PutInfo(u"没有在函数<%s>内找到跳转标识<%s>", func->GetName().c_str(), label ? label : u"");
        return false;
    }
    return Goto(func, index);
}

bool DevilEngine::GetCurrentPosition(std::u16string &name, int &index)
{
    if (!has_current) return false;
    name = GetFrameName(int(stack.size()) - 1);
    index = stack.back().index;
    return true;
}

bool DevilEngine::GetCurrentPosition(String &name, int &index)
{
    std::u16string text;
    if (!GetCurrentPosition(text, index)) return false;
    name = String(text);
    return true;
}

// ---------------------------------------------------------------- run state

bool DevilEngine::SaveState(Stream *stream)
{
    if (!stream) return false;
    if (!WriteI32(stream, int32(stack.size()))) return false;

    std::vector<uint8> bytes;
    for (int i = 0; i < int(stack.size()); ++i)
    {
        const std::u16string_view name = GetFrameName(i);
        if (!WriteI32(stream, int32(name.size()))) return false;
        bytes.resize(name.size() * 2);
        for (size_t k = 0; k < name.size(); ++k)
        {
            bytes[k * 2] = uint8(name[k]);
            bytes[k * 2 + 1] = uint8(name[k] >> 8);
        }
        if (!bytes.empty() && stream->Write(bytes.data(), int(bytes.size())) != int(bytes.size()))
            return false;
        if (!WriteI32(stream, stack[i].index)) return false;
    }
    return true;
}

bool DevilEngine::LoadState(Stream *stream)
{
    ClearStack();
    if (!stream) return false;

    int32 count;
    if (!ReadI32(stream, count)) return false;

    // The count is never trusted for memory: frames are read one by one, so a huge
    // count just runs into the end of the record.
    std::vector<uint8> bytes;
    for (int32 n = 0; n < count; ++n)
    {
        int32 length;
        if (!ReadI32(stream, length)) return false;
        if (length <= 0 || length > MAX_SAVED_NAME) return false;
        const int64 left = stream->Remaining();
        if (left >= 0 && int64(length) * 2 > left) return false;

        bytes.resize(size_t(length) * 2);
        if (!stream->ReadFully(bytes.data(), int(bytes.size()))) return false;
        std::u16string name(size_t(length), u'\0');
        for (int32 k = 0; k < length; ++k)
            name[k] = u16char(bytes[k * 2] | bytes[k * 2 + 1] << 8);

        int32 index;
        if (!ReadI32(stream, index)) return false;
        if (index < 0) return false;

        ScriptFuncRunState frame{GetScriptFunc(name), index, -1};
        if (!frame.func)
        {
            frame.unresolved = int(unresolved_names.size());
            unresolved_names.push_back(std::move(name));
        }
        stack.push_back(frame);
    }
    return true;
}

DevilEngine *NewDevilEngine()
{
    return new (std::nothrow) DevilEngine;
}
} // namespace hgl
