// The object control: ownership of its children, focus moves, pointer routing through
// translated controls, drawing order and alignment.
#include <gtest/gtest.h>

#include "FrameworkProbe.h"
#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"
#include "support/LogCapture.h"

using hgl::test::Probe;
using hgl::test::ProbeControl;
using hgl::test::trace;
using Events = std::vector<std::string>;

namespace
{
// A child that destroys another, or itself, from inside its own update or input.
class Destroyer : public Probe
{
  public:
    hgl::Object *victim = this;
    Destroyer() : Probe("destroyer", 0, 0, 10, 10) {}
    void Update() override
    {
        victim->Destroy();
        victim->Destroy(); // a second request changes nothing
        trace.Add(id, "still here");
    }
    bool Proc_MouseLeftDown(int, int, int) override
    {
        Destroy();
        trace.Add(id, "still here");
        return true;
    }
};
} // namespace

TEST(ObjectControl, OwnsItsChildrenAndDeletesEachOnce)
{
    trace.Clear();
    {
        hgl::ObjectControl c;
        auto *a = new Probe("a"), *b = new Probe("b"), *d = new Probe("d");
        for (Probe *p : {a, b, d})
            EXPECT_TRUE(c.AddObject(p));
        EXPECT_TRUE(c.AddObject(a)); // already held: nothing changes
        EXPECT_EQ(c.GetCount(), 3);
        EXPECT_EQ(a->GetOwner(), &c);

        delete b; // deleted early: takes itself out
        EXPECT_EQ(c.GetCount(), 2);
        EXPECT_FALSE(c.IsChild(b));

        d->Destroy(); // outside a walk: removed and deleted at once
        EXPECT_EQ(trace.deleted, 2);
        EXPECT_EQ(c.GetCount(), 1);

        c.Clear();
        EXPECT_EQ(trace.deleted, 3);
        c.AddObject(new Probe("e"));
        c.AddObject(new Probe("f"));
    }
    EXPECT_EQ(trace.deleted, 5); // destruction deleted the last two
}

TEST(ObjectControl, RefusesBadChildrenAndMovesAdoptedOnes)
{
    trace.Clear();
    hgl::test::LogCapture log;
    hgl::ObjectControl outer;
    auto *inner = new ProbeControl("inner", 0, 0, 10, 10);
    outer.AddObject(inner);
    EXPECT_FALSE(outer.AddObject(nullptr));
    EXPECT_FALSE(outer.AddObject(&outer));
    EXPECT_FALSE(inner->AddObject(&outer)); // its own owner
    EXPECT_EQ(log.Errors().size(), 3u) << log.Dump();

    auto *p = new Probe("p");
    inner->AddObject(p);
    outer.AddObject(p); // taken from inner
    EXPECT_FALSE(inner->IsChild(p));
    EXPECT_EQ(p->GetOwner(), &outer);

    inner->AddObject(new Probe("q"));
    delete inner; // an owned control deleted early: its child goes with it, once
    EXPECT_EQ(trace.deleted, 2);
    EXPECT_EQ(outer.GetCount(), 1);
}

TEST(ObjectControl, DestroyDuringAWalkWaitsForItsEnd)
{
    trace.Clear();
    hgl::ObjectControl c;
    auto *killer = new Destroyer, *self = new Destroyer;
    auto *sibling = new Probe("sibling");
    killer->victim = sibling;
    c.AddObject(killer);
    c.AddObject(sibling);
    c.AddObject(self);

    c.UpdateObject(); // sibling is destroyed before its turn and not updated
    EXPECT_EQ(trace.events, (Events{"destroyer:still here", "destroyer:still here"}));
    EXPECT_EQ(trace.deleted, 2);
    EXPECT_EQ(c.GetCount(), 1);

    EXPECT_TRUE(c.Proc_MouseLeftDown(1, 1, 0)); // the killer destroys itself when pressed
    EXPECT_EQ(trace.deleted, 3);
    EXPECT_FALSE(c.Proc_MouseLeftUp(1, 1, 0));
}

TEST(ObjectControl, NestedWalksOfOneControlEachKeepTheirOwnCopy)
{
    // A child that draws its own control again from inside its draw, six deep,
    // adding a child on the way down: each walk goes through the children it
    // copied when it began, whatever the walks inside it copied.
    class Recurser : public Probe
    {
      public:
        hgl::ObjectControl *control = nullptr;
        int level = 0;
        Recurser() : Probe("r") {}
        void Draw() override
        {
            Probe::Draw();
            if (++level == 3) control->AddObject(new Probe("q"));
            if (level < 6) control->DrawObject();
        }
    };
    trace.Clear();
    trace.events.clear();
    hgl::ObjectControl screen;
    auto *r = new Recurser;
    r->control = &screen;
    screen.AddObject(r);
    screen.AddObject(new Probe("p"));
    screen.DrawObject();
    Events expected(6, "r:draw");
    for (int depth = 5; depth >= 0; --depth)
    {
        expected.push_back("p:draw");
        if (depth >= 3) expected.push_back("q:draw");
    }
    EXPECT_EQ(trace.events, expected);
}

