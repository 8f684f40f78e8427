#pragma once
// The colours a text widget writes its caption in, one per look.
#include "core/Color.h"

#include <initializer_list>

namespace hgl::gui
{
struct ThemeColor
{
    Color4f Text{1, 1, 1, 1};             // the caption
    Color4f Shadow{0, 0, 0, 1};           // drawn one pixel right and down, under the caption
    Color4f Focus{1, 1, 0, 1};            // the caption while focused or pressed
    Color4f Disable{0.5f, 0.5f, 0.5f, 1}; // the caption while disabled

    // Sets the alpha of every colour.
    void SetAlpha(float alpha)
    {
        for (Color4f *c : {&Text, &Shadow, &Focus, &Disable})
            c->a = alpha;
    }
};
} // namespace hgl::gui
