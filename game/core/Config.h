#pragma once
// The game's settings: the process-wide records read from "\Save\Config.TDF" at
// start-up (a missing key keeps its start value) and written back by SaveConfig.
// The screens read and change the records directly.
#include "core/String.h"
#include "core/Types.h"

namespace avg::config
{
// Section "Graphics".
struct GraphicsConfig
{
    hgl::uint8 Speed = 1;              // "speed": 1 = skipping stops at the first unread message
    hgl::uint8 AutoSave = 1;           // "AutoSave": save slot "0" after the story moves to another script
    int TextSpeed = 40;                // "Text Speed"
    int EndWaitTime = 1000;            // "End Wait Time": ms after a complete message in auto mode
    float Alpha = 1.0f;                // "Alpha": the message window's alpha
    hgl::uint8 AutoContinue = 0;       // "Auto Continue"
    hgl::uint8 Not43ProcMode = 0;      // "Not 4:3 ProcMode"
    int ScreenWidth = 1024;            // "Screen Width"
    int ScreenHeight = 768;            // "Screen Height"
    int MovieQuantity = 1;             // "movie_quantity": the folder number of the movie files
    hgl::String MsgChsFont{u"黑体"};   // "Msg Chs Font"
    hgl::String MsgEngFont{u"Tahoma"}; // "Msg Eng Font"
};

// Section "Audio": volumes, gain = value x 0.001.
struct AudioConfig
{
    int BGM = 20;
    int SE = 20;
    int Voice = 1000;

    bool VoiceOn() const { return Voice > 0; }
};

extern GraphicsConfig graphics_config;
extern AudioConfig audio_config;

// The highest volume setting (gain 1).
constexpr int kMaxVolume = 1000;
// A volume setting as an OpenAL gain.
float VolumeGain(int value);

// Both records back to their start values.
void ResetConfig();

// Reads the settings; start values for what the file lacks. A missing file is
// no error (true, all start values); a damaged one is logged and leaves every
// start value (false). A value of the wrong size or outside its range keeps its
// start value and is logged.
bool LoadConfig(const hgl::String &filename);
// Writes the settings to a temporary file and renames it over the old one.
bool SaveConfig(const hgl::String &filename);

// The same on "Config.TDF" in the save folder.
bool LoadConfig();
bool SaveConfig();
} // namespace avg::config
