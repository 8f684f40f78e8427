#include "game/screens/record/RecordButton.h"

#include "game/core/GameAudio.h"
#include "game/screens/record/RecordSlot.h"
#include "io/Time.h"

namespace avg
{
namespace
{
constexpr int kFocusSound = 10;
}

RecordButton::RecordButton(int left, int top, int height, ThumbnailCache *thumbnail_cache)
    : TZButton(left, top, height, kEmptyCaption, kNoTimeText), cache(thumbnail_cache)
{
}

void RecordButton::Fill(const RecordSlot &record)
{
    SetText(record.caption.c_str(), record.second.c_str());
    SetAlpha(record.Alpha());
    slot = record.slot;
    slot_name = record.name;
    SetName(record.name);
    chapter_text = record.chapter;
    date_text = record.date;
    play_time = record.play_time;
    thumbnail.SetSlot(record.name);

    hgl::String chapter(u"章節名：");
    chapter += chapter_text;
    details[dChapter] = chapter;
    if (slot == kAutoSaveSlot || slot == kChoiceSaveSlot)
    {
        // The automatic saves show what they are, without times.
        details[dSerial] = slot == kAutoSaveSlot ? u"自動存檔" : u"選擇存檔";
        details[dSaveTime] = u"存檔時間：";
        details[dPlayTime] = u"遊戲時間：";
        return;
    }
    hgl::String serial(u"序號：");
    serial += hgl::String(slot - 1);
    details[dSerial] = serial;
    hgl::String saved(u"存檔時間：");
    saved += date_text;
    details[dSaveTime] = saved;
    hgl::String played(u"遊戲時間：");
    played += PlayTimeText(play_time);
    details[dPlayTime] = played;
}

void RecordButton::SetFocus(bool value)
{
    if (value != focus)
    {
        if (value)
        {
            PlaySystemSound(kFocusSound, false);
            hover_start = hgl::int64(hgl::GetTime());
            hovering = true;
        }
        else
        {
            hover_start = 0;
            hovering = false;
            if (OnInfo) OnInfo(nullptr, nullptr);
        }
    }
    TZButton::SetFocus(value);
}

void RecordButton::Update()
{
    TZButton::Update();
    if (!focus || !hovering) return;
    hgl::HGP *picture = thumbnail.Load(cache);
    if (OnInfo) OnInfo(picture, this);
}
} // namespace avg
