#pragma once
// One save slot as a strip of the save and load screens: the chapter written from
// top to bottom, and behind it the slot's details for the right page. While it has
// the focus it asks each frame for the slot's picture and hands the picture and
// itself to the screen, which shows them. Its alpha tells a filled slot (1.0) from
// an empty one (0.25).
#include "core/BoundMethod.h"
#include "core/String.h"
#include "core/Types.h"
#include "game/screens/record/RecordThumbnail.h"
#include "game/screens/widgets/TZButton.h"

namespace hgl
{
class HGP;
}

namespace avg
{
struct RecordSlot;

class RecordButton : public TZButton
{
    ThumbnailCache *cache; // the screen's
    RecordThumbnail thumbnail;
    bool hovering = false;
    hgl::int64 hover_start = 0; // engine ms at which the focus came; 0 without it

    int slot = 0;
    hgl::String slot_name;
    hgl::String chapter_text, date_text;
    hgl::int64 play_time = 0;
    // The right page's four lines for this slot, made when the slot is filled.
    hgl::String details[4];

  public:
    enum Detail
    {
        dSerial,
        dChapter,
        dSaveTime,
        dPlayTime,
    };

    // The screen's ShowRecordInfo: (picture or null, this button), or (null, null)
    // when the focus leaves.
    hgl::BoundMethod<void(hgl::HGP *, RecordButton *)> OnInfo;

    RecordButton(int left, int top, int height, ThumbnailCache *thumbnail_cache);
    ~RecordButton() override = default;

    // Shows the slot: caption, second line, alpha, names and details.
    void Fill(const RecordSlot &record);

    int GetSlot() const { return slot; }
    const hgl::String &GetSlotName() const { return slot_name; }
    const hgl::String &GetChapterText() const { return chapter_text; }
    const hgl::String &GetDateText() const { return date_text; }
    hgl::int64 GetPlayTime() const { return play_time; }
    hgl::int64 GetHoverStart() const { return hover_start; }
    const hgl::String &GetDetail(int line) const { return details[line]; }
    bool IsFilled() const { return alpha >= 1.0f; }

    void SetFocus(bool value) override;
    void Update() override;
};
} // namespace avg
