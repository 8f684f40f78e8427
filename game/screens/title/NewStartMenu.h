#pragma once
// The title screen: a two-layer background with the floating balls between its
// layers, a three-layer logo, a subtitle, and one of two button sets: the main
// set (new game, load, the extras when the system flag "HEXTRA" unlocks them,
// exit) or the extras set (movies, glossary, music room, album). Every change of
// screen goes through black: the screen fades out, rests 20 frames on black and
// hands over; a screen it called comes back to a fade-in with the set it showed.
// A set switch fades one set out and the other in, button after button.
//
// The program's first title calls the health notice from its constructor (the
// notice is followed by the logo movie); when they return it reveals the logo
// layer by layer, then the subtitle, then cascades the main buttons in. Input is
// dead until then, and during every fade and switch.
//
// The animation advances a fixed step per drawn frame: 0.02 of alpha for fades.
#include "core/ObjectList.h"
#include "framework/FlowObject.h"

#include <memory>

namespace hgl
{
class HGP;
namespace gui
{
class Button;
class TZHGPButton;
} // namespace gui
} // namespace hgl

namespace avg
{
struct GameWiring;
}

class VamUnitManage;

class NewStartMenu : public hgl::FlowObject
{
  public:
    static constexpr int kSetSize = 4;
    // Actions, as the next screen they start.
    enum Action
    {
        acNone = -1,
        acNewGame = 1,
        acLoad = 3,
        acGlossary = 6,
        acMusic = 8,
        acAlbum = 9,
        acMovies = 10,
    };
    static constexpr float kFadeStep = 0.02f;
    static constexpr float kBlackBelow = 0.2f; // at this alpha or less the screen is black
    static constexpr int kWaitFrames = 20;
    static constexpr float kCascadeAt = 0.4f;
    static constexpr float kLogoNextAt = 0.8f;
    static constexpr int kEscSound = 11;

  private:
    float alpha = 0;
    int action = acNone;
    bool busy = true;
    bool fading_in = true;
    int wait_frames = 0;
    hgl::HGP *main_pictures[kSetSize];
    hgl::gui::TZHGPButton *main_buttons[kSetSize] = {};
    hgl::HGP *background, *logo, *subtitle;
    bool extras_shown = false;
    bool first_start;
    const avg::GameWiring &wiring;
    bool switch_to_extras = false;
    bool switching = false;
    float subtitle_alpha = 0;
    hgl::HGP *extras_pictures[kSetSize];
    hgl::gui::TZHGPButton *extras_buttons[kSetSize] = {};
    std::unique_ptr<VamUnitManage> balls;
    hgl::ObjectList<hgl::gui::Button> button_list; // owns the buttons of the current set

    hgl::gui::TZHGPButton *NewButton(hgl::HGP *picture, float x, float y, float &width);
    void BuildMainSet();
    void BuildExtrasSet();
    void ForgetMainButtons();
    void ForgetExtrasButtons();
    // The click closures of a set, set or cleared.
    void SetMainClicks();
    void SetExtrasClicks();
    void ClearClicks();
    // Neither a fade, an action, a switch nor the first start is under way.
    bool Idle() const { return !busy && !switching && !first_start; }

    void DrawBackground(float W, float H);
    bool DrawLogo(float W, float H);
    void DrawSubtitle(float W, float H);
    void SwitchToExtras();
    void SwitchToMain();
    void FadeIn(float W, float H);
    void FadeOut(float W, float H);
    void SetCurrentSetAlpha(float value);
    void StartNext();

    void OnNewGame(hgl::gui::Button *);
    void OnLoad(hgl::gui::Button *);
    void OnExtras(hgl::gui::Button *);
    void OnExit(hgl::gui::Button *);
    void OnMovies(hgl::gui::Button *);
    void OnGlossary(hgl::gui::Button *);
    void OnMusic(hgl::gui::Button *);
    void OnAlbum(hgl::gui::Button *);
    void Choose(int chosen);
    void OpenExit();
    bool OnKey(int key);
    bool OnRightDown(int x, int y, int flags);

  public:
    // The name of the system flag that unlocks the extras.
    static const hgl::u16char *const kExtrasFlag;

    // The wiring gives the screens the title opens; it outlives the title.
    NewStartMenu(bool first_start, const avg::GameWiring &wiring);
    ~NewStartMenu() override;

    void Draw() override;
    void ProcReturn(hgl::FlowObject *finished) override;

    float GetAlpha() const { return alpha; }
    int GetAction() const { return action; }
    bool IsBusy() const { return busy; }
    bool IsFadingIn() const { return fading_in; }
    bool IsSwitching() const { return switching; }
    bool IsFirstStart() const { return first_start; }
    bool IsExtrasShown() const { return extras_shown; }
    float GetSubtitleAlpha() const { return subtitle_alpha; }
    hgl::gui::TZHGPButton *GetMainButton(int i) const
    {
        return i >= 0 && i < kSetSize ? main_buttons[i] : nullptr;
    }
    hgl::gui::TZHGPButton *GetExtrasButton(int i) const
    {
        return i >= 0 && i < kSetSize ? extras_buttons[i] : nullptr;
    }
    int GetButtonCount() const { return button_list.GetCount(); }
    hgl::HGP *GetLogo() const { return logo; }
    VamUnitManage *GetBalls() const { return balls.get(); }
};
