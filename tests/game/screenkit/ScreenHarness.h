#pragma once
// The screen test harness, on the stage harness: the game's screens in a real flow
// control on a headless canvas, driven frame by frame on the test clock, with the
// demo's pictures and the shared fonts.
//
//   class MyTest : public ScreenTest {};
//   TEST_F(MyTest, X)
//   {
//       Prepare();                           // content, caches, fonts, no game
//       Open(new MarkerScreen("below"));
//       Open(new HGPSelect(u"q.HGP", u"yes.HGP", u"no.HGP", 0));
//       Step();                              // clock +16 ms, update, apply, draw, apply
//       ClickOn(u"no");                      // the centre of the widget named "no"
//       Step();
//       EXPECT_EQ(Depth(), 1);
//       EXPECT_EQ(system_sounds, (std::vector<int>{9, 12}));
//   }
//
// StartGame(script) runs the in-game screen at the bottom of the flow instead. The
// audio is the stage harness's: silent, with every request kept.
// Canvases of every shape the screens must lay out on: kCanvases, with
// ScreenCanvasTest for tests run on each. Checkpoint(name) writes the frame as a
// PNG into the build tree's "checkpoints" folder.
#include "../stagekit/StageHarness.h"
#include "graphics/draw/Painter.h"

#include "framework/FlowControl.h"
#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/screens/ScreensSetup.h"
#include "graphics/gl/RenderState.h"
#include "graphics/texture/ImageBlock.h"
#include "tools/hgptool/PngFile.h"

#include <cxxabi.h>

#include <filesystem>
#include <string>
#include <typeinfo>
#include <vector>

