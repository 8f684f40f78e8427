#include "game/core/DataScript.h"

#include "core/Log.h"
#include "game/core/Archives.h"
#include "script/DevilEngine.h"

#include <memory>

namespace avg
{
bool RunDataScript(const hgl::String &name, const std::function<bool(hgl::DevilEngine &)> &bind,
                   const hgl::u16char *function)
{
    std::unique_ptr<hgl::DevilEngine> engine(hgl::NewDevilEngine());
    if (!engine || !bind(*engine))
    {
        hgl::PutError(u"数据脚本<%s>的函数映射失败!", name.c_str());
        return false;
    }
    hgl::u16char *raw = nullptr;
    const int units = ReadLocalFile(name, &raw);
    std::unique_ptr<hgl::u16char[]> text(raw);
    engine->SetCommandBudget(kDataScriptBudget);
    // The first unit is the byte-order mark.
    if (units < 1 || !engine->LoadScript(text.get() + 1, units - 1) || !engine->Resume(function))
    {
        hgl::PutError(u"运行数据脚本<%s>失败!", name.c_str());
        return false;
    }
    return true;
}
} // namespace avg
