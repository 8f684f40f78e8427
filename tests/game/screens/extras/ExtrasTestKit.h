#pragma once
// The extras screens on the stage harness: content written as folders, a root
// flow control with a marker screen standing for the caller beneath, frames on the
// test clock drawn as the application draws them (canvas cleared black first).
#include "game/stagekit/StageHarness.h"

#include "framework/FlowControl.h"
#include "graphics/gl/Canvas.h"
#include "tools/hgptool/PngFile.h"

#include <GL/glew.h>

#include <cstdlib>
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

// An HGP file of named solid layers.
inline std::vector<uint8_t> LayeredPicture(int w, int h, const std::vector<Layer> &layers)
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

class ExtrasTest : public StageTest
{
  protected:
    std::unique_ptr<hgl::FlowControl> flow;

    // A file of "Local.hac" at its own path (UTF-16LE with a byte-order mark).
    void AddLocal(const std::u16string &path, const std::u16string &text)
    {
        local.push_back({path, hgl::demo::TextFile(text)});
    }
    void AddLocalBytes(const std::u16string &path, std::vector<uint8_t> bytes)
    {
        local.push_back({path, std::move(bytes)});
    }
    void AddLayered(const std::u16string &path, int w, int h, const std::vector<extraskit::Layer> &layers)
    {
        data.push_back({path, extraskit::LayeredPicture(w, h, layers)});
    }

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        StageTest::AddContent(demo);
        for (auto &f : data)
            demo.AddData(f.path, f.data);
        for (auto &f : local)
            demo.AddLocal(f.path, f.data);
    }

    // Writes the content and mounts it, with the picture caches; no screen yet.
    void Open()
    {
        GameUnitTest::SetUp();
        Advance(1000);
        ASSERT_TRUE(avg::InitGameResources());
    }

    // The caller's screen at the bottom and screen called over it (state 2 or 3).
    void Run(hgl::FlowObject *screen, bool overlay = false)
    {
        flow = std::make_unique<hgl::FlowControl>(new MarkerScreen("caller"));
        if (overlay)
            flow->PushTo(screen);
        else
            flow->CallTo(screen);
        flow->ProcState();
    }

    void TearDown() override
    {
        flow.reset();
        StageTest::TearDown();
    }

    // One frame as the application runs it.
    void Frame(int ms = stagekit::kFrameMs)
    {
        Advance(ms);
        hgl::SetOrtho2D(Width(), Height());
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        flow->RunFrame(true);
    }
    void Frames(int count, int ms = stagekit::kFrameMs)
    {
        for (int i = 0; i < count; ++i)
            Frame(ms);
    }

    // With HGL_TEST_PNG_DIR set, the canvas as drawn by the last frame goes to
    // <dir>/<test>-<name>.png, to be looked at.
    void Checkpoint(const std::string &name)
    {
        const char *folder = std::getenv("HGL_TEST_PNG_DIR");
        if (!folder || !*folder) return;
        hgl::ImageBlock image;
        image.width = Width();
        image.height = Height();
        image.color_type = hgl::ctRGBA;
        image.pixels = gl->ReadAll();
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string error;
        EXPECT_TRUE(hgl::hgptool::WritePng(std::string(folder) + "/" + info->test_suite_name() + "." +
                                               info->name() + "-" + name + ".png",
                                           image, error))
            << error;
    }

    hgl::FlowObject *Active() const { return flow->GetActiveObject(); }
    template <typename T> T *ActiveAs() const { return dynamic_cast<T *>(Active()); }
    bool CallerBack() const { return MarkerName(Active()) == "caller"; }

  private:
    std::vector<hgl::demo::DemoFile> data, local;
};
