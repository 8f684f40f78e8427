// Frames per second of the frame loop on the headless backend at 1024x768,
// unpaced: an empty frame, a frame of 1,000 textured quads drawn anew every
// frame, and the same frame unchanged (not drawn, not shown); with the GL draw
// calls a frame makes and the presents.
#include "app/WinOpenGLApplication.h"
#include "graphics/draw/Painter.h"
#include "graphics/texture/ImageBlock.h"
#include "graphics/texture/Texture.h"
#include "graphics/ColorType.h"
#include "platform/window/HeadlessWindow.h"
#include "io/SystemInitInfo.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace
{
constexpr int CanvasWidth = 1024;
constexpr int CanvasHeight = 768;
constexpr int TextureSide = 64;
constexpr int QuadSide = 32;

// count quads of one texture; when moving, every other frame shifts them by a
// pixel, so that no frame is like the last and every one is drawn.
class QuadScreen : public hgl::FlowObject
{
    int quads;
    bool moving;
    int frame = 0;
    hgl::Texture2D texture;

  public:
    QuadScreen(int count, bool move) : quads(count), moving(move)
    {
        hgl::ImageBlock image;
        image.width = image.height = TextureSide;
        image.color_type = hgl::ctRGBA;
        image.pixels.resize(TextureSide * TextureSide * 4);
        for (size_t i = 0; i < image.pixels.size(); i++)
            image.pixels[i] = static_cast<unsigned char>(i * 7);
        texture.Load(image, 0, false);
    }

    void Draw() override
    {
        const float shift = moving ? float(frame++ & 1) : 0;
        for (int i = 0; i < quads; i++)
        {
            const float x = float((i * 37) % (CanvasWidth - QuadSide)) + shift,
                        y = float((i * 53) % (CanvasHeight - QuadSide));
            texture.Apply();
            hgl::draw::TexRect(x, y, QuadSide, QuadSide, 0, 0, 1, 1, texture.Color);
        }
    }
};

void FrameLoop(benchmark::State &state)
{
    setenv("HGL_WINDOW", "headless", 1);
    hgl::WinOpenGLApplication app(false);
    hgl::SystemInitInfo sii;
    sii.graphics.WindowWidth = CanvasWidth;
    sii.graphics.WindowHeight = CanvasHeight;
    sii.FrameMode = hgl::WinOpenGLApplication::FramePacingUnpaced;
    if (!app.Init(&sii))
    {
        state.SkipWithError("no headless OpenGL");
        return;
    }
    const bool moving = state.range(1) != 0;
    app.GetFlow()->ClearTo(new QuadScreen(int(state.range(0)), moving));
    app.RunOnce(); // the first frame is always drawn
    auto *window = static_cast<hgl::platform::HeadlessWindow *>(app.GetWindow());
    const int presents = window ? window->PresentCount() : 0;
    const hgl::uint64 calls = hgl::draw::GetCounters().draw_calls;
    for (auto _ : state)
    {
        app.RunOnce();
        glFinish(); // count finished frames, not queued ones
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["presents"] = double(window ? window->PresentCount() - presents : -1);
    state.counters["gl_calls_per_frame"] =
        double(hgl::draw::GetCounters().draw_calls - calls) / double(state.iterations());
}
// quads, and whether they move: an empty frame, 1,000 quads moving (every frame
// drawn) and 1,000 quads standing still (every frame after the first skipped).
BENCHMARK(FrameLoop)
    ->Args({0, 0})
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->ArgNames({"quads", "moving"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace
