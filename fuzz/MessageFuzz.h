#pragma once
// What the message window's fuzz targets share: a start folder in /tmp with empty
// folder-mapped archives and a "Save" folder, a headless canvas of 1024 x 768, the
// shared fonts on it, and a window on an engine of its own with its script's
// history loaded (collecting over).
#include "FuzzKit.h"

#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "game/core/GameState.h"
#include "game/stage/message/GameDialogBox.h"
#include "graphics/gl/Canvas.h"
#include "io/Core.h"
#include "script/DevilEngine.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace msgfuzz
{
inline std::string root_folder;

// Aborts when the folder, the canvas or the fonts cannot be made.
inline void Prepare()
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_message");
    for (const char *folder : {"/Data.hac", "/Local.hac", "/Save"})
        std::filesystem::create_directory(root_folder + folder);
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());

    fuzzkit::OpenCanvas(1024, 768);
    if (!avg::OpenArchives() || !avg::LoadSharedResources()) std::abort();
}

// A window out of collecting, on its own engine and state.
struct Window
{
    hgl::DevilEngine engine;
    avg::GameStateControl state;
    std::unique_ptr<avg::GameDialogBox> box;

    Window() : box(std::make_unique<avg::GameDialogBox>(&state, &engine, nullptr, nullptr))
    {
        box->LoadHistory(u"fuzz");
    }
    ~Window() { box.reset(); } // before the engine it points at

    // Frames of the window's drawing: the reveal runs in them.
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
            box->DrawObject();
    }
};
} // namespace msgfuzz
