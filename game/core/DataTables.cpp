#include "game/core/DataTables.h"

#include "game/core/DataScript.h"
#include "game/core/UpperName.h"
#include "script/DevilEngine.h"
#include "script/ScriptFunctionTable.h"

#include <vector>

namespace avg
{
namespace
{
constexpr float kSmallScale = 0.75f;
constexpr float kLargeScale = 1.0f;

std::vector<data::ChapterItem> chapters;
std::vector<CharViewOffset> view_offsets;

void SetChapter(const hgl::u16char *script, const hgl::u16char *name)
{
    chapters.push_back({UpperName(script), hgl::String(name)});
}

void SetCharView(const hgl::u16char *code, float scale, float anchor_y, float anchor_x)
{
    view_offsets.push_back({UpperName(code), scale, anchor_y, anchor_x});
}
} // namespace

namespace data
{
bool GetChapterName(const hgl::String &script, hgl::String &name)
{
    const hgl::String key = UpperName(script);
    for (const ChapterItem &item : chapters)
        if (item.script == key)
        {
            name = item.name;
            return true;
        }
    name.Clear();
    return false;
}
} // namespace data

int GetCharViewOffset(const hgl::String &code, hgl::u16char size, float &anchor_y, float &anchor_x,
                      float &scale)
{
    const hgl::String key = UpperName(code);
    for (size_t row = 0; row < view_offsets.size(); ++row)
    {
        const CharViewOffset &v = view_offsets[row];
        if (v.code != key) continue;
        anchor_y = v.anchor_y;
        anchor_x = v.anchor_x;
        switch (size)
        {
        case u'S':
        case u's':
            scale = kSmallScale;
            break;
        case u'L':
        case u'l':
            scale = kLargeScale;
            break;
        case u'M':
        case u'm':
        case u'X':
        case u'x':
            scale = v.scale;
            break;
        default:
            break;
        }
        return int(row);
    }
    return -1;
}

bool LoadDataTables()
{
    ClearDataTables();
    static constexpr hgl::ScriptFunction<void> kChapterFunctions[] = {
        {u"void SetChapter(string,string)", hgl::Bind<&SetChapter>},
    };
    static constexpr hgl::ScriptFunction<void> kDefineFunctions[] = {
        {u"void SetCharView(string,float,float,float)", hgl::Bind<&SetCharView>},
    };
    const bool chapter_ok = RunDataScript(u"Script\\Chapter.CPP", [](hgl::DevilEngine &e)
                                          { return hgl::MapFunctions(e, kChapterFunctions); });
    const bool define_ok = RunDataScript(u"Script\\Define.CPP", [](hgl::DevilEngine &e)
                                         { return hgl::MapFunctions(e, kDefineFunctions); });
    return chapter_ok && define_ok;
}

void ClearDataTables()
{
    chapters.clear();
    view_offsets.clear();
}
} // namespace avg
