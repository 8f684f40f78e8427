// Frames per second of the frame loop on the headless backend at 1024x768,
// unpaced: an empty frame, and a frame of 1,000 textured quads.
#include "app/WinOpenGLApplication.h"
#include "graphics/gl/BlendMode.h"
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

class QuadScreen : public hgl::FlowObject
{
    int quads;
    GLuint texture = 0;

  public:
    explicit QuadScreen(int count) : quads(count)
    {
        if (!quads) return;
        std::vector<unsigned char> pixels(TextureSide * TextureSide * 4);
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = static_cast<unsigned char>(i * 7);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, TextureSide, TextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
    }
    ~QuadScreen() override { glDeleteTextures(1, &texture); }

    void Draw() override
    {
        if (!quads) return;
        hgl::BlendMode::Set(hgl::BlendMode::Normal);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor4f(1, 1, 1, 1);
        glBegin(GL_QUADS);
        for (int i = 0; i < quads; i++)
        {
            const float x = float((i * 37) % (CanvasWidth - QuadSide)),
                        y = float((i * 53) % (CanvasHeight - QuadSide));
            glTexCoord2f(0, 0), glVertex2f(x, y);
            glTexCoord2f(1, 0), glVertex2f(x + QuadSide, y);
            glTexCoord2f(1, 1), glVertex2f(x + QuadSide, y + QuadSide);
            glTexCoord2f(0, 1), glVertex2f(x, y + QuadSide);
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
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
    app.GetFlow()->ClearTo(new QuadScreen(int(state.range(0))));
    for (auto _ : state)
    {
        app.RunOnce();
        glFinish(); // count finished frames, not queued ones
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(FrameLoop)->Arg(0)->Arg(1000)->ArgName("quads")->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
