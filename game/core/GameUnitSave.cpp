// Saving and loading the in-game screen: the core's record first, then each stage
// manager's nodes in the order background, characters, choice, message window.
#include "game/core/GameUnit.h"

#include "core/Log.h"
#include "game/core/SaveFolder.h"
#include "game/core/SaveHeader.h"
#include "game/core/SaveRecord.h"
#include "game/core/ScreenOverlay.h"
#include "game/core/GameAudio.h"
#include "game/core/Thumbnail.h"
#include "io/MemStream.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "platform/File.h"
#include "script/DevilEngine.h"

namespace avg
{
namespace
{
std::string StreamBytes(hgl::MemStream &stream)
{
    const hgl::uint8 *data = stream.GetData();
    return data ? std::string(reinterpret_cast<const char *>(data), size_t(stream.GetSize())) : std::string();
}

bool WriteSaveFile(const hgl::String &name, hgl::MemStream &bytes)
{
    return hgl::platform::FileWriteWhole(name.c_str(), bytes.GetData(), bytes.GetSize());
}

bool RestoreEngine(hgl::DevilEngine &engine, const std::string &bytes)
{
    hgl::MemStream stream;
    if (!bytes.empty() && stream.Write(bytes.data(), int(bytes.size())) != int(bytes.size())) return false;
    stream.SetPosition(0);
    return engine.LoadState(&stream);
}
} // namespace

void GameUnit::FillRecord(SaveRecord &record)
{
    record.script = script;
    record.play_time = play_time;
    hgl::MemStream state;
    if (engine->GetStackDepth() > 0) engine->SaveState(&state);
    record.run_state = StreamBytes(state);
    for (int i = 0; i < calls.Count.Get(); ++i)
        record.stack.push_back({calls[i]->name, StreamBytes(*calls[i]->stream)});
    for (int i = 0; i < values.GetCount(); ++i)
    {
        const auto *item = values.GetItem(i);
        record.variables.emplace_back(item->key, item->value);
    }
    record.music = music;
    record.music_loop = music_loop;
    record.red = red->IsOn();
    record.anime = anime->IsOn() ? anime->GetName() : hgl::String();
    record.auto_mode = AutoMode;
}

bool GameUnit::SaveGame(const hgl::String &slot, bool with_thumbnail, bool stamp_time)
{
    if (!MakeSaveFolder())
    {
        hgl::PutError(u"保存游戏<%s>失败：存档文件夹不能建立", slot.c_str());
        return false;
    }
    SaveRecord record;
    FillRecord(record);
    hgl::TDFNode root;
    record.Write(root, stamp_time);
    back->SaveState(&root);
    chars->SaveState(&root);
    choice->SaveState(&root); // writes nothing while no choice is open
    message->SaveState(&root);
    hgl::MemStream save;
    const hgl::String save_file = SaveFileName(slot);
    const hgl::String picture_file = SavePath(slot + u".hgp");

    // Under another screen the picture taken when it opened is the game screen;
    // while the game is the top screen, the one this frame draws is, written at
    // the end of the frame.
    if (!with_thumbnail || !overlay_open)
    {
        if (!root.Save(&save) || !WriteSaveFile(save_file, save))
        {
            hgl::PutError(u"保存游戏<%s>失败", slot.c_str());
            return false;
        }
        if (!with_thumbnail) return true;
        pending_thumbnail = picture_file;
        capture_pending = true;
        return true;
    }

    // Both files go beside their places first and replace the old ones only when
    // both are written, so a failed write leaves the slot as it was.
    hgl::MemStream picture;
    if (thumbnail->IsEmpty() || !thumbnail->Encode(picture) || !root.Save(&save))
    {
        hgl::PutError(u"保存游戏<%s>失败：没有存档图片", slot.c_str());
        return false;
    }
    const hgl::String save_new = save_file + u".new", picture_new = picture_file + u".new";
    if (!WriteSaveFile(save_new, save) || !WriteSaveFile(picture_new, picture) ||
        !hgl::platform::PathReplace(picture_new.c_str(), picture_file.c_str()) ||
        !hgl::platform::PathReplace(save_new.c_str(), save_file.c_str()))
    {
        hgl::platform::PathDelete(save_new.c_str());
        hgl::platform::PathDelete(picture_new.c_str());
        hgl::PutError(u"保存游戏<%s>失败", slot.c_str());
        return false;
    }
    return true;
}

bool GameUnit::ApplyRecord(const SaveRecord &record)
{
    values.Clear();
    for (const auto &[name, value] : record.variables)
        values.Set(name, value);
    calls.Clear();
    for (const SaveRecord::Caller &caller : record.stack)
    {
        auto entry = std::make_unique<GameStack>(caller.file);
        if (!caller.state.empty() &&
            entry->stream->Write(caller.state.data(), int(caller.state.size())) != int(caller.state.size()))
            return false;
        calls.Push(entry.release());
    }
    play_time = record.play_time;

    if (!GotoScript(record.script)) return false;
    // A save made as a new script began holds no run state: it starts afresh.
    if (!record.run_state.empty())
    {
        if (!RestoreEngine(*engine, record.run_state))
        {
            hgl::PutError(u"恢复脚本<%s>的运行状态失败", record.script.c_str());
            return false;
        }
        fresh_start = false;
    }

    music = record.music;
    music_loop = record.music_loop;
    if (music.IsEmpty())
        bgm::StopBGM();
    else
        bgm::PlayBGM(music, music_loop);
    if (record.red)
        red->Start(u"red.HGP");
    else
        red->Stop();
    if (record.anime.IsEmpty())
        anime->Stop();
    else
        anime->Start(record.anime);
    AutoMode = record.auto_mode;
    return true;
}

bool GameUnit::LoadStage(hgl::TDFNode &root)
{
    SetState(gsRunning);
    // A choice opened again by the load is not saved again; opening it sets the
    // flag back.
    SaveAtChoice = false;
    for (StageManager *manager :
         {(StageManager *)back, (StageManager *)chars, (StageManager *)choice, (StageManager *)message})
        if (!manager->LoadState(&root)) return false;
    SaveAtChoice = true;
    // A line shown again must not let a click run past a choice that reopened.
    if (choice->GetCount() > 0) SetState(gsChoice);
    return true;
}

bool GameUnit::LoadGame(const hgl::String &slot)
{
    hgl::TDFNode root;
    SaveRecord record;
    const bool loaded = root.LoadFromFile(SaveFileName(slot).c_str()) && record.Read(root) &&
                        ApplyRecord(record) && LoadStage(root);
    if (!loaded)
    {
        hgl::PutError(u"读取存档<%s>失败", slot.c_str());
        engine->Stop();
        load_failed = true;
        return false;
    }
    last_update = hgl::GetTime();
    return true;
}
} // namespace avg
