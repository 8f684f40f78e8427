#include "game/stage/back/ScenePicture.h"

#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"

#include <string>

namespace avg
{
namespace
{
const hgl::u16char kBlackPath[] = u"BG\\BLACK.HGP";
// Variant marks only count from this index on: shorter names keep them.
constexpr size_t kVariantFrom = 7;

const hgl::u16char *FolderOf(hgl::u16char first)
{
    switch (first)
    {
    case u'b':
    case u'B':
    case u'w':
    case u'W':
        return u"BG\\";
    case u'c':
    case u'C':
        return u"Event\\";
    default:
        return u"BGI\\";
    }
}

void CutAt(std::u16string &name, char16_t mark)
{
    const size_t at = name.find(mark, kVariantFrom);
    if (at != std::u16string::npos) name.resize(at);
}
} // namespace

hgl::HGP *GetScenePictureAt(const hgl::String &path)
{
    hgl::HGPBufferHAC *cache = GetScenePictureCache();
    hgl::HGP *picture = nullptr;
    if (!cache || path.IsEmpty() || !cache->Get(path, picture)) return nullptr;
    return picture;
}

hgl::HGP *GetScenePicture(const hgl::String &name, hgl::String *path)
{
    hgl::String wanted = hgl::String(FolderOf(name.IsEmpty() ? u'\0' : name.GetChar(0))) + name;
    hgl::HGP *picture = GetScenePictureAt(wanted);
    if (!picture)
    {
        wanted = kBlackPath;
        picture = GetScenePictureAt(wanted);
    }
    if (path) *path = picture ? wanted : hgl::String();
    return picture;
}

hgl::HGP *GetScenePictureByName(const hgl::String &name, hgl::String *path)
{
    std::u16string plain = name.ToStdString();
    const size_t dot = plain.find(u'.');
    if (dot != std::u16string::npos) plain.resize(dot);
    if (!plain.empty() && (plain[0] == u'c' || plain[0] == u'C')) MarkEvent(hgl::String(plain));
    CutAt(plain, u'N');
    CutAt(plain, u'X');
    return GetScenePicture(hgl::String(plain + u".HGP"), path);
}
} // namespace avg
