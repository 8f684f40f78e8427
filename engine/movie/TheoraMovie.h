#pragma once
// A movie screen: plays an Ogg Theora file from an archive into a texture scaled to
// the canvas, with its sound (an Ogg Vorbis file) when there is one. The frame shown
// is the one due at the movie clock: the sound's play time while the sound plays,
// else the engine time since the first drawn frame (a sound that ends before the
// pictures hands the clock on to the engine time from where it stopped). When the movie is over (every
// frame shown for its time and the sound done), or ended by the player where the
// end switches allow, the screen returns (fosReturn). A movie that cannot be
// opened logs "打开影片失败" and returns at once, so that nothing waits on it.
#include "framework/FlowObject.h"
#include "graphics/texture/ImageBlock.h"
#include "movie/MovieDecoder.h"

#include <memory>

namespace hgl
{
class AudioPlayer;
class HAC;
class Texture2D;

class TheoraMovie : public FlowObject
{
    MovieDecoder decoder;
    std::unique_ptr<AudioPlayer> sound;
    std::unique_ptr<Texture2D> texture;
    ImageBlock picture; // the frame on screen
    bool end_on_key;
    bool end_on_mouse;
    bool started = false;     // the first frame was drawn
    bool sound_leads = false; // the sound plays and gives the clock
    double clock_base = 0;    // the movie clock at engine_base
    double engine_base = 0;   // engine time when the engine clock took over
    double last_time = -1;    // the time of the frame on screen

    void Open(HAC *archive, const u16char *movie_file, const u16char *sound_file);
    double Clock();
    bool IsOver();
    void End();

  public:
    // Plays base_name + ".ogv", with base_name + ".ogg" as its sound when that file exists.
    TheoraMovie(HAC *archive, const u16char *base_name, bool end_on_key, bool end_on_mouse);
    // The same with both files named (a null or missing sound file: no sound).
    TheoraMovie(HAC *archive, const u16char *movie_file, const u16char *sound_file, bool end_on_key,
                bool end_on_mouse);
    ~TheoraMovie() override;

    void Update() override;
    void Draw() override;

    // With end on key, any key ends the movie.
    bool Proc_KeyDown(int key) override;
    // With end on mouse, a left or right press ends it.
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseRightDown(int x, int y, int flags) override;
};
} // namespace hgl
