// Bytes as a save slot loaded into an in-game screen: the core's record, the
// engine's run state and the stage managers' nodes. Whatever the bytes, the load
// ends (true or false) without a crash, and a failed load sends the screen back
// to the title.
#include "FuzzKit.h"

#include "game/core/Archives.h"
#include "game/core/GameUnit.h"
#include "game/core/GameWiring.h"
#include "io/Core.h"
#include "support/stage/MinimalStage.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
std::string root_folder;

void WriteFile(const std::string &name, const void *data, size_t size)
{
    std::ofstream out(root_folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char *>(data), std::streamsize(size));
}

// The story script the seeds were saved in, as UTF-16LE with its byte-order mark.
void WriteScript()
{
    const std::u16string text =
        u"\xFEFF"
        u"func main()\n{\n    MES(\"one\");\n    SELECT(\"S1\", 2);\n    SELDT(\"a\");\n"
        u"    SELDT(\"b\");\n    MES(\"two\");\n}\n";
    std::filesystem::create_directories(root_folder + "/Local.hac/Script");
    std::filesystem::create_directories(root_folder + "/Data.hac");
    WriteFile("Local.hac/Script/MAIN00.CPP", text.data(), text.size() * sizeof(char16_t));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_save");
    std::filesystem::create_directory(root_folder + "/Save");
    WriteScript();
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());
    if (!avg::OpenArchives()) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The saves are read by the minimal stage's managers.
    static const avg::GameWiring wiring = []
    {
        avg::GameWiring w;
        w.stage = avg::MinimalStageFactory();
        return w;
    }();
    WriteFile("Save/slot.save", data, size);
    avg::GameUnit unit(wiring);
    unit.SaveAtChoice = false;
    if (!unit.LoadGame(u"slot"))
    {
        unit.Update();
        if (unit.ObjectState.Get() == hgl::FlowObject::fosOK) __builtin_trap();
        return 0;
    }
    // A loaded game runs on: a click and a few frames must not fail either.
    for (int i = 0; i < 3; ++i)
    {
        unit.Proc_MouseLeftDown(0, 0, 0);
        unit.Update();
    }
    return 0;
}
