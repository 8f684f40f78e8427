#include "support/stage/MinimalStage.h"

#include "core/Log.h"
#include "game/core/Config.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/core/GameUnit.h"
#include "game/core/SaveFolder.h"
#include "game/core/GameAudio.h"
#include "graphics/font/Makeup.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/MD5.h"
#include "io/MemStream.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "platform/File.h"
#include "io/FileHelpers.h"
#include "platform/window/KeyCode.h"
#include "script/DevilEngine.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>
#include <cstring>

namespace avg
{
namespace
{
// The message box: the lower part of the canvas, the text inset from its edges.
constexpr float kBoxTop = 0.72f;
constexpr float kBoxInset = 0.04f;
constexpr float kBoxAlpha = 0.75f;
// Choice rows: from a third of the canvas down, each a tenth of it high.
constexpr float kChoiceTop = 0.3f;
constexpr float kChoiceRow = 0.1f;
const hgl::Color4f kText{1, 1, 1, 1};
const hgl::Color4f kDarkText{0.1f, 0.1f, 0.1f, 1};
const hgl::Color4f kFocusText{1, 0.9f, 0.3f, 1};
constexpr int kDigestBytes = 16;

const hgl::u16char kShoutNode[] = u"喊话";
const hgl::u16char kFontNode[] = u"字体颜色";
const hgl::u16char *const kModeNode[] = {u"小说对话", u"中间对话", u"对话框对话"};
const hgl::u16char kChoiceNode[] = u"选择项";
const hgl::u16char kOptionsKey[] = u"选项";
const hgl::u16char kResultKey[] = u"结果";
const hgl::u16char kBackNode[] = u"背景";
const hgl::u16char kCurNode[] = u"Cur";
const hgl::u16char kFileKey[] = u"Filename";
const hgl::u16char kCharNode[] = u"人物";

MessageDigest Digest(const hgl::String &text)
{
    MessageDigest d{};
    hgl::MD5Digest(text.c_str() ? text.c_str() : u"", unsigned(text.GetLength() * 2), d.data());
    return d;
}

hgl::MemStream *Data(hgl::TDFNode *node)
{
    hgl::MemStream *s = node->GetStream();
    s->SetPosition(0);
    return s;
}

hgl::uint8 ReadByte(hgl::TDFNode *node)
{
    hgl::uint8 b = 0;
    return node && Data(node)->ReadValue(b) ? b : 0;
}

// The draw colour: the font's colour with the object's alpha.
void DrawText(hgl::TileFont *font, float x, float y, float width, const hgl::String &text,
              const hgl::Color4f &colour, int align = hgl::TileFont::AlignLeft)
{
    if (!font || text.IsEmpty()) return;
    font->Color = colour;
    hgl::Makeup makeup;
    if (font->MakeupText(makeup, text.c_str(), int(width), align))
        font->DrawMakeup(x, y, makeup, text.c_str());
}
} // namespace

// ---------------------------------------------------------------- message window

MinimalMessageStage::MinimalMessageStage(GameUnit &u) : unit(u)
{
    hgl::DevilEngine *e = unit.GetEngine();
    static constexpr hgl::ScriptFunction<MinimalMessageStage> kFunctions[] = {
        {u"void MES(string)", hgl::Bind<&MinimalMessageStage::MES>},
        {u"void MESC(string)", hgl::Bind<&MinimalMessageStage::MESC>},
        {u"void ShowMessage(string,string,string)", hgl::Bind<&MinimalMessageStage::ShowMessage>},
        {u"void ShowMessageL(string,string,string)", hgl::Bind<&MinimalMessageStage::ShowMessageL>},
        {u"void CGCUT(string)", hgl::Bind<&MinimalMessageStage::CGCUT>},
        {u"void CGCUTOFF()", hgl::Bind<&MinimalMessageStage::CGCUTOFF>},
        {u"void CLEAR()", hgl::Bind<&MinimalMessageStage::CLEAR>},
        {u"void FONT(int)", hgl::Bind<&MinimalMessageStage::FONT>},
    };
    hgl::MapFunctions(*e, this, kFunctions);
    hgl::DevilVM::CompileHook hook;
    hook.Bind<&MinimalMessageStage::IsMessageFunction>(this);
    e->SetCompileHook(hook);
}

MinimalMessageStage::~MinimalMessageStage()
{
    unit.GetEngine()->SetCompileHook({});
}

bool MinimalMessageStage::IsMessageFunction(const hgl::u16char *name)
{
    if (!collect || !name) return false;
    for (const hgl::u16char *f : {u"MES", u"MESC", u"ShowMessage", u"ShowMessageL"})
        if (hgl::String(name) == f) return true;
    return false;
}

void MinimalMessageStage::CloseHistory()
{
    if (history_file.IsEmpty()) return;
    // An int32 count of the script's messages, then the digests already read.
    hgl::MemStream out;
    out.WriteValue(hgl::int32(script_index.size()));
    for (const MessageDigest &d : read_index)
        out.Write(d.data(), kDigestBytes);
    if (!hgl::platform::FileWriteWhole(history_file.c_str(), out.GetData(), out.GetSize()))
        hgl::PutError(u"Open History File <%s> error!", history_file.c_str());
    history_file.Clear();
    script_index.clear();
    read_index.clear();
}

void MinimalMessageStage::LoadHistory(const hgl::String &script)
{
    collect = false;
    history_file = SavePath(script + u".history");
    read_index.clear();
    if (!hgl::FileExist(history_file.c_str())) return;
    hgl::uint8 *bytes = nullptr;
    const hgl::int64 size = hgl::LoadFileToMemory(history_file.c_str(), &bytes);
    std::unique_ptr<hgl::uint8[]> owned(bytes);
    for (hgl::int64 at = sizeof(hgl::int32); bytes && at + kDigestBytes <= size; at += kDigestBytes)
    {
        MessageDigest d;
        std::memcpy(d.data(), bytes + at, kDigestBytes);
        read_index.insert(d);
    }
}

bool MinimalMessageStage::IsRead() const
{
    return read_index.count(digest) != 0;
}

void MinimalMessageStage::MarkRead()
{
    read_index.insert(digest);
}

void MinimalMessageStage::WindowOff()
{
    text.Clear();
    voice.Clear();
}

void MinimalMessageStage::ShowText(Mode m, const hgl::String &voice_name, const hgl::u16char *message,
                                   bool play_voice)
{
    const hgl::String line(message);
    if (collect)
    {
        script_index.push_back(Digest(line));
        return;
    }
    mode = m;
    voice = voice_name;
    text = line;
    digest = Digest(line);
    unit.GetEngine()->Pause();
    shown = true;
    if (play_voice && !voice.IsEmpty()) PlayVoice(voice);
    unit.SetState(line.FindString(u"%LC") >= 0 ? gsMessageFixed : gsMessage);
}

void MinimalMessageStage::MES(const hgl::u16char *message)
{
    shout = false;
    ShowText(Novel, u"", message, false);
}

void MinimalMessageStage::MESC(const hgl::u16char *message)
{
    shout = false;
    ShowText(Centre, u"", message, false);
}

void MinimalMessageStage::ShowMessage(const hgl::u16char *, const hgl::u16char *voice_name,
                                      const hgl::u16char *message)
{
    shout = false;
    ShowText(Dialog, voice_name, message, true);
}

void MinimalMessageStage::ShowMessageL(const hgl::u16char *, const hgl::u16char *voice_name,
                                       const hgl::u16char *message)
{
    shout = true;
    ShowText(Dialog, voice_name, message, true);
}

void MinimalMessageStage::CLEAR()
{
    text.Clear();
}

bool MinimalMessageStage::SaveState(hgl::TDFNode *root)
{
    const hgl::uint8 shout_byte = shout;
    root->SetData(kShoutNode, &shout_byte, 1);
    hgl::TDFNode *line = root->AddChild(kModeNode[mode]);
    const hgl::uint8 has_line = !text.IsEmpty() && shown;
    line->GetStream()->WriteValue(has_line);
    if (has_line)
    {
        const int cut = voice.FindChar(u'_');
        line->GetStream()->WriteString(cut >= 0 ? hgl::String(voice.c_str(), cut) : voice);
        line->GetStream()->WriteString(text);
    }
    const hgl::uint8 dark_byte = dark;
    root->SetData(kFontNode, &dark_byte, 1);
    return true;
}

bool MinimalMessageStage::LoadState(hgl::TDFNode *root)
{
    shout = ReadByte(root->FindChild(kShoutNode)) != 0;
    dark = ReadByte(root->FindChild(kFontNode)) != 0;
    for (int m : {Novel, Dialog, Centre})
    {
        hgl::TDFNode *line = root->FindChild(kModeNode[m]);
        if (!line) continue;
        hgl::uint8 has_line = 0;
        hgl::MemStream *s = Data(line);
        if (!s->ReadValue(has_line)) return false;
        if (!has_line) return true;
        hgl::String key, saved;
        if (s->ReadString(key) < 0 || s->ReadString(saved) < 0) return false;
        // A line shown again plays no voice.
        ShowText(Mode(m), key, saved.c_str(), false);
        return true;
    }
    return true;
}

void MinimalMessageStage::Draw()
{
    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    if (!shown || text.IsEmpty() || w <= 0) return;
    const float inset = w * kBoxInset;
    if (mode == Dialog)
        DrawMsgBoxRect(GetMsgBoxTexture(mbtMessage1), 0, h * kBoxTop, w, h * (1 - kBoxTop),
                       hgl::Color4f(1, 1, 1, 1), kBoxAlpha);
    const float top = mode == Dialog ? h * kBoxTop + inset : inset;
    const hgl::Color4f &colour = dark ? kDarkText : kText;
    hgl::TileFont *font = mode == Novel ? NovelFont : TextFont;
    DrawText(font, inset, mode == Centre ? h / 2 : top, w - 2 * inset, text, colour,
             mode == Centre ? hgl::TileFont::AlignCenter : hgl::TileFont::AlignLeft);
}

// ---------------------------------------------------------------- choice menu

MinimalChoiceStage::MinimalChoiceStage(GameUnit &u) : unit(u)
{
    static constexpr hgl::ScriptFunction<MinimalChoiceStage> kFunctions[] = {
        {u"void SELECT(string,int)", hgl::Bind<&MinimalChoiceStage::SELECT>},
        {u"void SELDT(string)", hgl::Bind<&MinimalChoiceStage::SELDT>},
        {u"void SELDT_Switch(string,string,string,string)", hgl::Bind<&MinimalChoiceStage::SELDT_Switch>},
        {u"void SWITCH(string,int)", hgl::Bind<&MinimalChoiceStage::SWITCH>},
        {u"void CaseGoto(int,string)", hgl::Bind<&MinimalChoiceStage::CaseGoto>},
    };
    hgl::MapFunctions(*unit.GetEngine(), this, kFunctions);
}

void MinimalChoiceStage::Clear()
{
    options.clear();
    open = false;
    focus = 0;
}

void MinimalChoiceStage::Open()
{
    unit.GetEngine()->Pause();
    open = true;
    focus = 0;
    unit.SetState(gsChoice);
    if (unit.SaveAtChoice)
        unit.SaveGame(u"1");
    else
        unit.SaveAtChoice = true;
}

bool MinimalChoiceStage::Met(const hgl::u16char *flag)
{
    return (flag && hgl::String(flag) == u" ") || unit.GetValues().RGET(flag) != 0;
}

void MinimalChoiceStage::SELECT(const hgl::u16char *name, int count)
{
    variable = name;
    expected = count;
    Clear();
}

void MinimalChoiceStage::SELDT(const hgl::u16char *option)
{
    options.push_back(option && *option ? hgl::String(option) : hgl::String(u" "));
    if (int(options.size()) == expected) Open();
}

void MinimalChoiceStage::SELDT_Switch(const hgl::u16char *option, const hgl::u16char *f1,
                                      const hgl::u16char *f2, const hgl::u16char *f3)
{
    SELDT(Met(f1) && Met(f2) && Met(f3) ? option : u"");
}

void MinimalChoiceStage::SWITCH(const hgl::u16char *name, int)
{
    variable = name;
}

void MinimalChoiceStage::CaseGoto(int value, const hgl::u16char *label)
{
    if (unit.GetValues().RGET(variable.c_str()) != value) return;
    hgl::DevilEngine *e = unit.GetEngine();
    if (e->GotoLabel(label))
        e->Resume(nullptr);
    else
        hgl::PutError(u"跳转失败：<%d:%s>", value, label ? label : u"");
}

bool MinimalChoiceStage::Pick(int index)
{
    if (!open || index < 0 || index >= int(options.size()) || options[index] == u" ") return false;
    unit.GetValues().RSET(variable.c_str(), hgl::String(index).c_str());
    MarkSelect(options[index]);
    Clear();
    unit.ChoicePicked();
    return true;
}

void MinimalChoiceStage::OptionRow(int index, float &top, float &height)
{
    // Without a canvas (nothing drawn) the rows lie where the configured window would have them.
    const int canvas = hgl::GetCanvasHeight();
    const float h = float(canvas > 0 ? canvas : config::graphics_config.ScreenHeight);
    height = h * kChoiceRow;
    top = h * kChoiceTop + index * height;
}

bool MinimalChoiceStage::Proc_MouseLeftDown(int, int y, int)
{
    if (!open) return false;
    for (int i = 0; i < int(options.size()); ++i)
    {
        float top, height;
        OptionRow(i, top, height);
        if (y >= top && y < top + height) return Pick(i);
    }
    return true; // a click beside the options does not run past the choice
}

bool MinimalChoiceStage::Proc_KeyDown(int key)
{
    if (!open || options.empty()) return false;
    const int n = int(options.size());
    if (key == hgl::key::Up)
        focus = (focus + n - 1) % n;
    else if (key == hgl::key::Down)
        focus = (focus + 1) % n;
    else if (key == hgl::key::Enter || key == hgl::key::Space)
        Pick(focus);
    else
        return false;
    return true;
}

bool MinimalChoiceStage::SaveState(hgl::TDFNode *root)
{
    if (!open) return false;
    hgl::TDFNode *node = root->AddChild(kChoiceNode);
    hgl::MemStream *list = node->AddChild(kOptionsKey)->GetStream();
    list->WriteValue(hgl::int32(options.size()));
    for (const hgl::String &option : options)
        list->WriteString(option);
    node->AddChild(kResultKey)->GetStream()->WriteString(variable);
    return true;
}

bool MinimalChoiceStage::LoadState(hgl::TDFNode *root)
{
    hgl::TDFNode *node = root->FindChild(kChoiceNode);
    if (!node) return true;
    hgl::TDFNode *list = node->FindChild(kOptionsKey), *result = node->FindChild(kResultKey);
    hgl::int32 count = 0;
    if (!list || !result || !Data(list)->ReadValue(count) || count <= 0 ||
        count > Data(list)->GetSize() / hgl::int32(sizeof(hgl::int32)))
        return false;
    Clear();
    Data(list)->SetPosition(sizeof(count));
    for (int i = 0; i < count; ++i)
    {
        hgl::String option;
        if (list->GetStream()->ReadString(option) < 0) return false;
        options.push_back(option);
    }
    if (Data(result)->ReadString(variable) < 0) return false;
    Open();
    return true;
}

void MinimalChoiceStage::Draw()
{
    if (!open) return;
    const float w = float(hgl::GetCanvasWidth());
    for (int i = 0; i < int(options.size()); ++i)
    {
        float top, height;
        OptionRow(i, top, height);
        DrawText(TextFont, 0, top, w, options[i], i == focus ? kFocusText : kText,
                 hgl::TileFont::AlignCenter);
    }
}

// ---------------------------------------------------------------- backgrounds

MinimalBackStage::MinimalBackStage(GameUnit &unit)
{
    using S = const hgl::u16char *;
    // The demo story's other background functions are taken and do nothing here.
    static constexpr hgl::ScriptFunction<MinimalBackStage> kFunctions[] = {
        {u"void BG_SET(string)", hgl::Bind<&MinimalBackStage::BG_SET>},
        {u"void BG_FLG(int,int,string)", hgl::Bind<&MinimalBackStage::Ignore<int, int, S>>},
        {u"void BG_DSP0(string)", hgl::Bind<&MinimalBackStage::Ignore<S>>},
        {u"void BG_DSP1(string)", hgl::Bind<&MinimalBackStage::Ignore<S>>},
        {u"void BG_ERS1()", hgl::Bind<&MinimalBackStage::Ignore<>>},
        {u"void BG_Part(string,float,float,float,float,int,int)",
         hgl::Bind<&MinimalBackStage::Ignore<S, float, float, float, float, int, int>>},
        {u"void BG_ToFull(int)", hgl::Bind<&MinimalBackStage::Ignore<int>>},
        {u"void MOVEBG(float,float,float,float)",
         hgl::Bind<&MinimalBackStage::Ignore<float, float, float, float>>},
        {u"void ZOOMBG(float,float,float,float)",
         hgl::Bind<&MinimalBackStage::Ignore<float, float, float, float>>},
    };
    hgl::MapFunctions(*unit.GetEngine(), this, kFunctions);
}

MinimalBackStage::~MinimalBackStage() = default;

void MinimalBackStage::BG_SET(const hgl::u16char *picture_name)
{
    name = picture_name;
    picture.reset();
    if (!name.IsEmpty() && (name.GetChar(0) == u'c' || name.GetChar(0) == u'C')) MarkEvent(name);
}

hgl::String MinimalBackStage::PicturePath(const hgl::String &name)
{
    // The first letter tells the folder: backgrounds, event pictures, the rest.
    const hgl::u16char first = name.IsEmpty() ? 0 : name.GetChar(0) | 0x20;
    const hgl::u16char *folder = first == u'b' || first == u'w' ? u"BG\\"
                                 : first == u'c'                ? u"Event\\"
                                                                : u"BGI\\";
    return hgl::String(folder) + name + u".HGP";
}

bool MinimalBackStage::SaveState(hgl::TDFNode *root)
{
    root->AddChild(kBackNode)->AddChild(kCurNode)->GetStream()->WriteString(name);
    return true;
}

bool MinimalBackStage::LoadState(hgl::TDFNode *root)
{
    name.Clear();
    picture.reset();
    hgl::TDFNode *node = root->FindChild(kBackNode);
    hgl::TDFNode *cur = node ? node->FindChild(kCurNode) : nullptr;
    return !cur || Data(cur)->ReadString(name) >= 0;
}

void MinimalBackStage::Draw()
{
    const int w = hgl::GetCanvasWidth(), h = hgl::GetCanvasHeight();
    if (name.IsEmpty() || w <= 0) return;
    if (!picture) picture.reset(LoadHGP(PicturePath(name)));
    if (picture->IsEmpty()) return;
    picture->SetAlpha(1.0f);
    picture->Draw(0, 0, double(w) / picture->Width, double(h) / picture->Height);
}

// ---------------------------------------------------------------- characters

MinimalCharStage::MinimalCharStage(GameUnit &unit)
{
    static constexpr hgl::ScriptFunction<MinimalCharStage> kFunctions[] = {
        {u"void CHR_SET0(string)", hgl::Bind<&MinimalCharStage::Set<0>>},
        {u"void CHR_SET1(string)", hgl::Bind<&MinimalCharStage::Set<1>>},
        {u"void CHR_SET2(string)", hgl::Bind<&MinimalCharStage::Set<2>>},
        {u"void CHR_SET3(string)", hgl::Bind<&MinimalCharStage::Set<3>>},
        {u"void CHR_SET4(string)", hgl::Bind<&MinimalCharStage::Set<4>>},
        {u"void CHR_SET5(string)", hgl::Bind<&MinimalCharStage::Set<5>>},
        {u"void CHR_ERSA()", hgl::Bind<&MinimalCharStage::EraseAll>},
    };
    hgl::MapFunctions(*unit.GetEngine(), this, kFunctions);
}

void MinimalCharStage::EraseAll()
{
    for (hgl::String &place : places)
        place.Clear();
}

bool MinimalCharStage::SaveState(hgl::TDFNode *root)
{
    hgl::MemStream *s = root->AddChild(kCharNode)->GetStream();
    for (const hgl::String &place : places)
        s->WriteString(place);
    return true;
}

bool MinimalCharStage::LoadState(hgl::TDFNode *root)
{
    EraseAll();
    hgl::TDFNode *node = root->FindChild(kCharNode);
    if (!node) return true;
    hgl::MemStream *s = Data(node);
    for (hgl::String &place : places)
        if (s->ReadString(place) < 0) return false;
    return true;
}

// ---------------------------------------------------------------- effects

MinimalEffectStage::MinimalEffectStage(GameUnit &unit)
{
    static constexpr hgl::ScriptFunction<MinimalEffectStage> kFunctions[] = {
        {u"void StartSnow()", hgl::Bind<&MinimalEffectStage::StartSnow>},
        {u"void EndSnow()", hgl::Bind<&MinimalEffectStage::EndSnow>},
        {u"void StartButterFly(int)", hgl::Bind<&MinimalEffectStage::StartButterFly>},
        {u"void EndBubble()", hgl::Bind<&MinimalEffectStage::Nothing>},
        {u"void VIB_DOKA()", hgl::Bind<&MinimalEffectStage::Nothing>},
    };
    hgl::MapFunctions(*unit.GetEngine(), this, kFunctions);
}

// ---------------------------------------------------------------- caption

MinimalCaption::MinimalCaption(float l, float t, const hgl::String &t1, const hgl::String &t2,
                               const hgl::String &, hgl::TileFont *f)
    : left(l), top(t), text1(t1), text2(t2), font(f ? f : LabelFont), started(hgl::GetTime())
{
}

void MinimalCaption::Update()
{
    if (hgl::GetTime() - started >= hgl::uint64(kShowMs)) Destroy();
}

void MinimalCaption::Draw()
{
    if (!font) return;
    const float w = float(hgl::GetCanvasWidth()) - left;
    DrawText(font, left, top, w, text1, kText);
    DrawText(font, left, top + font->CharHeight, w, text2, kText);
}

// ---------------------------------------------------------------- the factory

StageFactory MinimalStageFactory()
{
    StageFactory factory;
    factory.message = [](GameUnit &unit) -> MessageStage * { return new MinimalMessageStage(unit); };
    factory.choice = [](GameUnit &unit) -> ChoiceStage * { return new MinimalChoiceStage(unit); };
    factory.back = [](GameUnit &unit) -> BackStage * { return new MinimalBackStage(unit); };
    factory.chars = [](GameUnit &unit) -> CharStage * { return new MinimalCharStage(unit); };
    factory.effects = [](GameUnit &unit) -> EffectStage * { return new MinimalEffectStage(unit); };
    factory.caption = [](float left, float top, const hgl::String &text1, const hgl::String &text2,
                         const hgl::String &picture, hgl::TileFont *font) -> hgl::VisualObject *
    { return new MinimalCaption(left, top, text1, text2, picture, font); };
    return factory;
}
} // namespace avg
