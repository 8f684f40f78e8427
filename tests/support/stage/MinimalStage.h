#pragma once
// The minimal stage, the tests' stand-in for the game's: managers that do just
// enough for a story to be played, saved and loaded, and that a test can read
// back plainly. The message window shows the
// current line as plain text, the choice menu lists its options as rows of text,
// the background manager shows one picture over the canvas; characters and effects
// only keep what the script set.
#include "core/String.h"
#include "game/core/StageManagers.h"

#include <array>
#include <memory>
#include <set>
#include <vector>

namespace hgl
{
class DevilEngine;
class HGP;
class TileFont;
} // namespace hgl

namespace avg
{
using MessageDigest = std::array<hgl::uint8, 16>;

class MinimalMessageStage : public MessageStage
{
  public:
    enum Mode
    {
        Novel,
        Centre,
        Dialog,
    };

    explicit MinimalMessageStage(GameUnit &unit);
    ~MinimalMessageStage() override;

    void BeginCollect() override { collect = true; }
    void CloseHistory() override;
    void LoadHistory(const hgl::String &script) override;
    bool IsTextComplete() const override { return true; }
    bool IsRead() const override;
    void MarkRead() override;
    int WaitMs() const override { return 0; }
    bool Advance(bool) override { return false; }
    void Show() override { shown = true; }
    void Hide() override { shown = false; }
    void BeginSkip() override {}
    void EndSkip() override {}
    void SetTextSpeed(int) override {}
    void StartShake(int) override {}
    void WindowOff() override;
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;
    void Draw() override;

    const hgl::String &GetText() const { return text; }
    bool IsShown() const { return shown; }
    int GetScriptMessageCount() const { return int(script_index.size()); }

  private:
    GameUnit &unit;
    bool collect = true;
    bool shown = false;
    bool shout = false;
    bool dark = false;
    Mode mode = Dialog;
    hgl::String voice;
    hgl::String text;
    MessageDigest digest{};
    std::vector<MessageDigest> script_index;
    std::set<MessageDigest> read_index;
    hgl::String history_file;

    bool IsMessageFunction(const hgl::u16char *name);
    void ShowText(Mode m, const hgl::String &voice_name, const hgl::u16char *message, bool play_voice);
    void MES(const hgl::u16char *message);
    void MESC(const hgl::u16char *message);
    void ShowMessage(const hgl::u16char *face, const hgl::u16char *voice_name, const hgl::u16char *message);
    void ShowMessageL(const hgl::u16char *face, const hgl::u16char *voice_name, const hgl::u16char *message);
    void CGCUT(const hgl::u16char *) {}
    void CGCUTOFF() {}
    void CLEAR();
    void FONT(int n) { dark = n == 1; }
};

class MinimalChoiceStage : public ChoiceStage
{
  public:
    explicit MinimalChoiceStage(GameUnit &unit);

    int GetCount() const override { return open ? int(options.size()) : 0; }
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;
    void Draw() override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;

    const std::vector<hgl::String> &GetOptions() const { return options; }
    // Picks option index of the open choice; false when none is open or the index
    // is not a shown option.
    bool Pick(int index);
    // The canvas row the option is drawn in (top and height).
    static void OptionRow(int index, float &top, float &height);

  private:
    GameUnit &unit;
    hgl::String variable;
    int expected = 0;
    std::vector<hgl::String> options;
    bool open = false;
    int focus = 0;

    void Clear();
    void Open();
    bool Met(const hgl::u16char *flag);
    void SELECT(const hgl::u16char *name, int count);
    void SELDT(const hgl::u16char *option);
    void SELDT_Switch(const hgl::u16char *option, const hgl::u16char *f1, const hgl::u16char *f2,
                      const hgl::u16char *f3);
    void SWITCH(const hgl::u16char *name, int);
    void CaseGoto(int value, const hgl::u16char *label);
};

class MinimalBackStage : public BackStage
{
  public:
    explicit MinimalBackStage(GameUnit &unit);
    ~MinimalBackStage() override;

    void StartShake(int) override {}
    void StartInvert(int) override {}
    void FadeToPart(int, float, float, float, float) override {}
    void SetDark(bool value) override { dark = value; }
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;
    void Draw() override;

    const hgl::String &GetPicture() const { return name; }
    // "BG\", "Event\" or "BGI\" by the name's first letter, with ".HGP".
    static hgl::String PicturePath(const hgl::String &name);
    bool IsDark() const { return dark; }

  private:
    hgl::String name;
    std::unique_ptr<hgl::HGP> picture;
    bool dark = false;

    void BG_SET(const hgl::u16char *picture_name);
    template <typename... A> void Ignore(A...) {}
};

class MinimalCharStage : public CharStage
{
  public:
    static constexpr int kPlaces = 6;

    explicit MinimalCharStage(GameUnit &unit);

    void ZoomInAll() override {}
    void ZoomOutAll() override {}
    void SetSkip(bool) override {}
    bool IsMoving() const override { return false; }
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;

    const hgl::String &GetCharacter(int place) const { return places[place]; }

  private:
    std::array<hgl::String, kPlaces> places;

    template <int Place> void Set(const hgl::u16char *picture) { places[Place] = picture; }
    void EraseAll();
};

class MinimalEffectStage : public EffectStage
{
  public:
    explicit MinimalEffectStage(GameUnit &unit);

    void StartWeather(WeatherEffect effect) override { running.insert(effect); }
    void ClearEffects() override { running.clear(); }
    bool SaveState(hgl::TDFNode *) override { return true; }
    bool LoadState(hgl::TDFNode *) override { return true; }

    bool IsRunning(WeatherEffect effect) const { return running.count(effect) != 0; }

  private:
    std::set<WeatherEffect> running;

    void StartSnow() { running.insert(weSnow); }
    void EndSnow() { running.erase(weSnow); }
    void Nothing() {}
    void StartButterFly(int) {}
};

// A caption shown for a few seconds over the stage, then gone.
class MinimalCaption : public hgl::VisualObject, public CaptionPlace
{
  public:
    static constexpr int kShowMs = 3000;

    MinimalCaption(float left, float top, const hgl::String &text1, const hgl::String &text2,
                   const hgl::String &picture, hgl::TileFont *font);

    const hgl::String &GetText() const { return text1; }
    bool IsAt(float x, float y) const override { return x == left && y == top; }
    void Update() override;
    void Draw() override;

  private:
    float left, top;
    hgl::String text1, text2;
    hgl::TileFont *font;
    hgl::uint64 started;
};

// Makes the minimal managers and captions, for a test's wiring (overlays: the plain ones).
StageFactory MinimalStageFactory();
} // namespace avg
