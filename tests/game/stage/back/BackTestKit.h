#pragma once
// Background tests share a handful of solid pictures and a way to run a script to
// its next T_MARK.
#include "game/stagekit/StageHarness.h"

#include "game/stage/back/BackManage.h"

namespace backkit
{
const hgl::test::RGBA kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGreen{0, 255, 0, 255};
const hgl::test::RGBA kYellow{255, 255, 0, 255}, kBlack{0, 0, 0, 255};
} // namespace backkit

class BackTest : public StageTest
{
  protected:
    // "bgA" red, "bgB" blue, "bgC" green, "bgD" yellow, "BLACK" black, all 4:3.
    void AddBackgrounds(bool with_black = true)
    {
        AddPicture(u"BG\\bgA.HGP", 8, 6, backkit::kRed);
        AddPicture(u"BG\\bgB.HGP", 8, 6, backkit::kBlue);
        AddPicture(u"BG\\bgC.HGP", 8, 6, backkit::kGreen);
        AddPicture(u"BG\\bgD.HGP", 8, 6, backkit::kYellow);
        if (with_black) AddPicture(u"BG\\BLACK.HGP", 8, 6, backkit::kBlack);
    }

    // Runs the body as the whole of "T", stepping until the script's first mark.
    void Run(const std::u16string &body, bool with_black = true)
    {
        AddBackgrounds(with_black);
        AddScript(u"T", u"func main()\n{\n" + body + u"\n}\n");
        Start(u"T");
        Step();
    }

    BackManage &Back() { return *static_cast<BackManage *>(unit->GetBackStage()); }
    std::u16string CurrentName()
    {
        return Back().GetCurrent() ? Back().GetCurrent()->GetName().ToStdString() : u"";
    }
    std::u16string NextName() { return Back().GetNext() ? Back().GetNext()->GetName().ToStdString() : u""; }

    // Steps frames of ms until the count of marks reaches n (at most limit frames).
    void StepToMark(size_t n, int ms = stagekit::kFrameMs, int limit = 1000)
    {
        for (int i = 0; i < limit && marks.size() < n; ++i)
            Step(ms);
    }
};
