#pragma once
// The music room. Entering it stops the music; the tracks of "Script\Music.CPP"
// are laid out in up to three centred rows. A track the player has heard in the
// story shows its own picture and plays (once, not looped) when clicked; the
// others show a locked picture and do nothing. While a track plays, a band at the
// top shows its title, the time played and its declared length, a turning disc
// and a progress bar; at the declared length the next heard track follows.
// Escape stops a playing track, or else leaves; leaving plays the title music.
#include "core/String.h"
#include "core/Types.h"
#include "framework/FlowObject.h"

#include <memory>
#include <vector>

namespace hgl
{
class EventObject;
class HGP;
class Texture2D;
namespace gui
{
class Button;
class MusicButton;
} // namespace gui
} // namespace hgl

class NewMusicUnit : public hgl::FlowObject
{
  public:
    static constexpr int kMaxTracks = 28;
    // Frames between reaching the declared length and the next track.
    static constexpr int kNextDelay = 10;
    static constexpr float kFadeStep = 0.02f;
    static constexpr float kDiscStep = 0.1f; // radians a frame, turning backwards

  private:
    struct Track
    {
        hgl::gui::MusicButton *button; // held by the object control
        int length;                    // declared seconds
        bool heard;
    };

    hgl::HGP *background; // "DreamMusic\DreamMusic.HGP", held by the object control
    std::unique_ptr<hgl::Texture2D> band, rate_bar, disc, marker;
    float fade = 0;
    std::vector<Track> tracks; // script order
    float next_left = 0, next_top = 0;
    bool playing = false;
    hgl::String title; // of the track that plays
    int total = 0;     // its declared seconds
    float focus_left = 0, focus_top = 0, focus_width = 0, focus_height = 0;
    int focus_index = -1;
    int playing_index = 0;
    int countdown = 0;
    bool leaving = false;
    bool busy = true;

    // One angle for every music room of the run: the disc goes on where it stopped.
    static float disc_angle;

    void OnTrackClick(hgl::gui::Button *button);
    void OnTrackFocus(hgl::EventObject *object, bool focus);
    bool OnKey(int key);
    bool OnRightDown(int x, int y, int flags);
    void Play(int index);
    void SetClicks(bool on);
    void DrawBand();
    void DrawPlaying();

  public:
    NewMusicUnit();
    // Stops the music and plays the title music again, looped.
    ~NewMusicUnit() override;

    // The script's "void SetMusic(string,int,int,string,string)": the music's name,
    // its declared length in minutes and seconds, the title shown while it plays,
    // and its picture under "DreamMusic\".
    void SetMusic(const hgl::u16char *name, int minutes, int seconds, const hgl::u16char *track_title,
                  const hgl::u16char *picture);

    void Draw() override;

    int GetCount() const { return int(tracks.size()); }
    hgl::gui::MusicButton *GetTrack(int index) const;
    int GetLength(int index) const;
    bool IsHeard(int index) const;
    bool IsPlaying() const { return playing; }
    int GetPlayingIndex() const { return playing_index; }
    const hgl::String &GetTitle() const { return title; }
    int GetTotal() const { return total; }
    int GetFocusIndex() const { return focus_index; }
    bool IsBusy() const { return busy; }
    float GetFade() const { return fade; }

    // "mm:ss / mm:ss" of the time played and the declared length, as the band shows it.
    static int FormatTime(hgl::u16char *buffer, int size, int elapsed, int total);
    static float GetDiscAngle() { return disc_angle; }
};
