// The save and load screens over a save folder made from the bytes: raw save and
// picture files, and saves built with scripts of any length, dates and play times
// out of range and nodes missing. Whatever the folder holds, the screens open,
// turn through every page and show every slot's details without a crash; a slot
// shows as filled exactly when its head can be read; a confirmed load either
// hands over or brings the screen back; Esc always ends in a return.
#include "FuzzKit.h"

#include "framework/FlowObject.h"
#include "game/core/Archives.h"
#include "game/core/GameWiring.h"
#include "game/core/DataTables.h"
#include "game/core/GameResources.h"
#include "game/core/SaveFolder.h"
#include "game/core/SaveHeader.h"
#include "game/screens/record/LoadRecordUnit.h"
#include "game/screens/record/RecordButton.h"
#include "game/screens/record/SaveRecordUnit.h"
#include "game/screens/widgets/BitmapButton.h"
#include "graphics/gl/Canvas.h"
#include "io/Core.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "platform/window/KeyCode.h"
#include "support/stage/MinimalStage.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace
{
std::string root_folder, save_folder;
constexpr int kMaxFiles = 16;
constexpr int kTurnFrames = 20, kFadeFrames = 60;

void WriteFile(const std::string &path, const void *data, size_t size)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char *>(data), std::streamsize(size));
}

// Reads the input front to back; past its end every read gives zeros.
class Bytes
{
    const uint8_t *data;
    size_t size, at = 0;

