#pragma once
// The message window of the in-game screen: every line of the story passes through
// it. Three ways of showing a line, chosen by the script function that shows it:
//
//   MES                        novel: a page over the whole screen that successive
//                              lines are appended to, at most 12 rows
//   MESC                       centred: one block of large text in the middle, no box
//   ShowMessage, ShowMessageL  dialog box: speech at the bottom with the speaker's
//                              name in a frame and a face; ShowMessageL shouts
//
// A shown line pauses the script engine and puts the screen into gsMessage (or
// gsMessageFixed with "%LC"); the text is revealed character by character inside the frame's draw,
// and the screen advances on a click, after the auto-play wait or at once while
// skipping.
//
// While a script is compiled the window collects: the compile hook runs every
// message call once, and the call only records the digest of its text in the
// script's index (nothing is shown, paused or listed). The digests of the lines the
// player has read are kept per script in "Save\<script>.history"; the lines shown
// since the script began form the backlog list; the window's own nodes of a save
// come after every other manager's.
#include "core/Color.h"
#include "core/Limit.h"
#include "core/ObjectList.h"
#include "core/OnlyList.h"
#include "core/RectScope.h"
#include "core/String.h"
#include "game/core/StageManagers.h"
#include "game/stage/MsgIndex.h"
#include "graphics/font/Makeup.h"

#include <memory>

namespace hgl
{
class DevilEngine;
class Texture2D;
class TileFont;
namespace WeatherEffect
{
class Flower;
}
} // namespace hgl

class SamPic;

namespace avg
{
class CharManage;
class GameStateControl;

class GameDialogBox : public MessageStage
{
  public:
    // The kind of box shown, which restarts the box's fade-in when it changes.
    enum BoxMode
    {
        bmNovel = 1,
        bmDialog = 2,
        bmNone = 3,
    };
    // Which text routine the frame's draw runs, chosen by the parser.
    enum DrawRoutine
    {
        drNone,
        drDialog, // the box, then the text in the dialog font
        drNovel,  // the page, then the text in the novel font
        drLarge,  // large text: centred lines, or shouted ones in the box
    };

    static constexpr int kPageRows = 12;
    static constexpr int kWaitPerChar = 150; // ms of auto-play wait per character without a voice
    static constexpr float kFadeIn = 0.02f, kFadeOut = 0.1f;
    static constexpr float kNameCapU = 0.150390625f; // where the name frame's left cap ends in its texture

    // The state control, engine and character manager are the in-game screen's and
    // are not owned; the character manager may be null. The last argument is not used.
    GameDialogBox(GameStateControl *state, hgl::DevilEngine *engine, CharManage *chars, void *unused);
    ~GameDialogBox() override;

    // ---- what the in-game screen asks
    void BeginCollect() override { collect_mode = true; }
    // Writes the ".history" file of the script left behind, then collects.
    void CloseHistory() override;
    // Ends collecting and reads "Save\<script>.history" (the caller lower-cases the name).
    void LoadHistory(const hgl::String &script) override;
    bool IsTextComplete() const override { return shown_count.AtMax; }
    bool IsRead() const override;
    void MarkRead() override;
    int WaitMs() const override { return wait_ms; }
    // Without force: false (and the text cleared, the next petal burst started) once
    // the text is complete, true while it is still being revealed. With force: the
    // text is cleared and the result is true.
    bool Advance(bool force) override;
    void Show() override;
    void Hide() override;
    void BeginSkip() override;
    void EndSkip() override { skip_mode = false; }
    // Characters a second; 0 takes the configured "Text Speed".
    void SetTextSpeed(int n) override;
    void StartShake(int ms) override;
    void WindowOff() override;
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;
    int GetMessageCount() const override { return messages.GetCount(); }
    const KQ7Message *GetMessage(int i) const override;

    // CLEAR: the speaker and the novel page go, the page's rows start again.
    virtual void Clear();
    // Only stored: the window keeps no focus of its own in the screen's control.
    void SetFocus(bool value) override { focus = value; }
    void Draw() override;
    // The window, then the petal burst it runs.
    void DrawObject() override;

    // ---- the script functions
    void MESFunc(const hgl::u16char *text);
    void MESCFunc(const hgl::u16char *text);
    void ShowMessageFunc(const hgl::u16char *face, const hgl::u16char *voice, const hgl::u16char *text);
    void ShowMessageLFunc(const hgl::u16char *face, const hgl::u16char *voice, const hgl::u16char *text);
    void CGCUTFunc(const hgl::u16char *name);
    void CGCUTOFFFunc();
    void CLEARFunc() { Clear(); }
    void FONTFunc(int n) { dark_text = n == 1; }

    // Splits the speaker off the message, removes the markup, joins the body to the
    // page or replaces the text, lays it out and sets the reveal up; true when the
    // message carried "%LC".
    bool ParseMessage(const hgl::String &message);
    // Rows the text needs beside a face picture, in the dialog font.
    int CountFaceLines(const hgl::String &text) const;

