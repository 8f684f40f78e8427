#pragma once
// hgl::TileObject and hgl::TileAtlas: square tiles of one alpha texture, handed out
// and taken back. The texture is made on the first write, so an atlas can exist
// (and the font measure text) before there is a GL context.
#include "core/Types.h"

#include <vector>

namespace hgl
{
class TileObject
{
  public:
    int index = 0;
    int left = 0, top = 0;                // pixels in the atlas
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0; // the tile's used cell in texture coordinates
};

class TileAtlas
{
    int tile_size; // pixels a side, one of them a gutter
    int grid;      // tiles a row and a column
    int side = 0;  // texture pixels a side
    unsigned int texture = 0;
    uint64 version = 0; // of the texture's contents, new on every write
    std::vector<TileObject> tiles;
    std::vector<TileObject *> free_tiles;

    bool MakeTexture();

  public:
    // count tiles of cell x cell pixels (plus a one-pixel gutter).
    TileAtlas(int cell, int count);
    ~TileAtlas();
    TileAtlas(const TileAtlas &) = delete;
    TileAtlas &operator=(const TileAtlas &) = delete;

    int GetTileCount() const { return int(tiles.size()); }
    int GetFreeCount() const { return int(free_tiles.size()); }

    // A free tile, or null when all are in use.
    TileObject *Acquire();
    // Gives a tile back (a tile not of this atlas, or null, is ignored).
    void Release(TileObject *tile);

    // Writes cell x cell 8-bit coverage (rows top to bottom) into the tile.
    bool Write(TileObject *tile, const uint8 *cell_pixels);
    // Makes the texture the one later draws take; false when there is none.
    bool Bind();
    uint64 GetVersion() const { return version; }
};
} // namespace hgl
