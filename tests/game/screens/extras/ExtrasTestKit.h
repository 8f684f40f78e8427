#pragma once
// The extras screens on the screen harness: a marker screen stands for the caller
// beneath, and each frame starts on a cleared canvas as the application's does.
// Pictures are the tests' own unless a test asks for the demo's.
#include "game/screenkit/ScreenHarness.h"
#include "graphics/draw/Painter.h"

#include <string>
#include <vector>

namespace extraskit
{
struct Layer
{
    std::u16string name;
    int w, h;
    hgl::test::RGBA colour;
    int left = 0, top = 0;
};

// An HGP file of named solid layers, each of its own size and place.
inline std::vector<uint8_t> PlacedLayers(int w, int h, const std::vector<Layer> &layers)
{
    hgl::HgpFile hgp;
    hgp.width = w;
    hgp.height = h;
    for (const Layer &l : layers)
    {
        hgl::ImageBlock image;
        image.width = l.w;
        image.height = l.h;
        image.color_type = hgl::ctRGBA;
        for (int i = 0; i < l.w * l.h; ++i)
            image.pixels.insert(image.pixels.end(), {l.colour.r, l.colour.g, l.colour.b, l.colour.a});
        hgp.layers.push_back(
            {hgl::String(l.name), l.left, l.top, hgl::Color4f(1, 1, 1, 1), std::move(image)});
    }
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace extraskit

class ExtrasTest : public ScreenTest
{
  protected:
    ExtrasTest() { demo_pictures = false; }

    void AddLayered(const std::u16string &path, int w, int h, const std::vector<extraskit::Layer> &layers)
    {
        AddData(path, extraskit::PlacedLayers(w, h, layers));
    }

    // The caller's screen at the bottom and the screen called over it (an overlay
    // when asked), in place before the next frame.
    void Run(hgl::FlowObject *screen, bool overlay = false)
    {
        flow = std::make_unique<hgl::FlowControl>(new MarkerScreen("caller"));
        if (overlay)
            flow->PushTo(screen);
        else
            flow->CallTo(screen);
        flow->ProcState();
    }

    // One frame as the application runs it: the canvas cleared black first.
    void Frame(int ms = stagekit::kFrameMs)
    {
        hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
        Step(ms);
    }
    void Frames(int count, int ms = stagekit::kFrameMs)
    {
        for (int i = 0; i < count; ++i)
            Frame(ms);
    }

    bool CallerBack() const { return MarkerName(Active()) == "caller"; }
};
