#include "game/screens/title/MovieFactory.h"

#include "game/core/Archives.h"
#include "movie/TheoraMovie.h"

namespace avg
{
hgl::FlowObject *MakeMovie(const GameWiring &wiring, const MovieRequest &request)
{
    hgl::FlowObject *movie = wiring.movie ? wiring.movie(request) : nullptr;
    if (movie) return movie;
    return new hgl::TheoraMovie(GetDataHAC(), request.movie.c_str(), request.sound.c_str(),
                                request.end_on_key, request.end_on_mouse);
}
} // namespace avg
