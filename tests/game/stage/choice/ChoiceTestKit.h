#pragma once
// Choice tests run a script "T" on the in-game screen with the shared fonts and the
// menu's four pictures, each in colours of its own: the frame grey, the highlight
// bar red in its top quarter, blue left of 0.5 and green right of it below, the
// pointer yellow and the seen mark magenta.
#include "game/stagekit/StageHarness.h"

#include "game/core/GameRecord.h"
#include "game/core/SaveFolder.h"
#include "game/core/SaveHeader.h"
#include "game/stage/choice/KQ7Button.h"
#include "game/stage/choice/SelectUnit.h"
#include "graphics/font/TileFont.h"

#include <string>

namespace choicekit
{
const hgl::test::RGBA kFrame{60, 60, 60, 255}, kBand{255, 0, 0, 255}, kBarLeft{0, 0, 255, 255},
    kBarRight{0, 255, 0, 255}, kFlag{255, 255, 0, 255}, kMark{255, 0, 255, 255};
constexpr int kBarSize = 20;

// The picks of a three-option choice whose middle option is hidden.
const char16_t kThree[] = u"SELECT(\"V\", 3);\n"
                          u"SELDT(\"甲\");\n"
                          u"SELDT(\"\");\n"
                          u"SELDT(\"丙\");\n"
                          u"T_MARK(1);\n";
} // namespace choicekit

class ChoiceTest : public StageTest
{
  protected:
    void AddMenuPictures()
    {
        using hgl::test::RGBA;
        AddTexture(u"MessageBox\\DlgFrame.TEX", 8, 8, [](int, int) { return choicekit::kFrame; });
        AddTexture(u"option\\SelectButtonBack.TEX", choicekit::kBarSize, choicekit::kBarSize,
                   [](int x, int y) -> RGBA
                   {
                       if (y < choicekit::kBarSize / 4) return choicekit::kBand;
                       return x < choicekit::kBarSize / 2 ? choicekit::kBarLeft : choicekit::kBarRight;
                   });
        AddTexture(u"option\\EZFlag.TEX", 8, 8, [](int, int) { return choicekit::kFlag; });
        AddTexture(u"option\\ReadFlag.TEX", 8, 8, [](int, int) { return choicekit::kMark; });
    }

    // Runs the body as "T" up to its first pause.
    void Run(const std::u16string &body)
    {
        with_fonts = true;
        AddMenuPictures();
        AddScript(u"T", u"func main()\n{\n" + body + u"\n}\n");
        Start(u"T");
        Step();
    }

    avg::SelectUnit &Select() { return *static_cast<avg::SelectUnit *>(unit->GetChoiceStage()); }
    int Value(const char16_t *name) { return unit->GetValues().RGET(name); }

    float H() const { return float(avg::TextFont->CharHeight); }
    float G() const { return float(avg::TextFont->LineGap); }

    // A canvas point inside button i.
    void ButtonCentre(int i, int &x, int &y)
    {
        const hgl::RectScope2<float> menu = Select().GetMenuRect();
        KQ7Button *b = Select().GetButton(i);
        x = int(menu.Left + b->Left.Get() + b->Width.Get() / 2);
        y = int(menu.Top + b->Top.Get() + b->Height.Get() / 2);
    }
};
