#pragma once
// The title's pieces on the screen harness, over a screen that stands in for the
// title, with a fake movie maker.
#include "game/screenkit/ScreenHarness.h"
#include "graphics/draw/Painter.h"
#include "game/stagekit/FakeMovie.h"

// Stands in for the title: counts the screens that came back to it, and paints
// the canvas in one colour, so that what is drawn over it can be measured.
class TitleStub : public hgl::FlowObject
{
  public:
    int returns = 0;
    bool paint = false;
    hgl::test::RGBA ground{0, 0, 0, 255};

    void ProcReturn(hgl::FlowObject *) override { ++returns; }
    void Draw() override
    {
        if (!paint) return;
        hgl::draw::Clear(hgl::Color4f(ground.r / 255.0f, ground.g / 255.0f, ground.b / 255.0f, 1));
    }
};

class TitleTest : public ScreenTest
{
  private:
    bool prepared = false;

  protected:
    stagekit::FakeMovies movies{wiring};
    TitleStub *title = nullptr;

    TitleTest() { demo_pictures = false; } // each test brings the few it shows

    void AddSolidPicture(const std::u16string &path, int w, int h, hgl::test::RGBA colour)
    {
        AddData(path, stagekit::SolidPicture(w, h, colour));
    }
    void AddSolidTexture(const std::u16string &path, int w, int h, hgl::test::RGBA colour)
    {
        AddData(path, stagekit::SolidTexture(w, h, colour));
    }

    // The content (once), then a fresh flow with the stand-in title as its first screen.
    void Begin()
    {
        if (!prepared)
        {
            Prepare();
            if (HasFatalFailure()) return;
            prepared = true;
        }
        flow.reset();
        title = new TitleStub;
        Open(title);
    }
    // A screen the title calls (it hides the title until it returns).
    void Call(hgl::FlowObject *screen)
    {
        flow->CallTo(screen);
        flow->ProcState();
    }
};
