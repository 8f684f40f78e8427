#pragma once
// A stand-in for the movie player: while a FakeMovies lives, every movie the
// screens made with its wiring ask for is a screen that plays nothing, records what was asked (movie
// file, sound file, end on key, end on mouse), and returns after a set number of
// drawn frames, or at once on input where its end switches allow.
//
//   FakeMovies movies{wiring};  // installed until it goes
//   movies.frames = 5;
//   ... the screen starts a movie ...
//   ASSERT_EQ(movies.made.size(), 1u);
//   EXPECT_EQ(movies.made[0].movie, u"Video\\logo.ogv");
#include "framework/FlowObject.h"
#include "game/screens/title/MovieFactory.h"

#include <vector>

namespace stagekit
{
class FakeMovie : public hgl::FlowObject
{
    avg::MovieRequest request;
    int frames_left;

  public:
    int drawn = 0;
    int ignored_input = 0; // presses its switches did not let through

    FakeMovie(const avg::MovieRequest &r, int frames) : request(r), frames_left(frames)
    {
        if (frames_left <= 0) SetObjectState(fosReturn);
    }
    const avg::MovieRequest &Request() const { return request; }

    void Draw() override
    {
        if (object_state != fosOK) return;
        ++drawn;
        if (--frames_left <= 0) SetObjectState(fosReturn);
    }
    bool Proc_KeyDown(int) override { return End(request.end_on_key); }
    bool Proc_MouseLeftDown(int, int, int) override { return End(request.end_on_mouse); }
    bool Proc_MouseRightDown(int, int, int) override { return End(request.end_on_mouse); }

  private:
    bool End(bool allowed)
    {
        if (!allowed)
        {
            ++ignored_input;
            return false;
        }
        SetObjectState(fosReturn);
        return true;
    }
};

class FakeMovies
{
  public:
    std::vector<avg::MovieRequest> made;
    FakeMovie *last = nullptr; // the latest one made; the flow control owns it
    int frames = 3;            // frames each new movie plays

    explicit FakeMovies(avg::GameWiring &w) : wiring(w)
    {
        wiring.movie = [this](const avg::MovieRequest &r)
        {
            made.push_back(r);
            last = new FakeMovie(r, frames);
            return last;
        };
    }
    ~FakeMovies() { wiring.movie = {}; }
    FakeMovies(const FakeMovies &) = delete;
    FakeMovies &operator=(const FakeMovies &) = delete;

  private:
    avg::GameWiring &wiring;
};
} // namespace stagekit
