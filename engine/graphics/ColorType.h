#pragma once
// The colour code shared by textures, picture files, bitmaps and screen capture:
// what the channels of one pixel are and in which order.
namespace hgl
{
enum ColorType
{
    ctNone = 0,
    ctLuminance = 1,
    ctLuminanceAlpha = 2,
    ctRGB = 3,
    ctRGBA = 4,
    ctAlpha = 5,
    ctBGR = 6,
    ctBGRA = 7,
};

constexpr int ColorTypeMax = ctBGRA;

// Bytes of one pixel of a colour code; 0 for ctNone and unknown codes.
constexpr int ColorTypeChannels(int color_type)
{
    constexpr int channels[] = {0, 1, 2, 3, 4, 1, 3, 4};
    return color_type > ctNone && color_type <= ColorTypeMax ? channels[color_type] : 0;
}
} // namespace hgl
