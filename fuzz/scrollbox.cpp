// Bytes as the children of an inertial scroll box (their rectangles) and the input
// it then gets: wheel notches, keys, key and joystick repeats, jumps, focus moves,
// layouts and frames. After every input the offsets and the targets lie within
// the bars' ranges, and once enough frames have passed the glide ends exactly on
// its target.
#include "FuzzKit.h"

#include "game/screens/widgets/scrollbox.h"
#include "gui/Button.h"
#include "platform/window/KeyCode.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{
constexpr float kW = 400, kH = 300;

class Reader : public fuzzkit::ByteReader
{
  public:
    using ByteReader::ByteReader;
    // A coordinate from two bytes: -2048 .. 63487 in steps of one, or a fraction.
    float Coordinate()
    {
        const int v = Byte() | Byte() << 8;
        return v & 1 ? float(v) / 7.0f - 2048 : float(v) - 2048;
    }
};

float Highest(const Scrollv &bar)
{
    return float(std::max(0, int(bar.MaxValue)));
}

void Check(scrollbox &box)
{
    const float hx = Highest(box.GetHorizontalBar()), hy = Highest(box.GetVerticalBar());
    if (box.GetScrollX() < 0 || box.GetScrollX() > hx || box.GetScrollY() < 0 || box.GetScrollY() > hy)
        __builtin_trap();
    if (box.GetTargetX() < 0 || box.GetTargetX() > hx || box.GetTargetY() < 0 || box.GetTargetY() > hy)
        __builtin_trap();
    if (box.GetSpeedX() < 1 || box.GetSpeedY() < 1) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in(data, size);
    scrollbox box(10, 20, kW, kH, u"system\\k.TEX");
    std::vector<hgl::gui::Button *> children;
    const int count = in.Byte() % 24;
    for (int i = 0; i < count; ++i)
    {
        const float l = in.Coordinate(), t = in.Coordinate();
        const float w = float(in.Byte() * 8), h = float(in.Byte() * 8);
        children.push_back(new hgl::gui::Button(l, t, w, h));
        box.AddObject(children.back());
    }
    box.Refresh();
    Check(box);
    const int keys[] = {hgl::key::Up, hgl::key::Down, hgl::key::Left, hgl::key::Right, hgl::key::Enter};
    while (in.More())
    {
        const int op = in.Byte(), arg = in.Byte();
        switch (op % 12)
        {
        case 0:
            box.Proc_MouseWheel(20, 30, arg - 128, 0);
            break;
        case 1:
            box.Proc_KeyDown(keys[arg % 5]);
            break;
        case 2:
            box.Proc_KeyRepeat(keys[arg % 5]);
            break;
        case 3:
            box.Proc_JoystickDown(arg % 9);
            break;
        case 4:
            box.Proc_JoystickRepeat(arg % 9);
            break;
        case 5:
            box.ScrollBy(float(arg - 128) * 9, float(arg - 100) * 13);
            break;
        case 6:
            box.SetScrollY(in.Coordinate());
            break;
        case 7:
            box.SetScrollX(in.Coordinate());
            break;
        case 8:
            if (!children.empty()) box.SetFocusObject(children[size_t(arg) % children.size()]);
            break;
        case 9:
            box.AlignObjects();
            break;
        case 10:
            box.Proc_MouseLeftDown(arg * 2, arg * 3, 0);
            box.Proc_MouseLeftUp(arg * 2, arg * 3, 0);
            break;
        default:
            for (int i = 0; i < arg % 16; ++i)
                box.ScrollStep();
            break;
        }
        Check(box);
    }
    for (int i = 0;
         i < 5000 && (box.GetScrollX() != box.GetTargetX() || box.GetScrollY() != box.GetTargetY()); ++i)
        box.ScrollStep();
    if (box.GetScrollX() != box.GetTargetX() || box.GetScrollY() != box.GetTargetY()) __builtin_trap();
    return 0;
}
