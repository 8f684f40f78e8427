#pragma once
// A small RGBA painter for the demo pictures: fills, gradients, frames and labels
// in a built-in 5 x 7 pixel font (A-Z, 0-9 and a few signs; lower case is drawn
// as upper case), so every picture shows its own name on screen.
#include <cstdint>
#include <string>
#include <vector>

namespace hgl::demo
{
struct Rgba
{
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

class DemoCanvas
{
    int width, height;
    std::vector<uint8_t> pixels; // rows top first

  public:
    DemoCanvas(int w, int h);

    int Width() const { return width; }
    int Height() const { return height; }
    const std::vector<uint8_t> &Pixels() const { return pixels; }

    void Fill(Rgba c);
    // From the top colour to the bottom colour.
    void Gradient(Rgba top, Rgba bottom);
    void Rect(int x, int y, int w, int h, Rgba c);
    void Frame(int thickness, Rgba c);
    // Text with its glyphs enlarged scale times; clipped at the edges.
    void Text(int x, int y, int scale, const std::string &text, Rgba c);
    static int TextWidth(int scale, const std::string &text);
    // Text centred in the canvas at the largest scale that fits (at least 1).
    void Label(const std::string &text, Rgba c);
};
} // namespace hgl::demo
