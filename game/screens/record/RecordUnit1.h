#pragma once
// The book of save slots that the save and the load screen share: ten double pages
// of seven slot strips each, read from right to left on the left page, with the
// focused slot's picture and details on the right page, and a 3D page turn between
// pages. It opens on the page of the newest player save and fades in from black;
// Esc or a right click fades it out and returns. What choosing a slot does is the
// derived screen's.
#include "core/String.h"
#include "framework/FlowObject.h"
#include "game/screens/record/RecordSlot.h"
#include "game/screens/record/RecordThumbnail.h"

#include <memory>

namespace hgl
{
class HGP;
class Texture2D;
namespace gui
{
class Button;
class Label;
} // namespace gui
} // namespace hgl

class BitmapButton;

namespace avg
{
class RecordButton;

class RecordUnit1 : public hgl::FlowObject
{
  public:
    static constexpr int kPageSlots = 7;
    static constexpr int kLabelCount = 4;
    static constexpr float kFirstAlpha = 0.1f, kFadeStep = 0.02f;
    // Below this the screen is covered in black.
    static constexpr float kBlackBelow = 0.2f;
    static constexpr double kTurnStep = 10, kTurnEnd = 180;
    static constexpr int kBookEndSound = 19, kTurnSound = 23;

    enum TurnDirection
    {
        tdNone,
        tdForward,
        tdBackward,
    };

    RecordUnit1(const hgl::String &title, int count, bool load_mode);
    ~RecordUnit1() override;

    void Draw() override;
    bool Proc_MouseRightDown(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;

    // The page buttons' click: "120" turns forward, "121" back.
    void TurnPage(hgl::gui::Button *button);
    // A strip's click.
    void RecordClicked(hgl::gui::Button *button);
    // A strip's picture and details for the right page; (null, null) clears the picture.
    void ShowRecordInfo(hgl::HGP *thumbnail, RecordButton *button);
    // The answer of the load question.
    void OnLoadConfirmed(int answer);

    int GetPageEnd() const { return page_end; }
    int GetSlotCount() const { return slot_count; }
    int GetNewestSlot() const { return newest_slot; }
    const SaveStamp &GetNewestStamp() const { return newest; }
    int GetTurnDirection() const { return turn_direction; }
    double GetTurnAngle() const { return turn_angle; }
    float GetFade() const { return fade; }
    bool IsClosing() const { return closing; }
    bool IsLoadChosen() const { return load_chosen; }
    bool IsLoadMode() const { return load_mode; }
    RecordButton *GetRecordButton(int position) const;
    // The strip that shows the slot on this page, or null.
    RecordButton *FindRecordButton(int slot) const;
    BitmapButton *GetNextPageButton() const { return next_page; }
    BitmapButton *GetPreviousPageButton() const { return previous_page; }
    hgl::gui::Label *GetLabel(int line) const;
    hgl::HGP *GetCurrentThumbnail() const { return current_thumbnail; }
    ThumbnailCache *GetThumbnailCache() const { return cache.get(); }

  protected:
    // What choosing the slot does; false when the screen refuses it, which, after a
    // confirmed load, brings the screen back instead of leaving it black.
    virtual bool ChooseRecord(RecordButton *button, int slot) = 0;

    // Shows the slot in the strip at position slot - first, hidden until the turn ends.
    void FillButton(int slot, int first);
    void FindNewestRecord();
    // After a write: the slot's strip shows it again and carries the newest marker.
    void SavedInto(RecordButton *button);
    // The picture of the slot leaves the cache before the slot is written.
    void DropThumbnail(const hgl::String &slot_name);

    RecordButton *chosen_button = nullptr;

  private:
    std::unique_ptr<ThumbnailCache> cache;
    hgl::HGP *current_thumbnail = nullptr; // the cache's
    std::unique_ptr<hgl::Texture2D> title, background, markers;
    std::unique_ptr<hgl::HGP> page_numbers;
    float xs, ys;
    RecordButton *buttons[kPageSlots] = {};
    BitmapButton *next_page = nullptr, *previous_page = nullptr;
    hgl::gui::Label *labels[kLabelCount] = {};
    int page_end = kPageSlots;
    int slot_count;
    int turn_direction = tdNone;
    double turn_angle = 0;
    SaveStamp newest;
    int newest_slot = kNoNewestSlot;
    bool load_mode;
    float fade = kFirstAlpha;
    bool closing = false;
    bool load_chosen = false;

    void MakeButtons();
    void MakeLabels();
    void ResetLabels();
    void ShowTurnedPage(bool shown);

    void DrawPage();
    void DrawMarkers();
    void DrawTurn();
    void DrawFade();
    void KeepFocus();
};
} // namespace avg