  public:
    Bytes(const uint8_t *d, size_t s) : data(d), size(s) {}
    bool Done() const { return at >= size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    template <typename T> T Value()
    {
        T v{};
        uint8_t raw[sizeof(T)] = {};
        for (uint8_t &b : raw)
            b = Byte();
        std::memcpy(&v, raw, sizeof(T));
        return v;
    }
    // Up to n bytes, fewer at the end of the input.
    std::string Take(size_t n)
    {
        n = std::min(n, size - std::min(at, size));
        std::string s(reinterpret_cast<const char *>(data + at), n);
        at += n;
        return s;
    }
};

// A save built from the bytes: the script of any length (or none), the time of
// saving with raw fields (or none), the play time (or none, or of a wrong size).
void WriteBuiltSave(Bytes &in, const std::string &file)
{
    const uint8_t flags = in.Byte();
    hgl::TDFNode root;
    root.SetName(flags & 0x40 ? u"Other" : avg::save_key::Root);
    if (flags & 1)
    {
        const uint16_t length = in.Value<uint16_t>() % 600;
        std::u16string name;
        for (uint16_t i = 0; i < length && !in.Done(); ++i)
            name += char16_t(in.Value<uint16_t>());
        root.SetString(avg::save_key::Script, hgl::String(name));
    }
    if (flags & 2)
    {
        hgl::TDFNode *when = root.AddChild(avg::save_key::SaveTime);
        int32_t date[4], time[4];
        for (int32_t &v : date)
            v = in.Value<int32_t>();
        for (int32_t &v : time)
            v = in.Value<int32_t>();
        if (flags & 4) when->SetData(avg::save_key::Date, date, sizeof(date));
        if (flags & 8) when->SetData(avg::save_key::Time, time, sizeof(time));
    }
    if (flags & 16)
    {
        const int64_t played = in.Value<int64_t>();
        root.SetData(avg::save_key::PlayTime, &played, flags & 32 ? 5 : int(sizeof(played)));
    }
    hgl::MemStream out;
    if (root.Save(&out)) WriteFile(file, out.GetData(), size_t(out.GetSize()));
}

void MakeFolder(Bytes &in)
{
    std::error_code ec;
    std::filesystem::remove_all(save_folder, ec);
    std::filesystem::create_directory(save_folder);
    for (int n = 0; n < kMaxFiles && !in.Done(); ++n)
    {
        const int slot = in.Byte() % avg::kSaveSlotCount;
        const std::string base = save_folder + "/" + std::to_string(slot);
        switch (in.Byte() % 3)
        {
        case 0:
        {
            const std::string bytes = in.Take(in.Value<uint16_t>());
            WriteFile(base + ".save", bytes.data(), bytes.size());
            break;
        }
        case 1:
        {
            const std::string bytes = in.Take(in.Value<uint16_t>());
            WriteFile(base + ".hgp", bytes.data(), bytes.size());
            break;
        }
        default:
            WriteBuiltSave(in, base + ".save");
            break;
        }
    }
}

void Frame(hgl::FlowObject &screen)
{
    screen.UpdateObject();
    screen.DrawObject();
}

// Every strip of every page, each focused for a frame; the strips that look
// filled are exactly the slots whose head reads.
void Browse(avg::RecordUnit1 &screen)
{
    for (int page = 0; page < avg::kSaveSlotCount / avg::RecordUnit1::kPageSlots; ++page)
    {
        if (page > 0) screen.TurnPage(screen.GetNextPageButton());
        for (int i = 0; i < kTurnFrames; ++i)
            Frame(screen);
        for (int p = 0; p < avg::RecordUnit1::kPageSlots; ++p)
        {
            avg::RecordButton *b = screen.GetRecordButton(p);
            hgl::String script;
            hgl::Date date;
            hgl::Time time;
            hgl::int64 played;
            if (b->IsFilled() != avg::ReadSaveHeader(b->GetSlotName(), script, date, time, played))
                __builtin_trap();
            screen.Control->SetFocusObject(b);
            Frame(screen);
        }
    }
}

// Esc fades out and returns.
void Close(avg::RecordUnit1 &screen)
{
    screen.Proc_KeyDown(hgl::key::Esc);
    for (int i = 0; i < kFadeFrames && screen.ObjectState == hgl::FlowObject::fosOK; ++i)
        Frame(screen);
    if (screen.ObjectState != hgl::FlowObject::fosReturn) __builtin_trap();
}

// A confirmed load of the first filled slot: the new game takes over, or the
// screen comes back from black.
void ConfirmLoad(avg::LoadRecordUnit &screen)
{
    while (screen.GetPageEnd() > avg::RecordUnit1::kPageSlots)
        screen.TurnPage(screen.GetPreviousPageButton());
    avg::RecordButton *chosen = nullptr;
    for (int page = 0; !chosen; ++page)
    {
        for (int p = 0; p < avg::RecordUnit1::kPageSlots && !chosen; ++p)
            if (screen.GetRecordButton(p)->IsFilled()) chosen = screen.GetRecordButton(p);
        if (chosen || screen.GetPageEnd() >= avg::kSaveSlotCount) break;
        screen.TurnPage(screen.GetNextPageButton());
    }
    if (!chosen) return;
    screen.RecordClicked(chosen);
    // The question is answered at once, as the flow control would show it and return.
    delete screen.TakeNextObject();
    screen.SetObjectState(hgl::FlowObject::fosOK);
    screen.OnLoadConfirmed(1);
    for (int i = 0; i < 2 * kFadeFrames && screen.ObjectState == hgl::FlowObject::fosOK; ++i)
    {
        Frame(screen);
        if (!screen.IsClosing() && screen.GetFade() > avg::RecordUnit1::kBlackBelow) return;
    }
    if (screen.ObjectState != hgl::FlowObject::fosClear) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_records");
    save_folder = root_folder + "/Save";
    // A story script for the saves that name "T", and an empty chapter list.
    const std::u16string script = u"\xFEFF"
                                  u"func main()\n{\n}\n";
    WriteFile(root_folder + "/Local.hac/Script/T.CPP", script.data(), script.size() * 2);
    WriteFile(root_folder + "/Local.hac/Script/Chapter.CPP", script.data(), script.size() * 2);
    std::filesystem::create_directories(root_folder + "/Data.hac");
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());

    fuzzkit::OpenCanvas(256, 192);
    if (!avg::OpenArchives() || !avg::InitGameResources()) std::abort();
    avg::LoadDataTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A loaded game stands on the minimal stage.
    static const avg::GameWiring wiring = []
    {
        avg::GameWiring w;
        w.stage = avg::MinimalStageFactory();
        return w;
    }();
    Bytes in(data, size);
    MakeFolder(in);
    {
        auto screen = std::make_unique<avg::SaveRecordUnit>(nullptr);
        Browse(*screen);
        Close(*screen);
    }
    {
        auto screen = std::make_unique<avg::LoadRecordUnit>(wiring);
        Browse(*screen);
        ConfirmLoad(*screen);
    }
    {
        auto screen = std::make_unique<avg::LoadRecordUnit>(wiring);
        Close(*screen);
    }
    return 0;
}
