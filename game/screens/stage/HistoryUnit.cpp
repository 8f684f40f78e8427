#include "game/screens/stage/HistoryUnit.h"

#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/core/StageManagers.h"
#include "game/screens/widgets/KQ7Form.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/scrollbox.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "gui/RichTextLabel.h"

#include <cmath>

namespace
{
constexpr float kDesignH = 1200;
constexpr float kPageTop = 320; // design pixels
constexpr int kPageLeft = 10;
constexpr float kLabelFontShare = 0.04f; // of the canvas height, before the fonts exist
constexpr hgl::u16char kNameOpen = u'【', kNameClose = u'】';
const hgl::Color4f kWhite(1, 1, 1, 1);

// In the order they are taken out: a removal may join an occurrence of a later one.
const hgl::u16char *const kCodes[] = {u"＃",  u"￥",    u"\n",    u"%k",  u"%K",  u"%p",  u"%P",
                                      u"%n",  u"%N",    u"%t",    u"%T",  u"%lc", u"%LC", u"%le",
                                      u"%LE", u"%S060", u"%O060", u"%FS", u"%FE", u"%K"};

int FontHeight()
{
    if (avg::LabelFont) return avg::LabelFont->CharHeight;
    return int(std::lround(kLabelFontShare * float(hgl::GetCanvasHeight())));
}

void RemoveAll(std::u16string &text, std::u16string_view code)
{
    std::u16string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(code); at != std::u16string::npos; at = text.find(code, from))
    {
        out.append(text, from, at - from);
        from = at + code.size();
    }
    out.append(text, from, std::u16string::npos);
    text.swap(out);
}

float PageTop()
{
    return float(hgl::GetCanvasHeight()) * kPageTop / kDesignH;
}
} // namespace

void HistoryUnit::StripMarkup(hgl::String &text)
{
    std::u16string s = text.ToStdString();
    for (const hgl::u16char *code : kCodes)
        RemoveAll(s, code);
    text = hgl::String(s.c_str(), int(s.size()));
}

HistoryUnit::HistoryUnit(const avg::MessageStage *messages)
    : TZScrollBoxFlow(kPageLeft, int(PageTop()), int(float(hgl::GetCanvasWidth()) - 2 * kPageLeft),
                      int(float(hgl::GetCanvasHeight()) - PageTop()), u"HisBack.TEX", u"system\\k.TEX",
                      nullptr)
{
    const int count = messages ? messages->GetMessageCount() : 0;
    const int fh = FontHeight();
    const float label_w = box->Width - 4.0f * float(fh);
    voices.reserve(size_t(count) + 1); // the entries point at them
    int y = 2 * fh;
    for (int i = 0; i <= count; ++i)
    {
        // One pass more than there are messages: a closing blank entry that carries
        // the last message's voice.
        const KQ7Message *m = messages ? messages->GetMessage(i < count ? i : count - 1) : nullptr;
        hgl::String text = i < count ? (m ? m->text : hgl::String()) : hgl::String(u" ");
        StripMarkup(text);
        if (text.IsEmpty()) continue;

        auto *label = new hgl::gui::RichTextLabel(float(2 * fh), float(y), label_w, 0);
        label->Color = kWhite;
        label->SetFont(avg::TextFont);
        label->SetText(text);
        if (text.GetChar(0) == kNameOpen)
        {
            hgl::Makeup &layout = label->GetMakeup();
            label->PerCharColor = true;
            for (int c = 0; c < layout.CharColor.GetCount(); ++c)
                layout.CharColor[c] = kWhite;
            // The speaker's name, brackets included.
            for (int c = 0; c < layout.CharColor.GetCount() && c < text.GetLength(); ++c)
            {
                layout.CharColor[c] = kWhite;
                if (text.GetChar(c) == kNameClose) break;
            }
        }
        else
            label->Color = kWhite;
        if (m && !m->voice.IsEmpty())
        {
            voices.push_back(m->voice);
            label->SetUserData(&voices.back());
            label->OnClick.Bind<&HistoryUnit::OnEntryClick>(this);
        }
        box->AddObject(label);
        ++entries;
        y = int(float(y) + label->Height + float(fh));
    }
    box->Refresh();
    box->SetScrollY(float(int(box->GetVerticalBar().MaxValue)));
}

void HistoryUnit::OnEntryClick(hgl::gui::Label *label)
{
    const auto *voice = static_cast<const hgl::String *>(label->GetUserData());
    if (voice && !voice->IsEmpty()) avg::PlayVoice(*voice);
}

void HistoryUnit::Draw()
{
    avg::screen_draw::DimCanvas(dim);
    if (double(dim) < kDimLimit) dim += kDimStep;
}
