#pragma once
// Test objects for the framework: widgets and screens that write what happens to
// them into one shared trace, and count their own deletions.
#include <string>
#include <vector>

#include "framework/FlowObject.h"

namespace hgl::test
{
struct Trace
{
    std::vector<std::string> events;
    int deleted = 0;

    void Add(const std::string &who, const std::string &what) { events.push_back(who + ":" + what); }
    void Clear()
    {
        events.clear();
        deleted = 0;
    }
};

inline Trace trace;

class Probe : public GUIObject
{
  public:
    std::string id;
    bool takes_input = true; // answers every input event it gets with true

    explicit Probe(std::string name, float l = 0, float t = 0, float w = 0, float h = 0)
        : GUIObject(l, t, w, h), id(std::move(name))
    {
    }
    ~Probe() override { trace.deleted++; }

    void Update() override { trace.Add(id, "update"); }
    void Draw() override { trace.Add(id, "draw"); }
    bool Proc_MouseLeftDown(int x, int y, int) override { return Note("down", x, y); }
    bool Proc_MouseLeftUp(int x, int y, int) override { return Note("up", x, y); }
    bool Proc_KeyDown(int key) override { return Note("key", key, 0); }

  private:
    bool Note(const char *what, int a, int b)
    {
        trace.Add(id, std::string(what) + " " + std::to_string(a) + "," + std::to_string(b));
        return takes_input;
    }
};

class ProbeControl : public ObjectControl
{
  public:
    std::string id;
    ProbeControl(std::string name, float l, float t, float w, float h)
        : ObjectControl(l, t, w, h), id(std::move(name))
    {
    }
    std::vector<std::string> origins; // where it moved the drawing origin, and back
    ~ProbeControl() override { trace.deleted++; }
    void Draw() override { trace.Add(id, "draw"); }

  protected:
    void PushOrigin(float x, float y) override
    {
        origins.push_back("push " + std::to_string(int(x)) + "," + std::to_string(int(y)));
    }
    void PopOrigin() override { origins.push_back("pop"); }
};

class Screen : public FlowObject
{
  public:
    std::string id;
    explicit Screen(std::string name) : id(std::move(name)) {}
    ~Screen() override
    {
        trace.deleted++;
        trace.Add(id, "deleted");
    }
    void Update() override { trace.Add(id, "update"); }
    void Draw() override { trace.Add(id, "draw"); }
    void ProcReturn(FlowObject *finished) override
    {
        trace.Add(id, "return from " + static_cast<Screen *>(finished)->id);
    }
    bool Proc_KeyDown(int key) override
    {
        trace.Add(id, "key " + std::to_string(key));
        return FlowObject::Proc_KeyDown(key);
    }
};
} // namespace hgl::test
