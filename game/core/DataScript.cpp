#include "game/core/DataScript.h"

#include "core/Log.h"
#include "game/core/Archives.h"
#include "script/DevilEngine.h"

#include <memory>

namespace avg
{
namespace
{
constexpr hgl::u16char kByteOrderMark = 0xFEFF;
}

bool RunDataScript(const hgl::String &name, const std::function<bool(hgl::DevilEngine &)> &bind,
                   const hgl::u16char *function)
{
    std::unique_ptr<hgl::DevilEngine> engine(hgl::NewDevilEngine());
    if (!engine)
    {
        hgl::PutError(u"数据脚本<%s>：无法创建脚本引擎!", name.c_str());
        return false;
    }
    if (!bind(*engine))
    {
        hgl::PutError(u"数据脚本<%s>的函数映射失败!", name.c_str());
        return false;
    }
    hgl::u16char *raw = nullptr;
    const int units = ReadLocalFile(name, &raw);
    std::unique_ptr<hgl::u16char[]> text(raw);
    if (units < 1 || !text)
    {
        hgl::PutError(u"数据脚本<%s>不存在或是空的，不运行!", name.c_str());
        return false;
    }
    // The game's text files start with a byte-order mark; a file saved without one
    // keeps its first character.
    const bool marked = text[0] == kByteOrderMark;
    engine->SetCommandBudget(kDataScriptBudget);
    if (!engine->LoadScript(text.get() + (marked ? 1 : 0), units - (marked ? 1 : 0)) ||
        !engine->Resume(function))
    {
        hgl::PutError(u"运行数据脚本<%s>失败!", name.c_str());
        return false;
    }
    return true;
}
} // namespace avg
