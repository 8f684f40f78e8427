#include "game/screens/record/RecordThumbnail.h"

#include "game/core/SaveFolder.h"
#include "graphics/hgp/HGP.h"
#include "platform/File.h"
#include "platform/Path.h"

namespace avg
{
hgl::String RecordThumbnailPath(const hgl::String &name)
{
    return SavePath(name + u".hgp");
}

hgl::HGP *LoadRecordThumbnail(const hgl::String &name, ThumbnailCache *cache)
{
    RecordThumbnail thumbnail;
    thumbnail.SetSlot(name);
    return thumbnail.Load(cache);
}

void DropRecordThumbnail(const hgl::String &name, ThumbnailCache *cache)
{
    if (!cache) return;
    hgl::HGP *picture = nullptr;
    if (cache->Find(RecordThumbnailPath(name), picture, false)) cache->DeleteByValue(picture);
}

void RecordThumbnail::SetSlot(const hgl::String &name)
{
    path = RecordThumbnailPath(name);
    // Resolved once: the save folder's spelling on disk does not change while a
    // screen is open.
    native = hgl::platform::ResolvePath(path.c_str());
}

hgl::HGP *RecordThumbnail::Load(ThumbnailCache *cache) const
{
    if (!cache || native.empty()) return nullptr;
    if (!hgl::platform::PathStatNative(native)) return nullptr;
    hgl::HGP *picture = nullptr;
    return cache->Get(path, picture, true) ? picture : nullptr;
}
} // namespace avg
