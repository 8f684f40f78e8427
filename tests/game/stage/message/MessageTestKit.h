#pragma once
// The stage harness with the shared fonts and the message-box textures made, on a
// story script of the test's own ("T" unless said), and a few ways of looking at
// the message window.
#include "game/stagekit/StageHarness.h"

#include "game/core/Config.h"
#include "game/core/GameState.h"
#include "game/stage/char/CharManage.h"
#include "game/stage/message/GameDialogBox.h"
#include "graphics/font/TileFont.h"
#include "io/MemStream.h"
#include "io/TDF.h"

#include <string>
#include <vector>

namespace msgkit
{
using avg::stage_draw::Call;
using avg::stage_draw::CallKind;

inline std::u16string Repeat(const std::u16string &unit, int times)
{
    std::u16string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

// A script whose main is the body.
inline std::u16string Main(const std::u16string &body)
{
    return u"func main()\n{\n" + body + u"\n}\n";
}

// The bytes a node saves to.
inline std::string Bytes(hgl::TDFNode &node)
{
    hgl::MemStream s;
    if (!node.Save(&s)) return "<unsaved>";
    return std::string(reinterpret_cast<const char *>(s.GetData()), size_t(s.GetSize()));
}
} // namespace msgkit

class MessageTest : public StageTest
{
  protected:
    MessageTest() { with_fonts = true; }

    avg::GameDialogBox &Box() { return *dynamic_cast<avg::GameDialogBox *>(unit->GetMessageStage()); }
    avg::CharManage &Chars() { return *dynamic_cast<avg::CharManage *>(unit->GetCharStage()); }
    int State() const { return unit->GetState(); }

    // The screen on script "T" with main's body; the first frame runs it.
    void Run(const std::u16string &body, bool first_frame = true)
    {
        AddScript(u"T", msgkit::Main(body));
        Start(u"T");
        if (first_frame) Step();
    }

    // Frames until the condition holds (checked before each); false after max.
    template <typename Condition> bool StepUntil(Condition done, int max = 1000)
    {
        for (int i = 0; i < max; ++i)
        {
            if (done()) return true;
            Step();
        }
        return done();
    }
    // Lets the box fade in and the text be revealed.
    bool Reveal()
    {
        return StepUntil([this] { return Box().IsTextComplete() && Box().IsTextDone(); });
    }

    // Frames from the first one that reveals a character to the one that completes the text.
    int RevealFrames()
    {
        if (!StepUntil([this] { return Box().GetShownCount() > 0; })) return -1;
        int frames = 1;
        while (!Box().IsTextComplete() && frames < 10000)
        {
            Step();
            ++frames;
        }
        return frames;
    }

    // A click in the middle of the canvas, then the frame that acts on it.
    void Click()
    {
        LeftClick(Width() / 2, Height() / 3);
        Step();
    }

    std::vector<msgkit::Call> Glyphs() const { return recorder.Of(msgkit::CallKind::Glyph); }
    std::vector<msgkit::Call> TexQuads() const { return recorder.Of(msgkit::CallKind::TexQuad); }
    // The glyph calls of one character.
    std::vector<msgkit::Call> GlyphsOf(char16_t ch) const
    {
        std::vector<msgkit::Call> out;
        for (const auto &c : Glyphs())
            if (c.from == float(ch)) out.push_back(c);
        return out;
    }

    std::string WindowNodes()
    {
        hgl::TDFNode root;
        Box().SaveState(&root);
        return msgkit::Bytes(root);
    }
};
