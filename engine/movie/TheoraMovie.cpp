#include "movie/TheoraMovie.h"

#include "core/Log.h"
#include "graphics/ColorType.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"
#include "io/HAC.h"
#include "io/Time.h"
#include "sonvex/AudioPlayer.h"

namespace hgl
{
TheoraMovie::TheoraMovie(HAC *archive, const u16char *base_name, bool key, bool mouse)
    : end_on_key(key), end_on_mouse(mouse)
{
    const String base = base_name ? String(base_name) : String();
    const String movie = base + u".ogv", audio = base + u".ogg";
    Open(archive, movie.c_str(), archive && archive->FileExist(audio.c_str()) ? audio.c_str() : nullptr);
}

TheoraMovie::TheoraMovie(HAC *archive, const u16char *movie_file, const u16char *sound_file, bool key,
                         bool mouse)
    : end_on_key(key), end_on_mouse(mouse)
{
    Open(archive, movie_file, sound_file && archive && archive->FileExist(sound_file) ? sound_file : nullptr);
}

TheoraMovie::~TheoraMovie() = default;

void TheoraMovie::Open(HAC *archive, const u16char *movie_file, const u16char *sound_file)
{
    if (!decoder.Open(archive, movie_file) || !decoder.Begin())
    {
        PutError(u"打开影片失败");
        SetObjectState(fosReturn);
        return;
    }

    picture.width = decoder.GetWidth();
    picture.height = decoder.GetHeight();
    picture.color_type = ctRGBA;

    if (sound_file)
    {
        sound = std::make_unique<AudioPlayer>(archive, sound_file);
        if (!sound->IsLoaded()) sound.reset(); // logged by the player; the movie plays silent
    }
}

// The sound leads while it plays; without it (or after it) the engine clock does.
double TheoraMovie::Clock()
{
    if (sound_leads)
    {
        const double at = sound->GetPlayTime();
        if (sound->IsPlaying()) return at;
        sound_leads = false;
        clock_base = at;
        engine_base = GetDoubleTime();
    }
    return clock_base + GetDoubleTime() - engine_base;
}

bool TheoraMovie::IsOver()
{
    constexpr double Slack = 1e-6; // clock and frame times are sums of fractions
    const double clock = started ? Clock() : 0;
    return started && !sound_leads && decoder.IsOver() && clock + Slack >= last_time + 1.0 / decoder.GetFps();
}

void TheoraMovie::End()
{
    if (object_state == fosReturn) return;
    if (sound) sound->Stop();
    decoder.Stop();
    SetObjectState(fosReturn);
}

void TheoraMovie::Update()
{
    if (object_state == fosOK && IsOver()) End();
}

void TheoraMovie::Draw()
{
    if (object_state != fosOK) return;
    if (!started)
    {
        started = true;
        engine_base = GetDoubleTime();
        sound_leads = sound && sound->Play();
    }

    // A repeated frame keeps the picture as it is: only a new frame is uploaded.
    if (decoder.TakeFrameAt(Clock(), picture.pixels, &last_time))
    {
        if (!texture) texture = std::make_unique<Texture2D>();
        texture->Load(picture, 0, false);
    }
    if (texture && !texture->IsEmpty())
        texture->Draw(0, 0, float(GetCanvasWidth()) / picture.width,
                      float(GetCanvasHeight()) / picture.height);
}

bool TheoraMovie::Proc_KeyDown(int key)
{
    if (!end_on_key) return FlowObject::Proc_KeyDown(key);
    End();
    return true;
}

bool TheoraMovie::Proc_MouseLeftDown(int x, int y, int flags)
{
    if (!end_on_mouse) return FlowObject::Proc_MouseLeftDown(x, y, flags);
    End();
    return true;
}

bool TheoraMovie::Proc_MouseRightDown(int x, int y, int flags)
{
    if (!end_on_mouse) return FlowObject::Proc_MouseRightDown(x, y, flags);
    End();
    return true;
}
} // namespace hgl