TEST(ObjectControl, KeysMoveTheFocusWithWrap)
{
    struct Case
    {
        int start; // child index with the focus, -1 none
        int key;
        int expect;
    };
    // Children 0, 1, 3 can take the focus; 2 is disabled.
    const Case cases[] = {
        {0, hgl::key::Down, 1}, {1, hgl::key::Right, 3}, {3, hgl::key::Down, 0}, {0, hgl::key::Up, 3},
        {3, hgl::key::Left, 1}, {-1, hgl::key::Down, 0}, {-1, hgl::key::Up, 3},
    };
    for (const Case &tc : cases)
    {
        hgl::ObjectControl c;
        Probe *kids[4];
        for (int i = 0; i < 4; i++)
        {
            kids[i] = new Probe("k" + std::to_string(i));
            kids[i]->takes_input = false;
            c.AddObject(kids[i]);
        }
        kids[2]->SetEnabled(false);
        if (tc.start >= 0) c.SetFocusObject(kids[tc.start]);
        EXPECT_TRUE(c.Proc_KeyDown(tc.key));
        EXPECT_EQ(c.GetFocusObject(), kids[tc.expect]) << tc.start << " key " << tc.key;
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(kids[i]->HasFocus(), i == tc.expect);
    }

    // A key the focused child takes does not move the focus; other keys are not handled.
    hgl::ObjectControl c;
    auto *a = new Probe("a"), *b = new Probe("b");
    c.AddObject(a);
    c.AddObject(b);
    c.SetFocusObject(a);
    EXPECT_TRUE(c.Proc_KeyDown(hgl::key::Down));
    EXPECT_EQ(c.GetFocusObject(), a);
    a->takes_input = false;
    EXPECT_FALSE(c.Proc_KeyDown(hgl::key::Enter));
    hgl::ObjectControl empty;
    EXPECT_FALSE(empty.Proc_KeyDown(hgl::key::Down));
}

TEST(ObjectControl, FocusClosureOwnerNoticeAndPropagation)
{
    hgl::ObjectControl screen;
    auto *form = new ProbeControl("form", 0, 0, 100, 100);
    screen.AddObject(form);
    auto *a = new Probe("a"), *b = new Probe("b");
    std::vector<std::pair<hgl::EventObject *, bool>> calls;
    auto record = [](void *v, hgl::EventObject *o, bool f)
    { static_cast<decltype(calls) *>(v)->emplace_back(o, f); };
    a->OnFocusChange.Bind(&calls, record);
    b->SetFocus(true); // focused before it has an owner: recorded when added
    form->AddObject(a);
    form->AddObject(b);
    EXPECT_EQ(form->GetFocusObject(), b);
    EXPECT_EQ(screen.GetFocusObject(), form); // the form took the focus in the screen

    a->Focus = true;
    EXPECT_EQ(form->GetFocusObject(), a);
    EXPECT_FALSE(b->HasFocus());
    a->Focus = true; // no change: no call
    EXPECT_EQ(calls, (std::vector<std::pair<hgl::EventObject *, bool>>{{a, true}}));

    auto *sibling = new Probe("sibling");
    screen.AddObject(sibling);
    screen.SetFocusObject(sibling); // the form loses the focus, and so does its child
    EXPECT_FALSE(form->HasFocus() || a->HasFocus());
    EXPECT_EQ(form->GetFocusObject(), nullptr);

    form->SetFocusObject(a);
    delete a; // the focused child goes: nothing dangles
    EXPECT_EQ(form->GetFocusObject(), nullptr);
    EXPECT_FALSE(form->Proc_KeyDown(hgl::key::Enter));
}

