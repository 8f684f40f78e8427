#include "game/core/GameRecord.h"

#include "core/Log.h"
#include "game/core/SaveFolder.h"
#include "game/core/UpperName.h"
#include "io/FileHelpers.h"
#include "io/TDF.h"
#include "platform/File.h"

namespace avg
{
namespace
{
const hgl::u16char kRootName[] = u"Game";
const hgl::u16char kFlagNode[] = u"SystemFlag";
const hgl::u16char kEventKey[] = u"Event";
const hgl::u16char kSelectKey[] = u"Select";
const hgl::u16char kBGMKey[] = u"BGM";
const hgl::u16char kGameFile[] = u"Game.TDF";
const hgl::u16char kBackupSuffix[] = u".backup";

GameRecord game_record;

bool LoadFlags(hgl::TDFNode *node, SystemFlag &flags)
{
    if (!node) return true;
    for (int i = 0; i < node->GetChildCount(); ++i)
    {
        const hgl::String name = node->GetChild(i)->GetName();
        hgl::int32 value;
        if (name.IsEmpty() || !node->GetInt32(name.c_str(), value)) return false;
        flags.Set(name, value);
    }
    return true;
}

// An absent list is empty; a present one must read whole.
bool LoadList(hgl::TDFNode &root, const hgl::u16char *key, hgl::StringList &list)
{
    return !root.FindChild(key) || root.GetObject(key, &list);
}

void Mark(hgl::StringList &list, const hgl::String &name)
{
    const hgl::String upper = UpperName(name);
    if (!upper.IsEmpty() && list.Find(upper) < 0) list.Add(upper);
}

bool Has(const hgl::StringList &list, const hgl::String &name)
{
    return list.Find(UpperName(name)) >= 0;
}
} // namespace

void GameRecord::Clear()
{
    flags.Clear();
    events.Clear();
    selects.Clear();
    bgms.Clear();
}

bool GameRecord::Load(const hgl::String &filename)
{
    Clear();
    hgl::TDFNode root;
    const bool ok = root.LoadFromFile(filename.c_str()) && root.GetName() == kRootName &&
                    LoadFlags(root.FindChild(kFlagNode), flags) && LoadList(root, kEventKey, events) &&
                    LoadList(root, kSelectKey, selects) && LoadList(root, kBGMKey, bgms);
    if (ok) return true;
    Clear();
    hgl::PutError(u"加载游戏数据<%s>失败!", filename.c_str());
    return false;
}

bool GameRecord::Save(const hgl::String &filename)
{
    hgl::TDFNode root;
    root.SetName(kRootName);
    hgl::TDFNode *node = root.AddChild(kFlagNode);
    for (int i = 0; i < flags.GetCount(); ++i)
        node->SetInt32(flags.GetItem(i)->key.c_str(), flags.GetItem(i)->value);
    root.SetObject(kEventKey, &events);
    root.SetObject(kSelectKey, &selects);
    root.SetObject(kBGMKey, &bgms);

    const hgl::String backup = filename + kBackupSuffix;
    if (root.SaveToFile(backup.c_str()) && hgl::platform::PathReplace(backup.c_str(), filename.c_str()))
        return true;
    hgl::PutError(u"保存游戏数据<%s>失败!", filename.c_str());
    return false;
}

GameRecord &GetGameRecord()
{
    return game_record;
}

bool LoadGameRecord()
{
    const hgl::String file = SavePath(kGameFile);
    const hgl::String backup = file + kBackupSuffix;
    bool ok = true;
    if (hgl::FileExist(file.c_str()))
    {
        if (game_record.Load(file)) return true;
        ok = false;
    }
    if (!hgl::FileExist(backup.c_str()))
    {
        game_record.Clear();
        return ok;
    }
    hgl::PutInfo(u"从备份<%s>恢复游戏数据", backup.c_str());
    return game_record.Load(backup);
}

bool SaveGameRecord()
{
    return game_record.Save(SavePath(kGameFile));
}

int GetSystemFlag(const hgl::String &name)
{
    int value = 0;
    game_record.flags.Get(name, value);
    return value;
}

void SetSystemFlag(const hgl::String &name, int value)
{
    if (!name.IsEmpty()) game_record.flags.Set(name, value);
}

void MarkEvent(const hgl::String &name)
{
    Mark(game_record.events, name);
}
bool IsEventSeen(const hgl::String &name)
{
    return Has(game_record.events, name);
}
void MarkSelect(const hgl::String &name)
{
    Mark(game_record.selects, name);
}
bool IsSelectSeen(const hgl::String &name)
{
    return Has(game_record.selects, name);
}
void MarkBGMHeard(const hgl::String &name)
{
    Mark(game_record.bgms, name);
}
bool IsBGMHeard(const hgl::String &name)
{
    return Has(game_record.bgms, name);
}
} // namespace avg
