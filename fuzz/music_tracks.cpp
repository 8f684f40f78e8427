// Bytes as the music room's "SetMusic" calls (names, titles and pictures of any
// length, minutes and seconds of any value), with clicks, keys, frames and a
// music clock reading anything at all: the tracks keep finite rectangles, the
// track that plays is one of them, and nothing else goes wrong.
#include "ScreenFuzz.h"

#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/screens/extras/NewMusicUnit.h"
#include "game/screens/widgets/MusicButton.h"

namespace
{
enum Operation
{
    kAdd,
    kFrames,
    kKey,
    kClick,
    kClock,
    kHeard,
    kOperations
};

// The music's play time as the fuzz bytes say; the music itself is silent.
double music_seconds = 0;

void Check(const NewMusicUnit &room)
{
    if (room.GetCount() < 0 || room.GetCount() > NewMusicUnit::kMaxTracks) __builtin_trap();
    for (int i = 0; i < room.GetCount(); ++i)
    {
        const hgl::gui::MusicButton *t = room.GetTrack(i);
        if (!t || !screenfuzz::Finite(t->Left, t->Top, t->Width, t->Height)) __builtin_trap();
    }
    if (room.IsPlaying() && (room.GetPlayingIndex() < 0 || room.GetPlayingIndex() >= room.GetCount()))
        __builtin_trap();
    if (!std::isfinite(NewMusicUnit::GetDiscAngle())) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    screenfuzz::Prepare();
    avg::AudioHooks hooks;
    hooks.music = [](const hgl::String &, bool) {};
    hooks.stop_music = [] {};
    hooks.music_time = [] { return music_seconds; };
    avg::SetAudioHooks(hooks);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    screenfuzz::Reader in(data, size);
    avg::GetGameRecord().Clear();
    music_seconds = 0;
    NewMusicUnit room;
    while (in.More())
    {
        switch (in.Byte() % kOperations)
        {
        case kAdd:
        {
            const std::u16string name = in.Name(), title = in.Name(), picture = in.Name();
            const int minutes = in.Int(), seconds = in.Int();
            room.SetMusic(name.c_str(), minutes, seconds, title.c_str(),
                          in.Byte() & 1 ? u"t.HGP" : picture.c_str());
            break;
        }
        case kFrames:
            for (int i = in.Byte() % 64; i >= 0; --i)
                room.DrawObject();
            break;
        case kKey:
            room.Proc_KeyDown(in.Byte() % 90);
            break;
        case kClick:
            if (room.GetCount() > 0)
            {
                hgl::gui::MusicButton *t = room.GetTrack(in.Byte() % room.GetCount());
                if (t->OnClick) t->OnClick(t);
            }
            break;
        case kClock:
            music_seconds = in.Double();
            break;
        case kHeard:
            avg::MarkBGMHeard(hgl::String(in.Name()));
            break;
        }
        Check(room);
    }
    room.DrawObject();
    Check(room);
    return 0;
}
