#include "game/core/Tour.h"

#include "core/Log.h"
#include "framework/FlowControl.h"
#include "app/WinOpenGLApplication.h"
#include "graphics/gl/Canvas.h"
#include "graphics/gl/ScreenShot.h"
#include "io/Time.h"
#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cxxabi.h>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <typeinfo>

namespace avg
{
namespace
{
Tour *current = nullptr; // the tour whose time the engine clock reads
constexpr double kNanosecond = 1e-9;

const std::map<std::string, Tour::Action> kActions = {
    {"wait", Tour::Wait},    {"key", Tour::Key},           {"move", Tour::Move},
    {"press", Tour::Press},  {"release", Tour::Release},   {"click", Tour::Click},
    {"wheel", Tour::Wheel},  {"joystick", Tour::Joystick}, {"screenshot", Tour::Screenshot},
    {"quit", Tour::Quit},    {"until", Tour::Until},       {"expect", Tour::Expect},
    {"pace", Tour::Pace},    {"mark", Tour::Mark},         {"skip", Tour::Skip},
    {"canvas", Tour::Canvas}};

const std::map<std::string, Tour::Button> kButtons = {
    {"left", Tour::Left}, {"right", Tour::Right}, {"middle", Tour::Middle}};

const std::map<std::string, int> kNamedKeys = {{"Esc", hgl::key::Esc},
                                               {"Enter", hgl::key::Enter},
                                               {"Space", hgl::key::Space},
                                               {"Tab", hgl::key::Tab},
                                               {"Backspace", hgl::key::Backspace},
                                               {"Up", hgl::key::Up},
                                               {"Down", hgl::key::Down},
                                               {"Left", hgl::key::Left},
                                               {"Right", hgl::key::Right},
                                               {"Home", hgl::key::Home},
                                               {"End", hgl::key::End},
                                               {"PageUp", hgl::key::PageUp},
                                               {"PageDown", hgl::key::PageDown},
                                               {"Insert", hgl::key::Insert},
                                               {"Delete", hgl::key::Delete}};

// Letters follow the keyboard's rows.
const char kLetterRows[][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
const int kLetterRowStart[] = {hgl::key::Q, hgl::key::A, hgl::key::Z};
constexpr int kFunctionKeys = 12;

// The key code of a name; 0 when there is none.
int KeyCode(const std::string &name)
{
    if (auto it = kNamedKeys.find(name); it != kNamedKeys.end()) return it->second;
    if (name.size() == 1 && name[0] >= '1' && name[0] <= '9') return hgl::key::Digit1 + (name[0] - '1');
    if (name == "0") return hgl::key::Digit0;
    if (name.size() == 1)
        for (int row = 0; row < 3; ++row)
            for (int i = 0; kLetterRows[row][i]; ++i)
                if (kLetterRows[row][i] == std::toupper(static_cast<unsigned char>(name[0])))
                    return kLetterRowStart[row] + i;
    if (name.size() >= 2 && name[0] == 'F')
    {
        const int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= kFunctionKeys && name == "F" + std::to_string(n)) return hgl::key::F1 + n - 1;
    }
    return hgl::key::None;
}

// A whole non-negative (or, when allowed, negative) integer.
bool Number(std::istringstream &in, int &value, bool negative_ok = false)
{
    std::string word;
    if (!(in >> word)) return false;
    size_t used = 0;
    try
    {
        value = std::stoi(word, &used);
    }
    catch (...)
    {
        return false;
    }
    return used == word.size() && (negative_ok || value >= 0);
}

bool Point(std::istringstream &in, Tour::Step &step)
{
    return Number(in, step.x) && Number(in, step.y);
}

bool ParseArguments(std::istringstream &in, Tour::Step &step)
{
    std::string word;
    switch (step.action)
    {
    case Tour::Wait:
    case Tour::Joystick:
    case Tour::Skip:
        return Number(in, step.value);
    case Tour::Key:
        return (in >> word) && (step.value = KeyCode(word)) != hgl::key::None;
    case Tour::Move:
        return Point(in, step);
    case Tour::Canvas:
        return Point(in, step) && step.x > 0 && step.y > 0;
    case Tour::Press:
    case Tour::Release:
    case Tour::Click:
    {
        if (!(in >> word) || !kButtons.count(word)) return false;
        step.value = kButtons.at(word);
        return Point(in, step);
    }
    case Tour::Wheel:
        return Number(in, step.value, true) && Point(in, step);
    case Tour::Screenshot:
    case Tour::Mark:
        return bool(in >> step.name);
    case Tour::Until:
        step.value = Tour::kDefaultUntilFrames;
        if (!(in >> step.name)) return false;
        return in.eof() || (in >> std::ws).eof() || (Number(in, step.value) && step.value > 0);
    case Tour::Expect:
        while (in >> word)
            step.names.push_back(word);
        return !step.names.empty();
    case Tour::Pace:
        if (!(in >> word) || (word != "real" && word != "fast")) return false;
        step.value = word == "real";
        return true;
    case Tour::Quit:
        return true;
    }
    return false;
}

std::string ClassName(const hgl::FlowObject *screen)
{
    if (!screen) return "null";
    int status = 0;
    const char *raw = typeid(*screen).name();
    char *full = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
    std::string name = status == 0 && full ? full : raw;
    std::free(full);
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

std::string Joined(const std::vector<std::string> &names)
{
    std::string out;
    for (const std::string &n : names)
        out += (out.empty() ? "" : " ") + n;
    return out.empty() ? "(none)" : out;
}

unsigned ButtonFlag(int button)
{
    return button == Tour::Left    ? hgl::platform::MouseFlagLeft
           : button == Tour::Right ? hgl::platform::MouseFlagRight
                                   : hgl::platform::MouseFlagMiddle;
}
} // namespace

bool Tour::Parse(const std::string &text, std::vector<Step> &steps, std::string &error)
{
    steps.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream in(line);
        std::string word;
        if (!(in >> word) || word[0] == '#') continue;
        Step step;
        const auto action = kActions.find(word);
        std::string rest;
        if (action == kActions.end() || (step.action = action->second, !ParseArguments(in, step)) ||
            (in >> rest))
        {
            error = "tour line " + std::to_string(number) + " cannot be read: " + line;
            return false;
        }
        steps.push_back(std::move(step));
    }
    return true;
}

std::unique_ptr<Tour> Tour::Load(const std::string &filename, std::string &error)
{
    std::ifstream in(filename, std::ios::binary);
    if (!in)
    {
        error = "tour file " + filename + " cannot be opened";
        return nullptr;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<Step> steps;
    if (!Parse(text.str(), steps, error)) return nullptr;
    return std::make_unique<Tour>(std::move(steps));
}

Tour::Tour(std::vector<Step> s) : steps(std::move(s)) {}

Tour::~Tour()
{
    if (current != this) return;
    hgl::SetClockSource(nullptr);
    current = nullptr;
}

hgl::uint64 Tour::EngineClock()
{
    return current ? hgl::uint64(std::llround(current->seconds / kNanosecond)) : 0;
}

std::vector<std::string> Tour::ScreenNames(const hgl::FlowControl &control)
{
    std::vector<std::string> names;
    for (int i = 0; i < control.GetScreenCount(); ++i)
        names.push_back(ClassName(control.GetScreen(i)));
    return names;
}

double Tour::WallNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Tour::Attach(hgl::WinOpenGLApplication &app)
{
    flow = app.GetFlow();
    wall_start = wall_due = WallNow();
    // The sleeping pace asks for exactly one frame time after each frame.
    app.FrameMode = hgl::WinOpenGLApplication::FramePacingSleep;
    app.WaitActive = false;
    app.SetFrameClock(this);
    current = this;
    hgl::SetClockSource(&Tour::EngineClock);
}

void Tour::Sleep(double duration)
{
    if (duration > 0)
    {
        frame_time = duration;
        seconds += duration;
        if (real_pace)
        {
            wall_due += duration;
            const double now = WallNow();
            if (wall_due > now)
                std::this_thread::sleep_for(std::chrono::duration<double>(wall_due - now));
            else
                wall_due = now; // a late frame moves the schedule on
        }
    }
    RunSteps();
}

void Tour::Fail(const std::string &why)
{
    failed = true;
    failure = why;
    hgl::PutError(u"游览失败：%s", hgl::String::FromUTF8(why).c_str());
    if (flow) flow->SetObjectState(hgl::FlowObject::fosExit);
}

// True once the screen awaited is the active one; a tour that waited too long fails.
bool Tour::CheckUntil()
{
    if (flow && ClassName(flow->GetActiveObject()) == until)
    {
        until.clear();
        waiting = 0;
        return true;
    }
    if (--waiting > 0) return false;
    Fail("screen " + until + " not reached; running: " + (flow ? Joined(ScreenNames(*flow)) : "(none)"));
    until.clear();
    return false;
}

void Tour::RunSteps()
{
    if (failed) return;
    if (!until.empty())
    {
        if (!CheckUntil()) return;
    }
    else if (waiting > 0 && --waiting > 0)
        return;
    while (next < steps.size() && waiting == 0 && until.empty() && !failed)
        RunStep(steps[next++]);
    if (IsDone() && !failed && flow) flow->SetObjectState(hgl::FlowObject::fosExit);
}

void Tour::Point(const Step &step, int &x, int &y) const
{
    x = step.x;
    y = step.y;
    if (design_w <= 0 || design_h <= 0) return;
    x = int(std::lround(double(step.x) * hgl::GetCanvasWidth() / design_w));
    y = int(std::lround(double(step.y) * hgl::GetCanvasHeight() / design_h));
}

void Tour::PressButton(const Step &step)
{
    const unsigned flags = ButtonFlag(step.value);
    int x, y;
    Point(step, x, y);
    if (step.value == Left)
        flow->Proc_MouseLeftDown(x, y, int(flags));
    else if (step.value == Right)
        flow->Proc_MouseRightDown(x, y, int(flags));
    else
        flow->Proc_MouseMiddleDown(x, y, int(flags));
}

void Tour::RunStep(const Step &step)
{
    if (!flow) return;
    int x = 0, y = 0;
    switch (step.action)
    {
    case Wait:
        waiting = step.value;
        break;
    case Key:
        flow->Proc_KeyDown(step.value);
        break;
    case Move:
        Point(step, x, y);
        flow->Proc_MouseMove(x, y, 0);
        break;
    case Press:
        PressButton(step);
        break;
    case Release:
        Point(step, x, y);
        if (step.value == Left) flow->Proc_MouseLeftUp(x, y, 0);
        break;
    case Click:
        PressButton(step);
        Point(step, x, y);
        if (step.value == Left) flow->Proc_MouseLeftUp(x, y, 0);
        break;
    case Wheel:
        Point(step, x, y);
        flow->Proc_MouseWheel(x, y, step.value, 0);
        break;
    case Joystick:
        flow->Proc_JoystickDown(step.value);
        break;
    case Screenshot:
        if (!hgl::SaveScreenShot(hgl::String::FromUTF8(step.name).c_str()))
            hgl::PutError(u"游览截图<%s>失败", hgl::String::FromUTF8(step.name).c_str());
        break;
    case Quit:
        flow->SetObjectState(hgl::FlowObject::fosExit);
        next = steps.size();
        break;
    case Until:
        if (ClassName(flow->GetActiveObject()) != step.name)
        {
            until = step.name;
            waiting = step.value;
        }
        break;
    case Expect:
        if (ScreenNames(*flow) != step.names)
            Fail("expected " + Joined(step.names) + ", running: " + Joined(ScreenNames(*flow)));
        break;
    case Pace:
        real_pace = step.value != 0;
        wall_due = WallNow();
        break;
    case Canvas:
        design_w = step.x;
        design_h = step.y;
        break;
    case Skip:
        for (int i = 0; i < step.value && flow->IsRunning(); ++i)
        {
            seconds += frame_time;
            flow->RunFrame(false);
        }
        break;
    case Mark:
        hgl::PutInfo(u"游览标记<%s>:%d毫秒", hgl::String::FromUTF8(step.name).c_str(),
                     int(std::llround((WallNow() - wall_start) * 1000)));
        break;
    }
}
} // namespace avg
