#include "sonvex/StreamIO.h"

namespace hgl
{
namespace
{
Stream *S(void *ctx)
{
    return static_cast<Stream *>(ctx);
}

int IORead(void *ctx, void *buffer, int bytes)
{
    return bytes < 0 || !buffer ? -1 : S(ctx)->Read(buffer, bytes);
}

int64 IOSeek(void *ctx, int64 offset, int origin)
{
    Stream *s = S(ctx);
    const int64 size = s->Size.Get();
    const int64 base = origin == 0 ? 0 : origin == 2 ? size : s->Position.Get();
    const int64 target = base + offset;
    if (base < 0 || target < 0 || target > size)
        return -1; // decoders probe past the end; the stream itself would clamp
    return s->Seek(target, 0) == target ? target : -1;
}

int64 IOTell(void *ctx)
{
    return S(ctx)->Position.Get();
}
int64 IOSize(void *ctx)
{
    return S(ctx)->Size.Get();
}
} // namespace

StreamIO::StreamIO(Stream *source) : stream(source), io{source, IORead, IOSeek, IOTell, IOSize} {}
} // namespace hgl

#include "core/Log.h"
#include "io/HAC.h"

namespace hgl
{
Stream *OpenArchiveStream(HAC *archive, const u16char *filename, const u16char *error_format)
{
    Stream *stream = archive && filename ? archive->LoadFileStream(filename, false) : nullptr;
    if (!stream) PutError(error_format, filename ? filename : u"");
    return stream;
}
} // namespace hgl
