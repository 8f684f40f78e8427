// The game's executable. The title screen is not built yet: until it is, the game
// opens on the title's background picture, and any key or click ends the program.
#include "framework/FlowObject.h"
#include "game/core/GameMain.h"
#include "game/core/GameResources.h"
#include "game/stage/char/CharSetup.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"

#include <memory>

namespace
{
class TitlePicture : public hgl::FlowObject
{
    std::unique_ptr<hgl::HGP> picture{avg::LoadHGP(u"StartMenu\\BackGround.HGP")};

  public:
    void Draw() override
    {
        if (picture->IsEmpty()) return;
        picture->Draw(0, 0, double(hgl::GetCanvasWidth()) / picture->Width,
                      double(hgl::GetCanvasHeight()) / picture->Height);
    }

    bool Proc_KeyDown(int) override
    {
        SetObjectState(fosExit);
        return true;
    }

    bool Proc_MouseLeftDown(int, int, int) override { return Proc_KeyDown(0); }
};
} // namespace

int main(int argc, char **argv)
{
    avg::InstallCharStage();
    return avg::GameMain(argc, argv, [] { return new TitlePicture; });
}
