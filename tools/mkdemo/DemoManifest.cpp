#include "tools/hacpack/HacWriter.h"
#include "tools/mkdemo/DemoPictures.h"

#include <cstdio>

namespace hgl::demo
{
std::string MakeManifest()
{
    std::string out;
    for (const DemoPicture &p : MakeDemoPictures())
        for (size_t i = 0; i < p.layers.size(); ++i)
        {
            const DemoCanvas &c = p.layers[i].canvas;
            out += hacpack::Utf16ToUtf8(p.path) + "\t" + std::to_string(i) + "\t" + p.layers[i].name + "\t" +
                   std::to_string(p.width) + "x" + std::to_string(p.height);
            for (int gy = 0; gy < kManifestGrid; ++gy)
                for (int gx = 0; gx < kManifestGrid; ++gx)
                {
                    const int x = (2 * gx + 1) * c.Width() / (2 * kManifestGrid);
                    const int y = (2 * gy + 1) * c.Height() / (2 * kManifestGrid);
                    const uint8_t *px = &c.Pixels()[(size_t(y) * size_t(c.Width()) + size_t(x)) * 4];
                    char hex[12];
                    std::snprintf(hex, sizeof hex, "\t%02X%02X%02X%02X", px[0], px[1], px[2], px[3]);
                    out += hex;
                }
            out += "\n";
        }
    return out;
}
} // namespace hgl::demo
