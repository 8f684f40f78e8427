// Bytes as the movie gallery's "SetMovie" calls (picture, movie and unlock names
// of any length, positions and sizes of any value) with frames, keys and clicks
// in between: every entry keeps a finite rectangle, and the movies asked for
// are named after the entries.
#include "ScreenFuzz.h"

#include "game/core/GameRecord.h"
#include "game/core/GameWiring.h"
#include "game/screens/title/SceneUnit.h"
#include "game/screens/widgets/TZHGPButton.h"

namespace
{
enum Operation
{
    kAdd,
    kFrames,
    kKey,
    kPlay,
    kFlag,
    kOperations
};

int movies = 0;
avg::GameWiring wiring;

void Check(const SceneUnit &gallery)
{
    if (gallery.GetCount() < 0 || gallery.GetCount() > SceneUnit::kMaxEntries) __builtin_trap();
    for (int i = 0; i < gallery.GetCount(); ++i)
    {
        const hgl::gui::TZHGPButton *e = gallery.GetEntry(i);
        if (!e || !screenfuzz::Finite(e->Left, e->Top, e->Width, e->Height)) __builtin_trap();
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    screenfuzz::Prepare();
    // The movies are counted, not played: each ends at once.
    wiring.movie = [](const avg::MovieRequest &r)
    {
        if (r.movie.IsEmpty() || r.sound.IsEmpty()) __builtin_trap();
        ++movies;
        auto *movie = new hgl::FlowObject;
        movie->SetObjectState(hgl::FlowObject::fosReturn);
        return movie;
    };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    screenfuzz::Reader in(data, size);
    avg::GetGameRecord().Clear();
    SceneUnit gallery(wiring);
    while (in.More())
    {
        switch (in.Byte() % kOperations)
        {
        case kAdd:
        {
            const std::u16string picture = in.Name(), movie = in.Name(), unlock = in.Name();
            const float x = in.Float(), y = in.Float(), w = in.Float(), h = in.Float();
            gallery.SetMovie(in.Byte() & 1 ? u"Video\\e.HGP" : picture.c_str(), movie.c_str(), unlock.c_str(),
                             x, y, w, h);
            break;
        }
        case kFrames:
            for (int i = in.Byte() % 64; i >= 0; --i)
                gallery.DrawObject();
            break;
        case kKey:
            gallery.Proc_KeyDown(in.Byte() % 90);
            break;
        case kPlay:
            if (gallery.GetCount() > 0) gallery.PlayMovie(gallery.GetEntry(in.Byte() % gallery.GetCount()));
            delete gallery.TakeNextObject();
            gallery.SetObjectState(hgl::FlowObject::fosOK);
            break;
        case kFlag:
            avg::SetSystemFlag(hgl::String(in.Name()), in.Int());
            break;
        }
        Check(gallery);
    }
    gallery.DrawObject();
    Check(gallery);
    return 0;
}
