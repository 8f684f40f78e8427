#include "game/screens/record/RecordUnit1.h"

#include "core/StrFunc.h"
#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/screens/record/RecordButton.h"
#include "game/screens/widgets/BitmapButton.h"
#include "game/screens/widgets/HGPSelect.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "gui/Label.h"
#include "platform/window/KeyCode.h"

namespace avg
{
namespace
{
constexpr float kDesignW = 1024, kDesignH = 768;
constexpr hgl::u16char kNextPageName[] = u"120", kPreviousPageName[] = u"121";
constexpr unsigned kNextPage = 120;
constexpr float kStripTop = 74, kStripHeight = 540;
constexpr float kFirstStrip = 85.7f, kStripStep = 59.3f; // left of the centre, each further left
constexpr float kPageButtonTop = 643, kNextPageLeft = 15, kPreviousPageRight = 54;
constexpr float kLabelLeft = 45, kLabelTop = 60; // from the centre, both in the horizontal scale
constexpr float kLineGap = 1.125f;               // of the text font's height
const hgl::u16char *const kLabelTexts[RecordUnit1::kLabelCount] = {u"序號：", u"章節名：", u"存檔時間：",
                                                                   u"遊戲時間："};
const float kLabelLines[RecordUnit1::kLabelCount] = {0, 1, 3, 4};

RecordButton *AsRecordButton(hgl::gui::Button *button)
{
    return static_cast<RecordButton *>(button);
}
} // namespace

RecordUnit1::RecordUnit1(const hgl::String &title_name, int count, bool load)
    : cache(std::make_unique<ThumbnailCache>(kThumbnailCacheSize)), slot_count(count), load_mode(load)
{
    title.reset(LoadTexture2D(title_name, 0));
    background.reset(LoadTexture2D(u"save1.TEX", 0));
    markers.reset(LoadTexture2D(u"small.TEX", 0));
    page_numbers.reset(LoadHGP(u"page.HGP"));

    xs = float(hgl::GetCanvasWidth()) * (1 / kDesignW);
    ys = float(hgl::GetCanvasHeight()) / kDesignH;

    MakeButtons();
    MakeLabels();
    for (int i = 0; i < kPageSlots; ++i)
    {
        RecordButton *button = new RecordButton(
            int(float(hgl::GetCanvasWidth()) / 2 - kFirstStrip * xs - kStripStep * xs * float(i)),
            int(kStripTop * ys), int(kStripHeight * ys), cache.get());
        button->Fill(ReadRecordSlot(i));
        button->OnInfo.Bind<&RecordUnit1::ShowRecordInfo>(this);
        button->OnClick.Bind<&RecordUnit1::RecordClicked>(this);
        button->Theme.Text = button->Theme.Focus = button->Theme.Disable = hgl::Color4f(0, 0, 0, 1);
        buttons[i] = button;
        control->AddObject(button);
    }

    page_end = kPageSlots;
    newest = SaveStamp();
    FindNewestRecord();
    if (newest_slot < kNoNewestSlot)
    {
        for (int i = 0; i < newest_slot / kPageSlots; ++i)
            TurnPage(next_page);
        control->SetFocusObject(buttons[newest_slot % kPageSlots]);
    }
    else
        control->SetFocusObject(buttons[0]);
}

RecordUnit1::~RecordUnit1()
{
    // The strips call back into this screen as they lose the focus and ask the
    // cache for pictures: they go while both still stand.
    control->Clear();
}

void RecordUnit1::MakeButtons()
{
    const float W = float(hgl::GetCanvasWidth());
    next_page =
        new BitmapButton(kNextPageLeft * xs, kPageButtonTop * ys, 2, 1, 2, 1, u"button1.TEX", u"button2.TEX");
    next_page->SetName(kNextPageName);
    previous_page = new BitmapButton(W - kPreviousPageRight * xs, kPageButtonTop * ys, 1, 1, 2, 1,
                                     u"button1.TEX", u"button2.TEX");
    previous_page->SetName(kPreviousPageName);
    for (BitmapButton *b : {next_page, previous_page})
    {
        b->OnClick.Bind<&RecordUnit1::TurnPage>(this);
        control->AddObject(b);
    }
}

void RecordUnit1::MakeLabels()
{
    const float x = float(hgl::GetCanvasWidth()) / 2 + kLabelLeft * xs;
    const float y = float(hgl::GetCanvasHeight()) / 2 + kLabelTop * xs;
    const float line = TextFont ? float(TextFont->CharHeight) * kLineGap : 0;
    for (int i = 0; i < kLabelCount; ++i)
    {
        labels[i] = new hgl::gui::Label(x, y + kLabelLines[i] * line);
        labels[i]->SetFont(TextFont);
        labels[i]->SetText(i == 1 ? hgl::String() : hgl::String(kLabelTexts[i]));
        labels[i]->Color = hgl::Color4f(0, 0, 0, 1);
        control->AddObject(labels[i]);
    }
}

void RecordUnit1::ResetLabels()
{
    for (int i = 0; i < kLabelCount; ++i)
        labels[i]->SetText(kLabelTexts[i]);
}

RecordButton *RecordUnit1::GetRecordButton(int position) const
{
    return position >= 0 && position < kPageSlots ? buttons[position] : nullptr;
}

RecordButton *RecordUnit1::FindRecordButton(int slot) const
{
    const int position = slot - (page_end - kPageSlots);
    return position >= 0 && position < kPageSlots ? buttons[position] : nullptr;
}

hgl::gui::Label *RecordUnit1::GetLabel(int line) const
{
    return line >= 0 && line < kLabelCount ? labels[line] : nullptr;
}

void RecordUnit1::FindNewestRecord()
{
    newest_slot = avg::FindNewestRecord(slot_count, newest);
}

void RecordUnit1::FillButton(int slot, int first)
{
    RecordButton *button = GetRecordButton(slot - first);
    if (!button) return;
    button->Fill(ReadRecordSlot(slot));
    button->SetVisible(false);
}

void RecordUnit1::ShowTurnedPage(bool shown)
{
    for (hgl::gui::Label *label : labels)
        label->SetVisible(shown);
    next_page->SetVisible(shown);
    previous_page->SetVisible(shown);
    if (!shown) return;
    for (RecordButton *button : buttons)
        button->SetVisible(true);
}

void RecordUnit1::TurnPage(hgl::gui::Button *button)
{
    if (!button || closing) return;
    if (hgl::StrToUInt(button->GetName().c_str()) == kNextPage)
    {
        if (slot_count < page_end + kPageSlots)
        {
            PlaySystemSound(kBookEndSound, true);
            return;
        }
        turn_direction = tdForward;
        turn_angle = 0;
        for (int slot = page_end; slot < page_end + kPageSlots; ++slot)
            FillButton(slot, page_end);
        page_end += kPageSlots;
    }
    else
    {
        if (page_end == kPageSlots)
        {
            PlaySystemSound(kBookEndSound, true);
            return;
        }
        turn_direction = tdBackward;
        turn_angle = 0;
        const int first = page_end - 2 * kPageSlots;
        for (int slot = first + kPageSlots - 1; slot >= first; --slot)
            FillButton(slot, first);
        page_end -= kPageSlots;
    }
    ShowTurnedPage(false);
    PlaySystemSound(kTurnSound, true);
}

void RecordUnit1::RecordClicked(hgl::gui::Button *b)
{
    RecordButton *button = AsRecordButton(b);
    if (!button || closing) return;
    if (button->GetCaption() == kEmptyCaption || !load_mode)
    {
        ChooseRecord(button, button->GetSlot());
        return;
    }
    chosen_button = button;
    HGPSelect *dialog =
        new HGPSelect(u"SystemSelect\\IsLoad.HGP", u"SystemSelect\\yes.HGP", u"SystemSelect\\no.HGP", 0);
    dialog->OnResult.Bind<&RecordUnit1::OnLoadConfirmed>(this);
    NextObject = dialog;
    ObjectState = fosPush;
}

void RecordUnit1::OnLoadConfirmed(int answer)
{
    if (answer != 1) return;
    load_chosen = true;
    closing = true;
}

void RecordUnit1::ShowRecordInfo(hgl::HGP *thumbnail, RecordButton *button)
{
    if (!button)
    {
        current_thumbnail = nullptr;
        return;
    }
    current_thumbnail = thumbnail;
    // Asked every frame: only a changed line is set again.
    for (int i = 0; i < kLabelCount; ++i)
        if (labels[i]->GetText() != button->GetDetail(i)) labels[i]->SetText(button->GetDetail(i));
}

void RecordUnit1::DropThumbnail(const hgl::String &slot_name)
{
    hgl::HGP *picture = nullptr;
    if (cache->Find(RecordThumbnailPath(slot_name), picture, false) && picture == current_thumbnail)
        current_thumbnail = nullptr;
    DropRecordThumbnail(slot_name, cache.get());
}

void RecordUnit1::SavedInto(RecordButton *button)
{
    const RecordSlot record = ReadRecordSlot(button->GetSlot());
    button->Fill(record);
    newest_slot = record.slot;
    newest = record.stamp;
}

bool RecordUnit1::Proc_MouseRightDown(int, int, int)
{
    return Proc_KeyDown(hgl::key::Esc);
}

bool RecordUnit1::Proc_KeyDown(int key)
{
    if (key == hgl::key::Esc)
    {
        closing = true;
        return true;
    }
    return hgl::FlowObject::Proc_KeyDown(key);
}

void RecordUnit1::KeepFocus()
{
    for (RecordButton *button : buttons)
        if (button->HasFocus()) return;
    if (next_page->HasFocus() || previous_page->HasFocus()) return;
    control->SetFocusObject(buttons[newest_slot % kPageSlots]);
}
} // namespace avg