TEST(ObjectControl, PointerEventsHitTranslatedChildren)
{
    trace.Clear();
    hgl::ObjectControl screen;
    auto *form = new ProbeControl("form", 100, 50, 200, 100);
    auto *button = new Probe("button", 10, 10, 20, 20);
    auto *hidden = new Probe("hidden", 0, 0, 200, 100);
    hidden->SetVisible(false);
    form->AddObject(hidden);
    form->AddObject(button);
    screen.AddObject(form);

    struct Case
    {
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {110, 60, true}, {129, 79, true}, {130, 60, false}, {109, 60, false}, {10, 10, false}};
    for (const Case &tc : cases)
    {
        trace.events.clear();
        EXPECT_EQ(screen.Proc_MouseLeftDown(tc.x, tc.y, hgl::platform::MouseFlagLeft), tc.hit)
            << tc.x << "," << tc.y;
        EXPECT_EQ(trace.events, tc.hit ? Events{"button:down " + std::to_string(tc.x - 100) + "," +
                                                std::to_string(tc.y - 50)}
                                       : Events{});
        screen.Proc_MouseLeftUp(tc.x, tc.y, 0);
    }
    EXPECT_TRUE(button->HasFocus()); // the press gave it the focus

    // A press on the button released elsewhere is still heard by the button.
    trace.events.clear();
    screen.Proc_MouseLeftDown(115, 65, hgl::platform::MouseFlagLeft);
    EXPECT_TRUE(screen.Proc_MouseLeftUp(0, 0, 0));
    EXPECT_EQ(trace.events, (Events{"button:down 15,15", "button:up -100,-50"}));

    // The pointer over the button: its flag, its closure once on entering, the focus.
    int entered = 0;
    button->OnPointerOver.Bind(&entered, [](void *n, hgl::GUIObject *) { ++*static_cast<int *>(n); });
    button->Focus = false;
    screen.Proc_MouseMove(115, 65, 0);
    screen.Proc_MouseMove(116, 66, 0);
    EXPECT_TRUE(button->IsPointerOver());
    EXPECT_TRUE(button->HasFocus());
    screen.Proc_MouseMove(0, 0, 0);
    EXPECT_FALSE(button->IsPointerOver());
    EXPECT_EQ(entered, 1);
}

TEST(ObjectControl, DrawsInOrderTranslatedWithTheTopObjectLast)
{
    trace.Clear();
    trace.events.clear();
    ProbeControl screen("screen", 0, 0, 0, 0); // at the origin: nothing to move
    auto *form = new ProbeControl("form", 30, 40, 100, 100);
    auto *a = new Probe("a"), *b = new Probe("b"), *c = new Probe("c"), *hidden = new Probe("hidden");
    hidden->SetVisible(false);
    for (hgl::Object *o : std::initializer_list<hgl::Object *>{a, form, b, hidden})
        screen.AddObject(o);
    form->AddObject(c);
    screen.SetTopObject(a);
    screen.BringToTop(form);
    screen.DrawObject();

    EXPECT_EQ(trace.events, (Events{"screen:draw", "b:draw", "form:draw", "c:draw", "a:draw"}));
    EXPECT_TRUE(screen.origins.empty());
    EXPECT_EQ(form->origins, (Events{"push 30,40", "pop"}));
    EXPECT_EQ(c->GetOriginX(), 30);
    EXPECT_EQ(c->GetOriginY(), 40);
}

TEST(ObjectControl, AlignObjectsLaysOutByMode)
{
    hgl::ObjectControl c(0, 0, 100, 80);
    auto add = [&c](hgl::VAlign mode, float w, float h)
    {
        auto *p = new Probe("p", 0, 0, w, h);
        p->Align = mode;
        c.AddObject(p);
        return p;
    };
    Probe *client = add(hgl::alClient, 1, 1);
    Probe *top = add(hgl::alTop, 5, 10);
    Probe *bottom = add(hgl::alBottom, 5, 20);
    Probe *left = add(hgl::alLeft, 15, 5);
    Probe *right = add(hgl::alRight, 25, 5);
    struct Case
    {
        Probe *p;
        float l, t, w, h;
    };
    const Case cases[] = {{top, 0, 0, 100, 10},
                          {bottom, 0, 60, 100, 20},
                          {left, 0, 10, 15, 50},
                          {right, 75, 10, 25, 50},
                          {client, 15, 10, 60, 50}};
    for (const Case &tc : cases)
        EXPECT_EQ((std::vector<float>{tc.p->Left, tc.p->Top, tc.p->Width, tc.p->Height}),
                  (std::vector<float>{tc.l, tc.t, tc.w, tc.h}));
    c.Width = 200; // resizing the control lays the children out again
    EXPECT_EQ(float(client->Width), 160);
}

TEST(ObjectControl, AClickOnOverlappingChildrenReachesTheOneOnTop)
{
    trace.Clear();
    hgl::ObjectControl screen;
    auto *under = new Probe("under", 0, 0, 100, 100);
    auto *over = new Probe("over", 50, 50, 100, 100); // added last: drawn on top
    screen.AddObject(under);
    screen.AddObject(over);

    EXPECT_TRUE(screen.Proc_MouseLeftDown(60, 60, hgl::platform::MouseFlagLeft));
    EXPECT_EQ(trace.events, (Events{"over:down 60,60"}));
    EXPECT_TRUE(over->HasFocus());
    trace.events.clear();
    EXPECT_TRUE(screen.Proc_MouseLeftUp(60, 60, 0));
    EXPECT_EQ(trace.events, (Events{"over:up 60,60"}));

    // Outside the top one the one below hears it.
    trace.events.clear();
    EXPECT_TRUE(screen.Proc_MouseLeftDown(20, 20, hgl::platform::MouseFlagLeft));
    EXPECT_EQ(trace.events, (Events{"under:down 20,20"}));
    screen.Proc_MouseLeftUp(20, 20, 0);
}
