// The flow control: the screen chains the game runs, ownership of the screens, the
// overlay, input to the active screen only, and the apply points.
#include <gtest/gtest.h>

#include "FrameworkProbe.h"
#include "framework/FlowControl.h"
#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"
#include "io/Core.h"
#include "support/LogCapture.h"

using hgl::FlowObject;
using hgl::test::Screen;
using hgl::test::trace;
using Events = std::vector<std::string>;

namespace
{
// A screen that asks for a state change the first time it is drawn.
class Asker : public Screen
{
  public:
    FlowObject::FlowObjectState ask;
    FlowObject *next;
    bool asked = false;
    Asker(std::string name, FlowObject::FlowObjectState state, FlowObject *next_screen = nullptr)
        : Screen(std::move(name)), ask(state), next(next_screen)
    {
    }
    void Draw() override
    {
        Screen::Draw();
        if (asked) return;
        asked = true;
        NextObject = next;
        ObjectState = ask;
    }
};

const Screen *ActiveOf(const hgl::FlowControl &flow)
{
    return static_cast<const Screen *>(flow.GetActiveObject());
}
} // namespace

TEST(FlowControl, NoticeMovieTitleChain)
{
    trace.Clear();
    hgl::FlowControl flow;
    auto *movie = new Asker("movie", FlowObject::fosReturn);
    auto *notice = new Asker("notice", FlowObject::fosReplace, movie);
    auto *title = new Screen("title");
    title->NextObject = notice; // the first start: the title calls the notice at once
    title->ObjectState = FlowObject::fosCall;
    flow.ClearTo(title);

    flow.RunFrame(); // title updated, notice called; notice drawn alone, replaced by the movie
    EXPECT_EQ(trace.events, (Events{"title:update", "notice:draw", "notice:deleted"}));
    EXPECT_EQ(ActiveOf(flow), movie);
    EXPECT_FALSE(title->IsVisible());
    EXPECT_FALSE(title->IsEnabled());
    EXPECT_EQ(hgl::GetGlobalPointer(hgl::FlowControl::kActiveFlowObjectSlot), movie);

    trace.events.clear();
    flow.RunFrame(); // the movie ends: back to the title, told which screen finished
    EXPECT_EQ(trace.events,
              (Events{"movie:update", "movie:draw", "title:return from movie", "movie:deleted"}));
    EXPECT_EQ(ActiveOf(flow), title);
    EXPECT_TRUE(title->IsVisible() && title->IsEnabled());
    EXPECT_EQ(flow.GetScreenCount(), 1);
    EXPECT_EQ(hgl::GetGlobalPointer(hgl::FlowControl::kActiveFlowObjectSlot), title);
}

TEST(FlowControl, MenuSaveScreenAndBack)
{
    trace.Clear();
    hgl::FlowControl flow(new Screen("game"));
    auto *menu = new Screen("menu");
    flow.CallTo(menu);
    flow.ProcState();
    auto *save = new Screen("save");
    flow.CallTo(save); // called on the active screen: the menu
    flow.ProcState();
    EXPECT_EQ(flow.GetScreenCount(), 3);

    // Esc, which no child takes, closes the screen: at the next apply point, not at once.
    save->OnKeyDown.Bind(save,
                         [](void *self, int key)
                         {
                             static_cast<Screen *>(self)->ObjectState = FlowObject::fosReturn;
                             return key == hgl::key::Esc;
                         });
    trace.events.clear();
    EXPECT_TRUE(flow.Proc_KeyDown(hgl::key::Esc));
    flow.RunFrame();
    EXPECT_EQ(trace.events,
              (Events{"save:key 1", "save:update", "menu:return from save", "save:deleted", "menu:draw"}));

    menu->ObjectState = FlowObject::fosReturn;
    flow.ProcState();
    EXPECT_EQ(ActiveOf(flow)->id, "game");
    EXPECT_EQ(trace.deleted, 2);
}

TEST(FlowControl, ClearToDeletesEveryScreenOnce)
{
    trace.Clear();
    {
        hgl::FlowControl flow(new Screen("a"));
        flow.PushTo(new Screen("b"));
        flow.ProcState();
        flow.CallTo(new Screen("c"));
        flow.ProcState();
        auto *pending = new Screen("pending");
        flow.GetActiveObject()->NextObject = pending;
        flow.ClearTo(new Screen("d")); // replaces the pending next object, deleting it
        EXPECT_EQ(trace.deleted, 1);
        flow.ProcState();
        EXPECT_EQ(trace.deleted, 4);
        EXPECT_EQ(flow.GetScreenCount(), 1);
        EXPECT_EQ(ActiveOf(flow)->id, "d");
        flow.GetActiveObject()->NextObject = new Screen("left pending");
    }
    EXPECT_EQ(trace.deleted, 6); // the last screen and its pending next object
    EXPECT_EQ(hgl::GetGlobalPointer(hgl::FlowControl::kActiveFlowObjectSlot), nullptr);
}

