#pragma once
// The pictures of the save slots: "<save folder><slot>.hgp", written by the game
// core when it saves. The save and load screens keep the last 20 they showed in a
// cache keyed by the picture's full path; the file's existence is tested on every
// request, so a picture deleted from the folder stops showing at once.
#include "core/ObjectBuffer.h"
#include "core/String.h"

#include <string>

namespace hgl
{
class HGP;
}

namespace avg
{
using ThumbnailCache = hgl::ObjectBuffer<hgl::HGP>;
constexpr int kThumbnailCacheSize = 20;

hgl::String RecordThumbnailPath(const hgl::String &name);

// The slot's picture from the cache, read from its file on a miss and made the
// most recently used; null, the cache untouched, when no file is there. The
// picture stays the cache's.
hgl::HGP *LoadRecordThumbnail(const hgl::String &name, ThumbnailCache *cache);

// Drops the slot's picture from the cache by its path, shown or not, so that the
// next request reads the file again (before the slot is overwritten).
void DropRecordThumbnail(const hgl::String &name, ThumbnailCache *cache);

// One slot's picture path made ready once, for a strip that asks for its picture
// every frame: each request then costs one existence test and no allocation.
class RecordThumbnail
{
    hgl::String path;
    std::string native;

  public:
    void SetSlot(const hgl::String &name);
    const hgl::String &GetPath() const { return path; }
    hgl::HGP *Load(ThumbnailCache *cache) const;
};
} // namespace avg
