#include "game/core/Tour.h"

#include "core/Log.h"
#include "core/Random.h"
#include "framework/FlowControl.h"
#include "app/WinOpenGLApplication.h"
#include "graphics/gl/Canvas.h"
#include "graphics/gl/ScreenShot.h"
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
// Snow, shakes and the title's balls draw from the random numbers: a tour seeds
// them itself so that it shows the same frames on every run.
constexpr unsigned int kTourSeed = 5489;

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

// The character a key types with no modifier down, as a keyboard types it: the
// space, letters in lower case and digits; 0 for keys that type none.
char16_t Typed(const std::string &name)
{
    if (name == "Space") return u' ';
    if (name.size() != 1 || !std::isalnum(static_cast<unsigned char>(name[0]))) return 0;
    return char16_t(std::tolower(static_cast<unsigned char>(name[0])));
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
        if (!(in >> word) || (step.value = KeyCode(word)) == hgl::key::None) return false;
        step.typed = Typed(word);
        return true;
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

hgl::platform::MouseButton SinkButton(int button)
{
    return button == Tour::Left    ? hgl::platform::MouseButton::Left
           : button == Tour::Right ? hgl::platform::MouseButton::Right
                                   : hgl::platform::MouseButton::Middle;
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
    if (!app) return;
    app->SetFrameEndStep({});
    hgl::SetClock(replaced);
}

std::vector<std::string> Tour::ScreenNames(const hgl::FlowControl &control)
{
    std::vector<std::string> names;
    for (int i = 0; i < control.GetScreenCount(); ++i)
        names.push_back(ClassName(control.GetScreen(i)));
    return names;
}

// The wall clock, which the tour's own time replaces for everyone else.
double Tour::WallNow()
{
    return double(hgl::platform::GetMonotonicNanoseconds()) * 1e-9;
}

void Tour::Attach(hgl::WinOpenGLApplication &application)
{
    if (app) return;
    app = &application;
    flow = app->GetFlow();
    wall_start = wall_due = WallNow();
    // The sleeping pace sleeps exactly one frame time on the tour's clock after each frame.
    app->FrameMode = hgl::WinOpenGLApplication::FramePacingSleep;
    app->WaitActive = false;
    app->SetFrameEndStep([this](hgl::platform::InputSink &sink) { EndOfFrame(sink); });
    replaced = hgl::SetClock(this);
    hgl::InitRandomSeed(kTourSeed);
}

void Tour::Sleep(double duration)
{
    if (duration <= 0) return;
    frame_time = duration;
    seconds += duration;
    if (!real_pace) return;
    wall_due += duration;
    const double now = WallNow();
    if (wall_due > now)
        std::this_thread::sleep_for(std::chrono::duration<double>(wall_due - now));
    else
        wall_due = now; // a late frame moves the schedule on
}

void Tour::EndOfFrame(hgl::platform::InputSink &sink)
{
    input = &sink;
    RunSteps();
    input = nullptr;
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

// The flags follow the buttons held as a window's events carry them.
void Tour::PressButton(const Step &step)
{
    int x, y;
    Point(step, x, y);
    buttons |= ButtonFlag(step.value);
    input->OnMouseDown(SinkButton(step.value), x, y, buttons);
}

void Tour::ReleaseButton(const Step &step)
{
    int x, y;
    Point(step, x, y);
    buttons &= ~ButtonFlag(step.value);
    input->OnMouseUp(SinkButton(step.value), x, y, buttons);
}

void Tour::RunStep(const Step &step)
{
    if (!flow || !input) return;
    int x = 0, y = 0;
    switch (step.action)
    {
    case Wait:
        waiting = step.value;
        break;
    case Key:
        input->OnKeyDown(step.value);
        if (step.typed) input->OnChar(step.typed);
        input->OnKeyUp(step.value);
        break;
    case Move:
        Point(step, x, y);
        input->OnMouseMove(x, y, buttons);
        break;
    case Press:
        PressButton(step);
        break;
    case Release:
        ReleaseButton(step);
        break;
    case Click:
        PressButton(step);
        ReleaseButton(step);
        break;
    case Wheel:
        Point(step, x, y);
        input->OnMouseWheel(step.value, x, y, buttons);
        break;
    case Joystick:
        input->OnJoystickDown(step.value);
        input->OnJoystickUp(step.value);
        break;
    case Screenshot:
        if (!hgl::SaveScreenShot(hgl::String::FromUTF8(step.name).c_str()))
            hgl::PutError(u"游览截图<%s>失败", hgl::String::FromUTF8(step.name).c_str());
        break;
    case Quit:
        input->OnCloseRequest();
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
