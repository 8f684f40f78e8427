// The message window's life, its script functions and what the in-game screen asks
// of it between two lines.
#include "game/stage/message/GameDialogBox.h"

#include "core/Log.h"
#include "game/core/Config.h"
#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/core/GameState.h"
#include "game/stage/char/CharManage.h"
#include "game/stage/effect/WeatherEffect.h"
#include "game/stage/widgets/SamPic.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"
#include "script/ScriptFunctionTable.h"

namespace avg
{
namespace
{
// The message functions the compile hook lets run while a script is compiled: the
// names starting so ("MESC" and "ShowMessageL" too).
const hgl::u16char kNovelPrefix[] = u"MES";
const hgl::u16char kSpeechPrefix[] = u"ShowMessage";

const hgl::u16char kIconFrame[] = u"MessageBox\\IconDlg.TEX";
const hgl::u16char kNameFrame[] = u"MessageBox\\NameFrame.TEX";
const hgl::u16char kArrow[] = u"arrow.HGP";
const hgl::u16char kCutIn[] = u"Charactersmall\\%s.TEX";
// The arrow's place: 100 from the right edge, 50 down, 50 by 25.
constexpr float kArrowRight = 100, kArrowTop = 50, kArrowWidth = 50, kArrowHeight = 25;
// Face names: five letters put the portrait at the left, six at the right.
constexpr int kLeftFaceLength = 5, kRightFaceLength = 6;

bool StartsWith(const hgl::u16char *name, const hgl::u16char *prefix)
{
    for (; *prefix; ++name, ++prefix)
        if (*name != *prefix) return false;
    return true;
}

hgl::String TextOf(const hgl::u16char *text)
{
    return text ? hgl::String(text) : hgl::String();
}
} // namespace

GameDialogBox::GameDialogBox(GameStateControl *state_control, hgl::DevilEngine *script_engine,
                             CharManage *char_manage, void *)
    : state(state_control), engine(script_engine), chars(char_manage),
      box_width(float(hgl::GetCanvasWidth())), box_height(float(hgl::GetCanvasHeight())),
      text_speed(float(config::graphics_config.TextSpeed)), text_rect(0, 0, box_width, box_height)
{
    if (engine)
    {
        hgl::DevilVM::CompileHook hook;
        hook.Bind<&GameDialogBox::CompileHook>(this);
        engine->SetCompileHook(hook);
        RegisterScript();
    }
    arrow = std::make_unique<SamPic>();
    arrow->Load(kArrow, box_width - kArrowRight, kArrowTop, kArrowWidth, kArrowHeight);
    icon_frame.reset(LoadTexture2D(kIconFrame, 0));
    name_frame.reset(LoadTexture2D(kNameFrame, 0));
}

GameDialogBox::~GameDialogBox()
{
    SaveHistory();
    if (engine) engine->SetCompileHook({});
}

bool GameDialogBox::CompileHook(const hgl::u16char *name)
{
    return name && (StartsWith(name, kNovelPrefix) || StartsWith(name, kSpeechPrefix));
}

void GameDialogBox::RegisterScript()
{
    static constexpr hgl::ScriptFunction<GameDialogBox> kFunctions[] = {
        {u"void MES(string)", hgl::Bind<&GameDialogBox::MESFunc>},
        {u"void MESC(string)", hgl::Bind<&GameDialogBox::MESCFunc>},
        {u"void ShowMessage(string,string,string)", hgl::Bind<&GameDialogBox::ShowMessageFunc>},
        {u"void ShowMessageL(string,string,string)", hgl::Bind<&GameDialogBox::ShowMessageLFunc>},
        {u"void CGCUT(string)", hgl::Bind<&GameDialogBox::CGCUTFunc>},
        {u"void CGCUTOFF()", hgl::Bind<&GameDialogBox::CGCUTOFFFunc>},
        {u"void CLEAR()", hgl::Bind<&GameDialogBox::CLEARFunc>},
        {u"void FONT(int)", hgl::Bind<&GameDialogBox::FONTFunc>},
    };
    hgl::MapFunctions(*engine, this, kFunctions);
}

// ---------------------------------------------------------------- script functions

void GameDialogBox::Collect(const hgl::u16char *line)
{
    script_index.Add(Digest(TextOf(line)));
}

void GameDialogBox::MESFunc(const hgl::u16char *line)
{
    // While compiling, the window is left as it is.
    if (collect_mode) return Collect(line);
    const hgl::String message = TextOf(line);
    AddMessage(hgl::String(), message);
    centred = false;
    novel = true;
    petal_allowed = true;
    if (mode != bmNovel)
    {
        mode = bmNovel;
        mode_changed = true;
        box_alpha = 0;
    }
    // Lines of the page: a last line feed ends the last line rather than opening one.
    int lines = 0;
    if (!page_text.IsEmpty())
    {
        lines = page_text.StatChar(u'\n') + 1;
        if (page_text.GetChar(page_text.GetLength() - 1) == u'\n') --lines;
    }
    join = lines >= 1;
    if (!join)
    {
        speaker.Clear();
        speaker_key.Clear();
    }
    if (lines >= kPageRows)
    {
        speaker.Clear();
        speaker_key.Clear();
        page_text.Clear();
        join = false;
    }
    ShowText(message);
}

void GameDialogBox::MESCFunc(const hgl::u16char *line)
{
    if (collect_mode) return Collect(line);
    const hgl::String message = TextOf(line);
    speaker.Clear();
    text.Clear();
    speaker_key.Clear();
    novel = false;
    centred = true;
    join = false;
    mode_changed = false;
    ShowText(message);
    // Listed after it is shown, unlike a novel line.
    AddMessage(hgl::String(), message);
}

void GameDialogBox::ShowMessageFunc(const hgl::u16char *face, const hgl::u16char *voice,
                                    const hgl::u16char *line)
{
    if (collect_mode) return Collect(line);
    shout = false;
    // Without a character manager there is no portrait to change.
    if (chars)
    {
        if (!face)
            chars->RemovePortrait();
        else
        {
            const hgl::String name(face);
            const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
            if (name.GetLength() == kLeftFaceLength)
                chars->PutPortrait(name, 0, H * 2 / 3);
            else if (name.GetLength() == kRightFaceLength)
                chars->PutPortrait(name, W - H / 3, H * 2 / 3);
        }
    }
    ShowSpeech(TextOf(voice), TextOf(line));
}

void GameDialogBox::ShowMessageLFunc(const hgl::u16char *, const hgl::u16char *voice,
                                     const hgl::u16char *line)
{
    if (collect_mode) return Collect(line);
    shout = true;
    ShowSpeech(TextOf(voice), TextOf(line));
}

void GameDialogBox::ShowSpeech(const hgl::String &voice, const hgl::String &line, bool play_voice)
{
    speaker.Clear();
    text.Clear();
    speaker_key.Clear();
    novel = false;
    centred = false;
    if (mode != bmDialog)
    {
        mode = bmDialog;
        mode_changed = true;
        box_alpha = 0;
    }
    join = false;
    // A line shown again from a save has only the speaker's key: it is listed and
    // timed without a voice, and the key still moves the speaker's mouth.
    AddMessage(play_voice ? voice : hgl::String(), line);
    const int cut = voice.FindChar(u'_');
    speaker_key = cut >= 0 ? hgl::String(voice.c_str(), cut) : voice;
    wait_ms = play_voice ? PlayVoice(voice) * 1000 : 0;
    if (wait_ms == 0) wait_ms = kWaitPerChar * line.GetLength();
    if (chars)
    {
        CharManage::Voice record;
        record.name = speaker; // empty here, as it always was
        record.length_ms = hgl::uint64(wait_ms);
        chars->StartVoice(speaker_key, record);
        face_pos = chars->GetActiveIcon();
    }
    else
        face_pos = -1;
    ShowText(line);
}

void GameDialogBox::ShowText(const hgl::String &line)
{
    current_digest = Digest(line);
    if (collect_mode)
    {
        script_index.Add(current_digest);
        return;
    }
    text_done = false;
    if (engine) engine->Pause();
    Show();
    const bool fixed = ParseMessage(line);
    if (state) state->SetState(fixed ? gsMessageFixed : gsMessage);
}

void GameDialogBox::AddMessage(const hgl::String &voice, const hgl::String &line)
{
    messages.Add(new KQ7Message{voice, line});
}

void GameDialogBox::CGCUTFunc(const hgl::u16char *name)
{
    cut_in.reset();
    hgl::String path;
    path.Sprintf(kCutIn, name ? name : u"");
    // Loaded as the story asks, though nothing shows it.
    cut_in.reset(LoadTexture2D(path, hgl::TextureFormatRGB5A1));
}

void GameDialogBox::CGCUTOFFFunc()
{
    cut_in.reset();
}

void GameDialogBox::Clear()
{
    speaker.Clear();
    page_text.Clear();
    novel_rows = 0;
}

// ---------------------------------------------------------------- the in-game screen's operations

bool GameDialogBox::Advance(bool force)
{
    if (force)
    {
        text.Clear();
        return true;
    }
    if (!IsTextComplete()) return true;
    text.Clear();
    running_petals.reset();
    if (pending_petals)
    {
        running_petals = std::move(pending_petals);
        running_petals->Start();
    }
    return false;
}

void GameDialogBox::Show()
{
    shown = true;
    if (skip_mode) alpha = 1.0f;
}

void GameDialogBox::Hide()
{
    shown = false;
    if (skip_mode) alpha = 0;
}

void GameDialogBox::BeginSkip()
{
    skip_mode = true;
    pending_petals.reset();
    running_petals.reset();
}

void GameDialogBox::SetTextSpeed(int n)
{
    text_speed = float(n != 0 ? n : config::graphics_config.TextSpeed);
}

void GameDialogBox::StartShake(int ms)
{
    shake_ms = ms;
    shake_deadline = 0;
}

void GameDialogBox::WindowOff()
{
    speaker.Clear();
    speaker_key.Clear();
    text.Clear();
    page_text.Clear();
    join = false;
    alpha = 0;
}

const KQ7Message *GameDialogBox::GetMessage(int i) const
{
    return i >= 0 && i < messages.GetCount() ? messages[i] : nullptr;
}
} // namespace avg
