// Bytes as the game's own state files: the settings ("Config.TDF"), the
// game-wide record ("Game.TDF") and the head of a save slot. Whatever the bytes,
// loading must end with every setting inside its range and the record usable.
#include "FuzzKit.h"

#include "game/core/Config.h"
#include "game/core/GameRecord.h"
#include "game/core/SaveFolder.h"
#include "game/core/SaveHeader.h"
#include "io/Core.h"
#include "io/Time.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
std::string root_folder;
std::string save_folder;

void WriteFile(const char *name, const uint8_t *data, size_t size)
{
    std::ofstream out(save_folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), std::streamsize(size));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_game");
    save_folder = root_folder + "/Save";
    std::filesystem::create_directory(save_folder);
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    WriteFile("Config.TDF", data, size);
    WriteFile("Game.TDF", data, size);
    WriteFile("slot.save", data, size);

    avg::config::LoadConfig();
    const avg::config::GraphicsConfig &g = avg::config::graphics_config;
    const avg::config::AudioConfig &a = avg::config::audio_config;
    if (g.ScreenWidth < 1 || g.ScreenHeight < 1 || !(g.Alpha >= 0 && g.Alpha <= 1) || a.BGM < 0 ||
        a.BGM > avg::config::kMaxVolume || a.Voice < 0 || a.SE < 0)
        __builtin_trap();

    avg::LoadGameRecord();
    avg::MarkEvent(u"c001");
    if (!avg::IsEventSeen(u"C001")) __builtin_trap();
    avg::GetGameRecord().Clear();

    hgl::String script;
    hgl::Date date;
    hgl::Time time;
    hgl::int64 played = 0;
    avg::ReadSaveHeader(u"slot", script, date, time, played);
    return 0;
}
