#pragma once
// Where the screens get their movie screens from: the real movie player on
// "Data.hac", unless a maker of another kind was installed (tests put one there
// that plays nothing and ends when they say).
#include "core/String.h"

#include <functional>

namespace hgl
{
class FlowObject;
}

namespace avg
{
struct MovieRequest
{
    hgl::String movie; // the ".ogv" file in "Data.hac"
    hgl::String sound; // its ".ogg" sound; a missing file plays silent
    bool end_on_key = false;
    bool end_on_mouse = false; // a left or right press
};

using MovieMaker = std::function<hgl::FlowObject *(const MovieRequest &)>;

// A new movie screen for the request, owned by the caller; never null. The movie
// returns (fosReturn) when it is over, was ended, or cannot be opened.
hgl::FlowObject *MakeMovie(const MovieRequest &request);
// An empty maker puts the real player back.
void SetMovieMaker(MovieMaker maker);
} // namespace avg
