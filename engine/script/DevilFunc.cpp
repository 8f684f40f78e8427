#include "script/DevilFunc.h"

#include "core/Format.h"
#include "core/Log.h"
#include "core/String.h"
#include "script/DevilEngine.h"
#include "script/DevilValue.h"

namespace hgl
{
DevilFunc::DevilFunc(DevilEngine *e, StringView n) : engine(e), name(n) {}

DevilFunc::~DevilFunc()
{
    values.clear();
    labels.clear();
    commands.clear();
}

int DevilFunc::FindLabel(StringView label) const
{
    auto it = labels.find(label);
    return it == labels.end() ? -1 : it->second;
}

DevilValueInterface *DevilFunc::GetValue(StringView var) const
{
    auto it = values.find(var);
    return it == values.end() ? nullptr : it->second.get();
}

bool DevilFunc::AddGotoFlag(StringView label)
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

void DevilFunc::AddGoto(StringView label)
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

DevilValueInterface *DevilFunc::AddValue(int type, StringView var)
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