namespace screenkit
{
struct Canvas
{
    int w, h;
    const char *name;
};
constexpr Canvas kCanvases[] = {
    {1024, 768, "c1024x768"}, {1600, 1200, "c1600x1200"}, {800, 600, "c800x600"}, {1280, 720, "c1280x720"}};

inline std::string CanvasName(const ::testing::TestParamInfo<Canvas> &info)
{
    return info.param.name;
}

// The class name of a screen or widget, without its namespaces.
inline std::string TypeName(const void *object, const std::type_info &type)
{
    if (!object) return "null";
    int status = 0;
    char *full = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && full ? full : type.name();
    std::free(full);
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

// A TEX file whose rows (or columns) are painted by a function of v (or u) in 0..1.
template <typename Paint> std::vector<uint8_t> PaintedTexture(int w, int h, Paint paint)
{
    hgl::TexFile tex;
    tex.image.width = w;
    tex.image.height = h;
    tex.image.color_type = hgl::ctRGBA;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const hgl::test::RGBA c = paint((x + 0.5f) / w, (y + 0.5f) / h);
            tex.image.pixels.insert(tex.image.pixels.end(), {c.r, c.g, c.b, c.a});
        }
    hgl::MemStream s;
    tex.Write(&s, hgl::String());
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}

// An HGP file with one named layer of one colour each.
inline std::vector<uint8_t>
LayeredPicture(int w, int h, const std::vector<std::pair<std::u16string, hgl::test::RGBA>> &layers)
{
    hgl::HgpFile hgp;
    hgp.width = w;
    hgp.height = h;
    for (const auto &[name, colour] : layers)
    {
        hgl::ImageBlock image;
        image.width = w;
        image.height = h;
        image.color_type = hgl::ctRGBA;
        for (int i = 0; i < w * h; ++i)
            image.pixels.insert(image.pixels.end(), {colour.r, colour.g, colour.b, colour.a});
        hgp.layers.push_back({name.c_str(), 0, 0, hgl::Color4f(1, 1, 1, 1), std::move(image)});
    }
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace screenkit

class ScreenTest : public StageTest
{
  protected:
    std::unique_ptr<hgl::FlowControl> flow;
    // "<screen> <state> [<next screen>]" for every state a screen asked for, in order.
    std::vector<std::string> state_log;
    avg::GameUnit *game = nullptr; // the in-game screen StartGame made, while it runs
    bool demo_pictures = true;     // the demo's pictures in "Data.hac"

    void TearDown() override
    {
        flow.reset();
        game = nullptr;
        StageTest::TearDown();
    }

    // Files of "Data.hac" and "Local.hac" that take the place of the demo's.
    void AddData(const std::u16string &path, std::vector<uint8_t> bytes) { data.push_back({path, bytes}); }
    // A text file of "Local.hac", UTF-16LE with a byte-order mark.
    void AddLocalText(const std::u16string &path, const std::u16string &text)
    {
        local.push_back({path, hgl::demo::TextFile(text)});
    }
    void AddLocalBytes(const std::u16string &path, std::vector<uint8_t> bytes)
    {
        local.push_back({path, std::move(bytes)});
    }

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        StageTest::AddContent(demo);
        std::string error;
        if (demo_pictures && !hgl::demo::AddPictures(demo, &error)) ADD_FAILURE() << error;
        auto put = [](std::vector<hgl::demo::DemoFile> &into, const hgl::demo::DemoFile &file)
        {
            std::erase_if(into, [&](const hgl::demo::DemoFile &f) { return f.path == file.path; });
            into.push_back(file);
        };
        // The last of several files of one name is the one that counts.
        for (auto *files : {&demo.data, &demo.local})
            for (size_t i = files->size(); i-- > 0;)
                put(*files, hgl::demo::DemoFile((*files)[i]));
        for (const auto &f : data)
            put(demo.data, f);
        for (const auto &f : local)
            put(demo.local, f);
    }

    // The game's screens and links; the stage stays as the test wired it.
    void BeforeScreen() override
    {
        const avg::GameWiring game = avg::MakeGameWiring();
        wiring.screens = game.screens;
        wiring.links = game.links;
    }

    // The content, the caches, the fonts, the silent audio and the screens' makers,
    // without a game.
    void Prepare()
    {
        GameUnitTest::SetUp();
        Advance(1000);
        ASSERT_TRUE(avg::InitGameResources());
        ASSERT_TRUE(avg::LoadSharedResources());
        InstallAudio();
        BeforeScreen();
    }

    // The in-game screen on the script, at the bottom of the flow.
    void StartGame(const char16_t *script)
    {
        with_fonts = true;
        Start(script);
        if (HasFatalFailure()) return;
        game = unit.get();
        flow = std::make_unique<hgl::FlowControl>(unit.release());
    }

    // The first screen, or a screen pushed over the active one at the next frame.
    void Open(hgl::FlowObject *screen)
    {
        if (!flow)
            flow = std::make_unique<hgl::FlowControl>(screen);
        else
            flow->PushTo(screen);
    }

    // One frame: the clock moves on, then the flow updates, applies the states the
    // screens asked for, draws and applies them again.
    void Step(int ms = stagekit::kFrameMs)
    {
        Advance(ms);
        flow->UpdateObject();
        NoteStates();
        flow->ProcState();
        if (!flow->IsRunning()) return;
        flow->DrawObject();
        NoteStates();
        flow->ProcState();
    }
    void Steps(int count, int ms = stagekit::kFrameMs)
    {
        for (int i = 0; i < count; ++i)
            Step(ms);
    }

    void ClearSounds()
    {
        voices.clear();
        system_sounds.clear();
        sounds.clear();
    }

    int Depth() const { return flow ? flow->GetScreenCount() : 0; }
    hgl::FlowObject *Active() const { return flow ? flow->GetActiveObject() : nullptr; }
    template <typename T> T *ActiveAs() const { return dynamic_cast<T *>(Active()); }
    // The class names of the screens, the bottom one first.
    std::vector<std::string> Stack() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Depth(); ++i)
        {
            hgl::FlowObject *s = flow->GetScreen(i);
            out.push_back(screenkit::TypeName(s, typeid(*s)));
        }
        return out;
    }

    // Input to the active screen, acted on at the next Step.
    void MouseMove(int x, int y) { flow->Proc_MouseMove(x, y, 0); }
    void LeftClick(int x, int y)
    {
        flow->Proc_MouseMove(x, y, 0);
        flow->Proc_MouseLeftDown(x, y, 0);
        flow->Proc_MouseLeftUp(x, y, 0);
    }
    void RightClick(int x, int y) { flow->Proc_MouseRightDown(x, y, 0); }
    void MiddleClick(int x, int y) { flow->Proc_MouseMiddleDown(x, y, 0); }
    void Wheel(int x, int y, int delta) { flow->Proc_MouseWheel(x, y, delta, 0); }
    bool Key(int code) { return flow->Proc_KeyDown(code); }
    bool KeyRepeat(int code) { return flow->Proc_KeyRepeat(code); }
    bool Joystick(int button) { return flow->Proc_JoystickDown(button); }
    bool JoystickRepeat(int button) { return flow->Proc_JoystickRepeat(button); }

    // The widget of that name in the active screen (searched through its forms and
    // boxes), null when there is none.
    hgl::GUIObject *Find(const std::u16string &name) const
    {
        return Active() ? FindIn(*Active()->Control, name) : nullptr;
    }
    // The canvas point at the middle of the named widget as last drawn.
    bool CentreOf(const std::u16string &name, int &x, int &y) const
    {
        const hgl::GUIObject *w = Find(name);
        if (!w) return false;
        x = int(w->GetOriginX() + w->Left + w->Width / 2);
        y = int(w->GetOriginY() + w->Top + w->Height / 2);
        return true;
    }
    // A left click at the centre of the named widget; false when there is none.
    bool ClickOn(const std::u16string &name)
    {
        int x, y;
        if (!CentreOf(name, x, y)) return false;
        LeftClick(x, y);
        return true;
    }

    // The frame as a PNG in the build tree, named after the test.
    void Checkpoint(const std::string &name)
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string file = std::string(info->test_suite_name()) + "." + info->name() + "." + name + ".png";
        for (char &c : file)
            if (c == '/') c = '_';
        std::filesystem::create_directories(HGL_CHECKPOINT_DIR);
        hgl::ImageBlock image;
        image.width = gl->Width();
        image.height = gl->Height();
        image.color_type = hgl::ctRGBA;
        image.pixels = gl->ReadAll();
        for (size_t i = 3; i < image.pixels.size(); i += 4)
            image.pixels[i] = 255; // what the player sees has no holes
        std::string error;
        EXPECT_TRUE(hgl::hgptool::WritePng(std::string(HGL_CHECKPOINT_DIR) + "/" + file, image, error))
            << error;
    }

  private:
    std::vector<hgl::demo::DemoFile> data, local;

    static hgl::GUIObject *FindIn(const hgl::ObjectControl &control, const std::u16string &name)
    {
        const auto &all = control.GetObjectList();
        for (int i = 0; i < all.GetCount(); ++i)
        {
            hgl::Object *obj = all[i];
            auto *gui = dynamic_cast<hgl::GUIObject *>(obj);
            if (gui && gui->GetName().ToStdString() == name) return gui;
            if (auto *inner = dynamic_cast<hgl::ObjectControl *>(obj))
                if (hgl::GUIObject *found = FindIn(*inner, name)) return found;
        }
        return nullptr;
    }

    void NoteStates()
    {
        hgl::FlowObject *a = Active();
        if (!a) return;
        const int state = a->ObjectState;
        if (state == hgl::FlowObject::fosOK || state == hgl::FlowObject::fosNotInit) return;
        std::string line = screenkit::TypeName(a, typeid(*a)) + " " + std::to_string(state);
        if (hgl::FlowObject *next = a->NextObject) line += " " + screenkit::TypeName(next, typeid(*next));
        state_log.push_back(line);
    }
};

class ScreenCanvasTest : public ScreenTest, public ::testing::WithParamInterface<screenkit::Canvas>
{
  protected:
    int Width() const override { return GetParam().w; }
    int Height() const override { return GetParam().h; }
};
