// Bytes as a UTF-16 script picture name looked up in a scene picture cache
// without an archive: every name resolves (to nothing) without a crash.
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/stage/back/ScenePicture.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!avg::GetScenePictureCache()) avg::CreateScenePictureCache(nullptr);
    std::u16string name(size / 2, u'\0');
    for (size_t i = 0; i < name.size(); ++i)
        name[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    hgl::String path;
    if (avg::GetScenePictureByName(hgl::String(name), &path) || !path.IsEmpty()) __builtin_trap();
    avg::GetGameRecord().Clear();
    return 0;
}
