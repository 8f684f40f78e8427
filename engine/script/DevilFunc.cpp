#include "script/DevilFunc.h"

#include "core/Format.h"
#include "core/Log.h"
#include "core/String.h"
#include "script/DevilEngine.h"
#include "script/DevilValue.h"

namespace hgl
{
namespace
{
std::u16string_view View(const String &s)
{
    return s.c_str() ? std::u16string_view(s.c_str(), size_t(s.GetLength())) : std::u16string_view();
}

std::u16string_view View(const u16char *s)
{
    return s ? std::u16string_view(s) : std::u16string_view();
}
} // namespace

DevilFunc::DevilFunc(DevilEngine *e, std::u16string_view n) : engine(e), name(n) {}

DevilFunc::DevilFunc(DevilEngine *e, const String &n) : DevilFunc(e, View(n)) {}

DevilFunc::DevilFunc(DevilEngine *e, const u16char *n) : DevilFunc(e, View(n)) {}

bool DevilFunc::AddGotoFlag(const String &label)
{
    return AddGotoFlag(View(label));
}
bool DevilFunc::AddGotoFlag(const u16char *label)
{
    return AddGotoFlag(View(label));
}
void DevilFunc::AddGoto(const String &label)
{
    AddGoto(View(label));
}
void DevilFunc::AddGoto(const u16char *label)
{
    AddGoto(View(label));
}
DevilValueInterface *DevilFunc::AddValue(int type, const String &var)
{
    return AddValue(type, View(var));
}
DevilValueInterface *DevilFunc::AddValue(int type, const u16char *var)
{
    return AddValue(type, View(var));
}

DevilFunc::~DevilFunc()
{
    values.clear();
    labels.clear();
    commands.clear();
}

int DevilFunc::FindLabel(std::u16string_view label) const
{
    auto it = labels.find(label);
    return it == labels.end() ? -1 : it->second;
}

DevilValueInterface *DevilFunc::GetValue(std::u16string_view var) const
{
    auto it = values.find(var);
    return it == values.end() ? nullptr : it->second.get();
}

bool DevilFunc::AddGotoFlag(std::u16string_view label)
{
    if (labels.find(label) != labels.end())
    {
        const std::u16string text(label);
        PutError(u"添加跳转标识符<%s>失败，这个标识符重复了！", text.c_str());
        return false;
    }
    labels.emplace(std::u16string(label), GetCommandCount());
    return true;
}

void DevilFunc::AddGoto(std::u16string_view label)
{
    commands.emplace_back(new DevilGoto(engine, this, label));
}

void DevilFunc::AddReturn()
{
    commands.emplace_back(new DevilReturn(engine));
}

void DevilFunc::AddCommand(DevilCommand *cmd)
{
    if (cmd) commands.emplace_back(cmd);
}

void DevilFunc::AddScriptFuncCall(DevilFunc *target)
{
    commands.emplace_back(new DevilScriptFuncCall(engine, target));
}

DevilValueInterface *DevilFunc::AddValue(int type, std::u16string_view var)
{
    const std::u16string var_name(var);
    if (values.find(var) != values.end())
    {
        PutError(u"添加变量失败，变量名称<%s>重复！", var_name.c_str());
        return nullptr;
    }
    DevilValueInterface *v = CreateDevilScriptValue(engine, name, var, type);
    if (!v)
    {
        PutError(u"变量<%s>的类型无法实别，id=%d", var_name.c_str(), type);
        return nullptr;
    }
    values.emplace(var_name, std::unique_ptr<DevilValueInterface>(v));
    return v;
}

std::u16string DevilFunc::GetListing() const
{
    std::u16string out;
    for (int i = 0; i < GetCommandCount(); ++i)
    {
        const std::u16string line = commands[i]->Describe();
        out += Format(u"%d %s\n", i, line.c_str());
    }
    for (const auto &[label, index] : labels)
        out += Format(u"%s: %d\n", label.c_str(), index);
    return out;
}
} // namespace hgl
