#pragma once
// The sound the story's script functions start and stop: music, the two script
// sound-effect channels and the voice. The game's audio installs itself here at
// start-up; until then (and in tests that do not hear) the story plays silently.
#include "core/String.h"

namespace avg
{
class StorySound
{
  public:
    virtual ~StorySound() = default;
    virtual void PlayBGM(const hgl::String &, bool /*loop*/) {}
    virtual void StopBGM() {}
    virtual void PlaySE(int /*channel*/, const hgl::String &, bool /*loop*/) {}
    virtual void StopSE(int /*channel*/) {}
    virtual void PlayVoice(const hgl::String &) {}
    virtual void StopVoice() {}
};

// Null puts the silent one back; the caller keeps ownership.
void SetStorySound(StorySound *sound);
StorySound &GetStorySound();
} // namespace avg
