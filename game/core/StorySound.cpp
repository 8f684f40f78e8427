#include "game/core/StorySound.h"

namespace avg
{
namespace
{
StorySound silent;
StorySound *current = &silent;
} // namespace

void SetStorySound(StorySound *sound)
{
    current = sound ? sound : &silent;
}

StorySound &GetStorySound()
{
    return *current;
}
} // namespace avg