TEST(FlowControl, OverlayKeepsTheScreenBelowDrawnWithoutInput)
{
    trace.Clear();
    hgl::FlowControl flow(new Screen("title"));
    Screen *title = const_cast<Screen *>(ActiveOf(flow));
    int title_keys = 0;
    title->OnKeyDown.Bind(&title_keys, [](void *n, int) { return ++*static_cast<int *>(n) > 0; });
    flow.PushTo(new Screen("dialog"));
    flow.ProcState();

    trace.events.clear();
    flow.RunFrame();
    EXPECT_EQ(trace.events, (Events{"dialog:update", "title:draw", "dialog:draw"}));
    EXPECT_FALSE(flow.Proc_KeyDown(hgl::key::Enter));
    EXPECT_EQ(title_keys, 0);
    EXPECT_EQ(trace.events.back(), "dialog:key 54");

    flow.GetActiveObject()->ObjectState = FlowObject::fosReturn;
    flow.ProcState();
    EXPECT_TRUE(flow.Proc_KeyDown(hgl::key::Enter));
    EXPECT_EQ(title_keys, 1);
}

TEST(FlowControl, EndsAtStateSevenOrAReturnWithNothingBelow)
{
    const FlowObject::FlowObjectState ends[] = {FlowObject::fosExit, FlowObject::fosReturn};
    for (FlowObject::FlowObjectState state : ends)
    {
        trace.Clear();
        hgl::test::LogCapture log;
        hgl::FlowControl flow(new Asker("last", state));
        flow.RunFrame();
        EXPECT_FALSE(flow.IsRunning());
        EXPECT_EQ(flow.ObjectState, FlowObject::fosExit);
        EXPECT_EQ(log.Count(), state == FlowObject::fosReturn ? 1u : 0u) << log.Dump();
        trace.events.clear();
        flow.RunFrame(); // nothing runs any more
        EXPECT_TRUE(trace.events.empty());
    }
    hgl::FlowControl empty;
    empty.RunFrame();
    EXPECT_FALSE(empty.IsRunning());
}

TEST(FlowControl, BadRequestsAreLoggedAndIgnored)
{
    trace.Clear();
    hgl::test::LogCapture log;
    hgl::FlowControl flow(new Screen("a"));
    flow.CallTo(nullptr);
    flow.GetActiveObject()->ObjectState = FlowObject::fosCall; // no next object
    flow.ProcState();
    flow.GetActiveObject()->ObjectState = FlowObject::FlowObjectState(42);
    flow.ProcState();
    FlowObject *a = flow.GetActiveObject();
    a->NextObject = a; // a screen is never its own next object
    flow.CallTo(a);    // nor started twice
    EXPECT_EQ(log.Errors().size(), 5u) << log.Dump();
    EXPECT_EQ(flow.GetScreenCount(), 1);
    EXPECT_EQ(flow.GetActiveObject()->ObjectState, FlowObject::fosOK);
    EXPECT_TRUE(flow.IsRunning());
}

TEST(FlowObject, InputGoesToTheChildrenFirstThenToTheClosures)
{
    trace.Clear();
    Screen screen("s");
    auto *child = new hgl::test::Probe("child", 0, 0, 10, 10);
    screen.Control->AddObject(child);
    int key_closure = 0, right = 0;
    screen.OnKeyDown.Bind(&key_closure, [](void *n, int key) { return (*static_cast<int *>(n) = key) != 0; });
    screen.OnMouseRightDown.Bind(&right, [](void *n, int, int, int) { return ++*static_cast<int *>(n) > 0; });

    screen.Control->SetFocusObject(child);
    EXPECT_TRUE(screen.Proc_KeyDown(hgl::key::F1));
    EXPECT_EQ(key_closure, 0);
    child->takes_input = false;
    EXPECT_TRUE(screen.Proc_KeyDown(hgl::key::F1));
    EXPECT_EQ(key_closure, hgl::key::F1);
    EXPECT_TRUE(screen.Proc_MouseRightDown(1, 1, hgl::platform::MouseFlagRight));
    EXPECT_EQ(right, 1);

    // An unhandled joystick button becomes its key.
    struct Case
    {
        int button, key;
    };
    const Case cases[] = {{1, hgl::key::Up},     {2, hgl::key::Down},      {3, hgl::key::Left},
                          {4, hgl::key::Right},  {6, hgl::key::Enter},     {7, hgl::key::Esc},
                          {9, hgl::key::PageUp}, {10, hgl::key::PageDown}, {11, hgl::key::Home},
                          {12, hgl::key::End},   {5, hgl::key::None},      {8, hgl::key::None}};
    child->SetEnabled(false); // no child to move the focus to: arrows are not taken
    for (const Case &tc : cases)
    {
        key_closure = 0;
        screen.Proc_JoystickDown(tc.button);
        EXPECT_EQ(key_closure, tc.key) << tc.button;
    }
}
