#pragma once
// What the save and load screens show of one slot, read from the head of its save:
// the strip's caption and second line, the chapter and the save time for the right
// page, the play time, and whether the slot can be loaded. One rule fills a strip
// when the screen opens, when a page turns and after a write, so a slot never
// looks different depending on how it came on screen.
#include "core/String.h"
#include "core/Types.h"

namespace avg
{
// Slot 0 is the automatic save after the story moves to another script, slot 1
// the one made when a choice opens; the player saves into the others.
constexpr int kAutoSaveSlot = 0;
constexpr int kChoiceSaveSlot = 1;
constexpr int kFirstPlayerSlot = 2;
// Slots "0" to "69".
constexpr int kSaveSlotCount = 70;
// The newest slot when no player save has a save time.
constexpr int kNoNewestSlot = 121;

constexpr float kFilledSlotAlpha = 1.0f;
constexpr float kEmptySlotAlpha = 0.25f;

// The caption of an empty slot: six spaces, then 空.
extern const hgl::u16char kEmptyCaption[];
// The save time of an empty slot.
extern const hgl::u16char kNoTimeText[];

// The save stamp of a slot: its date and time of saving.
struct SaveStamp
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    // No save time was written (or the slot is empty).
    bool IsNone() const { return year == 0; }
    // "%04d%02d%02d%02d%02d%02d": stamps order as these texts do.
    hgl::String Text() const;
};

struct RecordSlot
{
    int slot = 0;
    hgl::String name;    // the slot's decimal text: the save's name and the strip's object name
    bool filled = false; // a readable save: it can be loaded
    hgl::String caption; // "      空" or six spaces and the chapter (the script without one)
    hgl::String second;  // the strip's second line, the same as the date text
    hgl::String date;    // "2024-01-02 03:04", " " without a save time, "無時間記錄" when empty
    hgl::String chapter; // spaces and line feeds made '/'; " " when the save names no script
    hgl::int64 play_time = 0;
    SaveStamp stamp;

    float Alpha() const { return filled ? kFilledSlotAlpha : kEmptySlotAlpha; }
};

hgl::String SlotName(int slot);

// Reads the head of the slot's save; an unreadable save is an empty slot.
RecordSlot ReadRecordSlot(int slot);

// The player slot (2 to count - 1) whose save has the greatest stamp, the lower
// slot on a tie; a save without a save time never counts. kNoNewestSlot when
// none does. The stamp found goes into newest.
int FindNewestRecord(int count, SaveStamp &newest);

// "1时2分 " for 3,723,000 ms: whole hours, then the minutes left. A negative
// time shows as 0.
hgl::String PlayTimeText(hgl::int64 ms);
} // namespace avg
