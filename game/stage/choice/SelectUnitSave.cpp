// The choice menu's node of a save: "选择项" with the option list ("选项": an int32
// count, then each option as a stream string, hidden ones as " ") and the story
// variable ("结果": a stream string). The announced count is not kept.
#include "game/stage/choice/SelectUnit.h"

#include "core/Log.h"
#include "io/MemStream.h"
#include "io/TDF.h"

namespace avg
{
namespace
{
const hgl::u16char kChoiceNode[] = u"选择项";
const hgl::u16char kOptionsKey[] = u"选项";
const hgl::u16char kResultKey[] = u"结果";
} // namespace

bool SelectUnit::SaveState(hgl::TDFNode *record)
{
    if (!record || buttons.empty()) return false;
    hgl::TDFNode *node = record->AddChild(kChoiceNode);
    hgl::MemStream *list = node->AddChild(kOptionsKey)->GetStream();
    bool written = list->WriteValue(hgl::int32(options.GetCount()));
    for (int i = 0; written && i < options.GetCount(); ++i)
        written = list->WriteString(options[i]);
    return written && node->AddChild(kResultKey)->GetStream()->WriteString(variable);
}

// The options are read up to their count, the end of the data or a read that fails;
// whatever came of it is opened, and a choice left with nothing to show does not
// open (the story then goes on past it).
bool SelectUnit::LoadState(hgl::TDFNode *record)
{
    hgl::TDFNode *node = record ? record->FindChild(kChoiceNode) : nullptr;
    if (!node) return true;
    Clear();
    hgl::TDFNode *result = node->FindChild(kResultKey);
    if (result) result->GetStream()->SetPosition(0);
    hgl::String name;
    if (!result || result->GetStream()->ReadString(name) < 0)
    {
        hgl::PutError(u"选择项存档缺少<%s>或无法读取", kResultKey);
        return false;
    }
    variable = name;

    hgl::TDFNode *list = node->FindChild(kOptionsKey);
    hgl::int32 count = 0;
    if (!list)
        hgl::PutError(u"选择项<%s>的存档缺少<%s>", variable.c_str(), kOptionsKey);
    else
    {
        hgl::MemStream *data = list->GetStream();
        data->SetPosition(0);
        if (!data->ReadValue(count))
        {
            hgl::PutError(u"选择项<%s>的存档选项数无法读取", variable.c_str());
            count = 0;
        }
        else if (count < 0 || count > kMaxOptions)
        {
            hgl::PutError(u"选择项<%s>的存档选项数<%d>不正确，只读前%d个", variable.c_str(), count,
                          kMaxOptions);
            count = count < 0 ? 0 : kMaxOptions;
        }
        for (int i = 0; i < count; ++i)
        {
            hgl::String option;
            if (data->ReadString(option) < 0)
            {
                hgl::PutError(u"选择项<%s>的存档只有%d个完整的选项", variable.c_str(), i);
                break;
            }
            options.Add(option.IsEmpty() ? hgl::String(u" ") : option);
        }
    }
    Open();
    return true;
}
} // namespace avg
