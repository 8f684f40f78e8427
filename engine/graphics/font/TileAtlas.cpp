#include "graphics/font/TileAtlas.h"

#include "core/Log.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/OpenGLCaps.h"
#include "graphics/texture/Texture.h"

#include <GL/glew.h>

#include <cmath>

namespace hgl
{
namespace
{
constexpr int Gutter = 1;

int PowerOfTwoAtLeast(int v)
{
    int p = 1;
    while (p < v)
        p <<= 1;
    return p;
}
} // namespace

TileAtlas::TileAtlas(int cell, int count) : tile_size(cell + Gutter)
{
    if (count < 1) count = 1;
    grid = int(std::ceil(std::sqrt(double(count))));
    tiles.resize(size_t(count));
    free_tiles.reserve(size_t(count));
    for (int i = count - 1; i >= 0; i--)
    {
        TileObject &t = tiles[size_t(i)];
        t.index = i;
        t.left = (i % grid) * tile_size;
        t.top = (i / grid) * tile_size;
        free_tiles.push_back(&t);
    }
}

TileAtlas::~TileAtlas()
{
    if (!texture) return;
    draw::TextureChanging(texture, 0); // draws still queued need it
    glDeleteTextures(1, &texture);
}

TileObject *TileAtlas::Acquire()
{
    if (free_tiles.empty()) return nullptr;
    TileObject *t = free_tiles.back();
    free_tiles.pop_back();
    return t;
}

void TileAtlas::Release(TileObject *tile)
{
    if (tile && !tiles.empty() && tile >= &tiles.front() && tile <= &tiles.back()) free_tiles.push_back(tile);
}

bool TileAtlas::MakeTexture()
{
    const int max_size = GetOpenGLCaps().MaxTextureSize;
    side = grid * tile_size;
    if (!Texture2D::NonPowerOfTwo()) side = PowerOfTwoAtLeast(side);
    if (side > max_size)
    {
        PutError(u"字体贴图尺寸<%d>超过显卡上限<%d>", side, max_size);
        return false;
    }
    glGenTextures(1, &texture);
    if (!texture) return false;
    version = draw::NextTextureVersion();
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    std::vector<uint8> clear(size_t(side) * size_t(side), 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, side, side, 0, GL_ALPHA, GL_UNSIGNED_BYTE, clear.data());
    const float cell = float(tile_size - Gutter) / float(side);
    for (TileObject &t : tiles)
    {
        t.u0 = float(t.left) / float(side);
        t.v0 = float(t.top) / float(side);
        t.u1 = t.u0 + cell;
        t.v1 = t.v0 + cell;
    }
    return true;
}

bool TileAtlas::Write(TileObject *tile, const uint8 *cell_pixels)
{
    if (!tile || !cell_pixels || (!texture && !MakeTexture())) return false;
    // Draws queued earlier may show the tile's old glyph: they go out first.
    version = draw::NextTextureVersion();
    draw::TextureChanging(texture, version);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const int cell = tile_size - Gutter;
    glTexSubImage2D(GL_TEXTURE_2D, 0, tile->left, tile->top, cell, cell, GL_ALPHA, GL_UNSIGNED_BYTE,
                    cell_pixels);
    return true;
}

bool TileAtlas::Bind()
{
    if (!texture && !MakeTexture()) return false;
    UseTexture(GL_TEXTURE_2D, texture, version);
    return true;
}
} // namespace hgl
