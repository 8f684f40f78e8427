#pragma once
// The background of the in-game screen: four named layers, of which the lowest in
// use is shown as the current picture and the highest as the next one laid over
// it; timed transitions (a fade over the fill colour, a cross-fade or one of twelve
// black wipes), timed pans and zooms, a shake and an inverted-colour period, and a
// plain fill where no picture covers. Timed changes pause the story with
// gsBackChange; the story goes on at the update after they end, never from a draw.
#include "core/String.h"
#include "game/core/StageManagers.h"
#include "game/stage/StageDraw.h"
#include "game/stage/back/BackPic.h"

#include <memory>

namespace hgl
{
class DevilEngine;
}

namespace avg
{
class GameStateControl;
}

class BackManage : public avg::BackStage
{
  public:
    static constexpr int kLayers = 4;

    BackManage(avg::GameStateControl *state, hgl::DevilEngine *engine);
    ~BackManage() override;

    virtual void Clear();
    void SetAlpha(float value) override;
    void StartShake(int ms) override;
    void StartInvert(int ms) override;
    void SetCurrent(const hgl::String &name, int layer);
    void SetNext(const hgl::String &name, int layer);
    void ShowLayers();
    void EraseLayer(int k);
    void ShowPart(const hgl::String &name, float left, float top, float width, float height, int kind,
                  int ms);
    void ToPart(int ms, float left, float top, float width, float height);
    void FadeToPart(int ms, float left, float top, float width, float height) override;
    void SetDark(bool value) override { dark_scene = value; }
    bool IsDark() const { return dark_scene; }

    void Update() override;
    void Draw() override;
    bool SaveState(hgl::TDFNode *root) override;
    bool LoadState(hgl::TDFNode *root) override;

    // The script functions' handlers.
    void SetFillColor(int r, int g, int b);
    void SetFillBlack();
    void SetFillWhite();
    void ShowFlag(int tenths, int kind, const hgl::String &name);
    void ShowLayer(int k, const hgl::String &name);
    void EraseAll();
    void SwapLayers(int a, int b);
    void ToFull(int ms);
    void ZoomBackground(float x, float y, float width, float height);
    void MoveBackground(float x, float y, float width, float height);

    BackPic *GetCurrent() const { return current.get(); }
    BackPic *GetNext() const { return next.get(); }
    int GetIndex() const { return index; }
    const hgl::String &GetLayer(int k) const { return layer[k]; }
    const avg::stage_draw::Colour &GetFill() const { return fill; }
    // A timed change ended at a draw and waits for the next update to go on.
    bool IsFinishing() const { return finish != Finish::None; }

  private:
    enum class Finish
    {
        None,
        Keep,    // the current picture finished: only the story goes on
        Promote, // the next picture finished and takes current's place
    };

    avg::GameStateControl *state;
    hgl::DevilEngine *engine;
    avg::stage_draw::Colour fill;
    hgl::uint32 shake_ms = 0;
    hgl::uint64 shake_end = 0;
    hgl::int32 invert_ms = 0;
    hgl::uint64 invert_end = 0;
    float layer_pos[kLayers][2] = {};
    std::unique_ptr<BackPic> current, next;
    int index = 0;
    hgl::String layer[kLayers];
    bool dark_scene = false;
    Finish finish = Finish::None;

    void RegisterScript();
    void BeginTimed();
    void Finished(BackPic *pic);
    int ShakeFrame();
    void DrawPictures(int blend);
    void SetLayers(int a, const hgl::String &name_a, int b, const hgl::String &name_b, int at_most);
    bool LoadPicture(hgl::TDFNode *node, const hgl::u16char *key, std::unique_ptr<BackPic> &pic);

    // Script functions with fixed arguments.
    template <int K> void ShowLayerK(const hgl::u16char *name) { ShowLayer(K, name); }
    template <int K> void EraseLayerK() { EraseLayer(K); }
    void BG_COLOR(int r, int g, int b) { SetFillColor(r, g, b); }
    void BG_SET(const hgl::u16char *name) { SetCurrent(name, 0); }
    void BG_FLG(int tenths, int kind, const hgl::u16char *name) { ShowFlag(tenths, kind, name); }
    void BG_SETW01(const hgl::u16char *name0, float left0, float top0, const hgl::u16char *name1, float left1,
                   float top1);
    void BG_SETW02(const hgl::u16char *a, const hgl::u16char *b) { SetLayers(0, a, 2, b, 2); }
    void BG_SETW13(const hgl::u16char *a, const hgl::u16char *b) { SetLayers(1, a, 3, b, 3); }
    void BG_SETW23(const hgl::u16char *a, const hgl::u16char *b) { SetLayers(2, a, 3, b, 3); }
    void BG_ERSW13();
    void BG_Part(const hgl::u16char *name, float left, float top, float width, float height, int kind, int ms)
    {
        ShowPart(name, left, top, width, height, kind, ms);
    }
    void FADE() {}
};
