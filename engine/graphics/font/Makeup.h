#pragma once
// hgl::Makeup: where each character of a laid-out text goes. One rectangle and one
// colour per character (line breaks included, as empty rectangles), relative to the
// origin; the closing rectangle starts at the right edge of the last character, on
// its line, where the next character would follow.
#include "core/Color.h"
#include "core/List.h"
#include "core/Property.h"
#include "core/RectScope.h"

namespace hgl
{
class Makeup
{
    int GetCount() const { return CharRect.GetCount(); }
    void InitPrivate() { Count.Bind<&Makeup::GetCount>(this); }

  public:
    List<RectScope2<float>> CharRect;
    List<Color4f> CharColor;
    int x = 0, y = 0; // origin the rectangles are relative to
    RectScope2<float> EndRect;

    Property<int> Count; // read only: characters laid out

    Makeup() { InitPrivate(); }
    Makeup(const Makeup &) = delete;
    Makeup &operator=(const Makeup &) = delete;

    void Clear()
    {
        CharRect.Clear();
        CharColor.Clear();
        EndRect.Set(0, 0, 0, 0);
    }
};
} // namespace hgl
