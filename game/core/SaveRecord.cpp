#include "game/core/SaveRecord.h"

#include "core/Log.h"
#include "game/core/SaveHeader.h"
#include "io/TDF.h"
#include "io/Time.h"

namespace avg
{
namespace
{
namespace key
{
constexpr hgl::u16char Version[] = u"Version";
constexpr hgl::u16char RunState[] = u"运行状态";
constexpr hgl::u16char Stack[] = u"脚本栈";
constexpr hgl::u16char Count[] = u"Count";
constexpr hgl::u16char File[] = u"File";
constexpr hgl::u16char State[] = u"State";
constexpr hgl::u16char Variables[] = u"变量";
constexpr hgl::u16char Music[] = u"音乐";
constexpr hgl::u16char Name[] = u"Name";
constexpr hgl::u16char Loop[] = u"Loop";
constexpr hgl::u16char Screen[] = u"画面";
constexpr hgl::u16char Red[] = u"Red";
constexpr hgl::u16char Anime[] = u"Anime";
constexpr hgl::u16char Auto[] = u"自动";
constexpr hgl::u16char AutoOn[] = u"Auto";
} // namespace key

bool Damaged(const hgl::u16char *what)
{
    hgl::PutError(u"存档损坏<%s>", what);
    return false;
}

void PutBytes(hgl::TDFNode &node, const hgl::u16char *name, const std::string &bytes)
{
    node.SetData(name, bytes.data(), int(bytes.size()));
}

// A data value as raw bytes; false when the key is missing.
bool GetBytes(hgl::TDFNode &node, const hgl::u16char *name, std::string &bytes)
{
    hgl::TDFNode *child = node.FindChild(name);
    if (!child) return false;
    hgl::MemStream *data = child->GetStream();
    const hgl::uint8 *p = data->GetData();
    bytes.assign(p ? reinterpret_cast<const char *>(p) : "", p ? size_t(data->GetSize()) : 0);
    return true;
}

// A text that may be stored empty (GetString refuses those).
hgl::String GetText(hgl::TDFNode *node, const hgl::u16char *name)
{
    hgl::String text;
    if (node && !node->GetString(name, text)) text.Clear();
    return text;
}

bool GetFlag(hgl::TDFNode *node, const hgl::u16char *name)
{
    bool flag = false;
    return node && node->GetBool(name, flag) && flag;
}

bool ReadStack(hgl::TDFNode *node, std::vector<SaveRecord::Caller> &stack)
{
    stack.clear();
    if (!node) return true;
    hgl::int32 count = 0;
    if (!node->GetInt32(key::Count, count) || count < 0 || count > SaveRecord::kMaxStack)
        return Damaged(key::Stack);
    for (int i = 0; i < count; ++i)
    {
        hgl::TDFNode *entry = node->FindChild(hgl::String(i));
        SaveRecord::Caller caller;
        if (!entry || !entry->GetString(key::File, caller.file) ||
            !GetBytes(*entry, key::State, caller.state))
            return Damaged(key::Stack);
        stack.push_back(std::move(caller));
    }
    return true;
}

bool ReadVariables(hgl::TDFNode *node, std::vector<std::pair<hgl::String, int>> &variables)
{
    variables.clear();
    if (!node) return true;
    if (node->GetChildCount() > SaveRecord::kMaxVariables) return Damaged(key::Variables);
    for (int i = 0; i < node->GetChildCount(); ++i)
    {
        hgl::TDFNode *child = node->GetChild(i);
        hgl::int32 value = 0;
        if (child->GetName().IsEmpty() || child->GetStream()->GetSize() != sizeof(value))
            return Damaged(key::Variables);
        child->GetStream()->ReadAt(0, &value, sizeof(value));
        variables.emplace_back(child->GetName(), value);
    }
    return true;
}
} // namespace

bool SaveRecord::Write(hgl::TDFNode &root, bool stamp_time) const
{
    root.SetName(save_key::Root);
    root.SetInt32(key::Version, kVersion);
    root.SetString(save_key::Script, script);
    if (stamp_time)
    {
        hgl::Date date;
        hgl::Time time;
        date.SetToday();
        time.SetToNow();
        hgl::TDFNode *when = root.AddChild(save_key::SaveTime);
        when->SetObject(save_key::Date, &date);
        when->SetObject(save_key::Time, &time);
    }
    root.SetInt64(save_key::PlayTime, play_time);
    PutBytes(root, key::RunState, run_state);

    hgl::TDFNode *callers = root.AddChild(key::Stack);
    callers->SetInt32(key::Count, int(stack.size()));
    for (size_t i = 0; i < stack.size(); ++i)
    {
        hgl::TDFNode *entry = callers->AddChild(hgl::String(int(i)));
        entry->SetString(key::File, stack[i].file);
        PutBytes(*entry, key::State, stack[i].state);
    }

    hgl::TDFNode *values = root.AddChild(key::Variables);
    for (const auto &[name, value] : variables)
        values->SetInt32(name.c_str(), value);

    hgl::TDFNode *music_node = root.AddChild(key::Music);
    music_node->SetString(key::Name, music);
    music_node->SetBool(key::Loop, music_loop);
    hgl::TDFNode *screen = root.AddChild(key::Screen);
    screen->SetBool(key::Red, red);
    screen->SetString(key::Anime, anime);
    hgl::TDFNode *auto_node = root.AddChild(key::Auto);
    auto_node->SetBool(key::AutoOn, auto_mode);
    return true;
}

bool SaveRecord::Read(hgl::TDFNode &root)
{
    if (root.GetName() != save_key::Root || !root.GetString(save_key::Script, script))
        return Damaged(save_key::Root);
    hgl::int32 version = 0;
    if (!root.GetInt32(key::Version, version) || version != kVersion) return Damaged(key::Version);
    if (!root.GetInt64(save_key::PlayTime, play_time) || play_time < 0) play_time = 0;
    if (!GetBytes(root, key::RunState, run_state)) return Damaged(key::RunState);
    if (!ReadStack(root.FindChild(key::Stack), stack)) return false;
    if (!ReadVariables(root.FindChild(key::Variables), variables)) return false;

    hgl::TDFNode *music_node = root.FindChild(key::Music);
    music = GetText(music_node, key::Name);
    music_loop = GetFlag(music_node, key::Loop);
    hgl::TDFNode *screen = root.FindChild(key::Screen);
    red = GetFlag(screen, key::Red);
    anime = GetText(screen, key::Anime);
    hgl::TDFNode *auto_node = root.FindChild(key::Auto);
    auto_mode = GetFlag(auto_node, key::AutoOn);
    return true;
}
} // namespace avg