    // ---- state, for the screens and the tests
    int GetMode() const { return mode; }
    bool IsNovel() const { return novel; }
    bool IsCentred() const { return centred; }
    bool IsShout() const { return shout; }
    bool IsShown() const { return shown; }
    bool IsSkipping() const { return skip_mode; }
    bool IsCollecting() const { return collect_mode; }
    bool IsDarkText() const { return dark_text; }
    bool IsTextDone() const { return text_done; }
    bool IsModeChanged() const { return mode_changed; }
    float GetBoxAlpha() const { return box_alpha; }
    float GetTextSpeed() const { return text_speed; }
    int GetFacePos() const { return face_pos; }
    int GetFaceRows() const { return face_rows; }
    int GetNovelRows() const { return novel_rows; }
    int GetShakeMs() const { return shake_ms; }
    DrawRoutine GetDrawRoutine() const { return draw_routine; }
    const hgl::String &GetText() const { return text; }
    const hgl::String &GetPageText() const { return page_text; }
    const hgl::String &GetSpeaker() const { return speaker; }
    const hgl::String &GetSpeakerKey() const { return speaker_key; }
    const hgl::String &GetRawText() const { return raw_text; }
    const hgl::String &GetHistoryPath() const { return history_path; }
    const hgl::RectScope2<float> &GetTextRect() const { return text_rect; }
    const hgl::Makeup &GetMakeup() const { return makeup; }
    float GetShownCount() const { return shown_count.value; }
    const MsgIndex &GetCurrentDigest() const { return current_digest; }
    int GetScriptIndexCount() const { return script_index.Count; }
    int GetReadIndexCount() const { return read_index.Count; }
    const hgl::OnlyList<MsgIndex> &GetScriptIndex() const { return script_index; }
    const hgl::OnlyList<MsgIndex> &GetReadIndex() const { return read_index; }
    hgl::WeatherEffect::Flower *GetPendingPetals() const { return pending_petals.get(); }
    hgl::WeatherEffect::Flower *GetRunningPetals() const { return running_petals.get(); }
    hgl::Texture2D *GetCutIn() const { return cut_in.get(); }
    // The window's own size, the canvas's: the layouts' BW and BH.
    float GetBoxWidth() const { return box_width; }
    float GetBoxHeight() const { return box_height; }

    // The MD5 digest of a text as UTF-16LE code units, no terminator.
    static MsgIndex Digest(const hgl::String &text);
    // Reads the digests of a ".history" file's bytes into the index: the leading
    // count is skipped, whole digests only. The number read.
    static int ReadHistory(const void *bytes, hgl::int64 size, hgl::OnlyList<MsgIndex> &index);

  private:
    GameStateControl *state;
    hgl::DevilEngine *engine;
    CharManage *chars;

    hgl::String history_path;
    hgl::OnlyList<MsgIndex> read_index, script_index;
    MsgIndex current_digest{};

    std::unique_ptr<hgl::Texture2D> icon_frame, name_frame, cut_in;
    std::unique_ptr<hgl::WeatherEffect::Flower> pending_petals, running_petals;
    std::unique_ptr<SamPic> arrow;
    hgl::ObjectList<KQ7Message> messages;

    const hgl::Color4f box_colour{0.25f, 0.25f, 0.25f, 1.0f};
    float box_width, box_height;
    bool shown = true;
    bool skip_mode = false;
    float text_speed;
    int shake_ms = 0;
    hgl::uint64 shake_deadline = 0;
    int face_pos = -1;
    bool focus = false;
    int wait_ms = 0;
    bool collect_mode = true;
    int mode = bmNone;
    bool mode_changed = false;
    float box_alpha = 0;
    bool join = false; // the next message continues the novel page
    bool novel = false, centred = false, shout = false;
    bool dark_text = true;
    bool petal_allowed = false;
    bool no_char_in_transition = true;
    bool text_done = true;
    bool alpha_logged = false;
    DrawRoutine draw_routine = drNone;

    hgl::Makeup makeup, name_makeup;
    hgl::String raw_text, speaker, speaker_key, text, page_text, last_name;
    int novel_chars = 0, novel_rows = 0;
    hgl::RectScope2<float> text_rect;
    hgl::Limit<float> shown_count;
    int face_rows = 0;
    // Where the speaker's name is drawn, laid out by the box.
    int name_x = 0, name_y = 0;

    bool CompileHook(const hgl::u16char *name);
    void RegisterScript();
    // Records the digest of a line met while collecting.
    void Collect(const hgl::u16char *text);
    void ShowSpeech(const hgl::String &voice, const hgl::String &text, bool play_voice = true);
    void ShowText(const hgl::String &text);
    void AddMessage(const hgl::String &voice, const hgl::String &text);
    void SaveHistory();
    // The line on screen is forgotten (a save being loaded brings its own).
    void ForgetLine();

    // The configured "Alpha", kept between 0 (excluded) and 1.
    float WindowAlpha();
    void DrawBox();
    void DrawDialogBox(hgl::TileFont *font);
    void DrawText(hgl::TileFont *font);
    void DrawGlyph(hgl::TileFont *font, float x, float y, const hgl::RectScope2<float> &rect, float alpha,
                   hgl::u16char ch);
    void DrawEndMarker(hgl::TileFont *font, int origin_x, int origin_y);
    float DrawNameFrame(float y0, float x);
    bool AnyCharInTransition() const;
};
} // namespace avg
