#pragma once
// The title's pieces on the stage harness: content written by the test, the
// test clock, and a flow control whose first screen stands in for the title.
#include "game/stagekit/FakeMovie.h"
#include "game/stagekit/StageHarness.h"

#include "framework/FlowControl.h"

#include <memory>

// Stands in for the title: counts the screens that came back to it.
class TitleStub : public hgl::FlowObject
{
  public:
    int returns = 0;
    void ProcReturn(hgl::FlowObject *) override { ++returns; }
};

class TitleTest : public StageTest
{
  protected:
    std::vector<hgl::demo::DemoFile> own_files;
    std::unique_ptr<hgl::FlowControl> flow;
    TitleStub *title = nullptr;

    // A TEX file of one colour.
    void AddTexture(const std::u16string &path, int w, int h, hgl::test::RGBA colour)
    {
        hgl::TexFile tex;
        tex.image.width = w;
        tex.image.height = h;
        tex.image.color_type = hgl::ctRGBA;
        for (int i = 0; i < w * h; ++i)
            tex.image.pixels.insert(tex.image.pixels.end(), {colour.r, colour.g, colour.b, colour.a});
        hgl::MemStream s;
        ASSERT_TRUE(tex.Write(&s, hgl::String()));
        own_files.push_back({path, std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize())});
    }
    void AddFile(const std::u16string &path, std::vector<uint8_t> bytes)
    {
        own_files.push_back({path, std::move(bytes)});
    }

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        StageTest::AddContent(demo);
        for (auto &f : own_files)
            demo.AddData(f.path, f.data);
    }

    // Writes the content and starts the clock; then the flow control with the
    // stand-in title, when asked.
    void Begin(bool with_flow = true)
    {
        GameUnitTest::SetUp();
        Advance(kBeginMs);
        if (!with_flow) return;
        title = new TitleStub;
        flow = std::make_unique<hgl::FlowControl>(title);
    }

    void TearDown() override
    {
        flow.reset();
        StageTest::TearDown();
    }

    // One frame of the flow control after the clock moved on.
    void Frame(int ms = stagekit::kFrameMs)
    {
        Advance(ms);
        flow->RunFrame();
    }
    hgl::FlowObject *Active() const { return flow->GetActiveObject(); }

  private:
    static constexpr int kBeginMs = 10000;
};
