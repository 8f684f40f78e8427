#pragma once
// The demo's pictures before they are encoded: one entry per file the game loads
// by name, each a stack of painted layers that shows its own name.
#include "tools/mkdemo/DemoCanvas.h"

#include <string>
#include <vector>

namespace hgl::demo
{
struct DemoLayer
{
    std::string name;   // "Normal", "Back", ... or empty
    float alpha = 1.0f; // the layer's own transparency
    DemoCanvas canvas;
};

struct DemoPicture
{
    std::u16string path;  // in "Data.hac"
    bool texture = false; // a TEX file (one layer) rather than an HGP picture
    int width = 0, height = 0;
    std::vector<DemoLayer> layers;
};

// Every picture and texture of the demo.
std::vector<DemoPicture> MakeDemoPictures();
} // namespace hgl::demo

namespace hgl::demo
{
// The demo's pictures as text, for checking screenshots by region: one line per
// layer, tab-separated: the path, the layer's index and name, the picture's size
// ("WxH"), then the colours (RRGGBBAA, hex) at the centres of a 4 x 4 grid over the
// layer, row by row from the top-left.
constexpr int kManifestGrid = 4;
std::string MakeManifest();
} // namespace hgl::demo
