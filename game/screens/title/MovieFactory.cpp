#include "game/screens/title/MovieFactory.h"

#include "game/core/Archives.h"
#include "movie/TheoraMovie.h"

namespace avg
{
namespace
{
MovieMaker maker;
} // namespace

hgl::FlowObject *MakeMovie(const MovieRequest &request)
{
    hgl::FlowObject *movie = maker ? maker(request) : nullptr;
    if (movie) return movie;
    return new hgl::TheoraMovie(GetDataHAC(), request.movie.c_str(), request.sound.c_str(),
                                request.end_on_key, request.end_on_mouse);
}

void SetMovieMaker(MovieMaker m)
{
    maker = std::move(m);
}
} // namespace avg
