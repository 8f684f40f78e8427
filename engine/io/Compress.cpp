#include "io/Compress.h"

#include "io/PlugIn.h"

#include <climits>
#include <string_view>

namespace hgl
{
namespace
{
// Numbers 1-9 as stored in archives; each name fits a 32-unit slot.
const u16char *const MethodNames[10] = {
    nullptr, u"Bzip2", u"Lzo", u"Lzma", u"Zip", u"RLE", u"RYC", u"RSC", u"Jpeg2000VSRLE", u"",
};

PlugInInterfaceCache<CompressPlugInInterface> &Registry()
{
    static PlugInInterfaceCache<CompressPlugInInterface> registry;
    return registry;
}

// Bytes of a picture, 0 when the shape is invalid or does not fit the int interface.
int PictureBytes(int width, int height, int channels)
{
    if (width <= 0 || height <= 0 || channels <= 0) return 0;

    const int64 total = int64(width) * int64(height) * int64(channels);
    return total > INT_MAX ? 0 : int(total);
}

// A plug-in result: bytes produced, never more than the room it was given.
int Produced(int result, int room)
{
    return (result < 1 || result > room) ? 0 : result;
}
} // namespace

int CompressAlgorithmIndex(const String &name)
{
    if (name.IsEmpty()) return 0;

    const std::u16string_view text(name.c_str(), size_t(name.GetLength()));

    for (int i = 1; i <= 9; i++)
        if (text == MethodNames[i]) return i;

    return 0;
}

String CompressAlgorithmName(int number)
{
    if (number < 1 || number > 9) return String(u"未知算法");

    return String(MethodNames[number]);
}

CompressPlugInInterface *GetCompressInterface(const String &name)
{
    return GetPlugInInterfaceByName(Registry(), String(u"Compress"), CompressInterfaceVersion, name);
}

int Decompress(const String &name, const void *source, int source_size, void *dest, int dest_size)
{
    if (!source || !dest || source_size <= 0 || dest_size <= 0) return 0;

    CompressPlugInInterface *cpi = GetCompressInterface(name);
    if (!cpi || !cpi->Decompress) return 0;

    return Produced(cpi->Decompress(source, source_size, dest, dest_size), dest_size);
}

int Compress(const String &name, const void *source, int source_size, void *dest, int dest_size,
             CompressExtra extra)
{
    if ((!source && source_size != 0) || !dest || source_size < 0 || dest_size <= 0) return 0;

    CompressPlugInInterface *cpi = GetCompressInterface(name);
    if (!cpi || !cpi->Compress) return 0;

    return Produced(cpi->Compress(source, source_size, dest, dest_size, extra), dest_size);
}

namespace
{
// The plug-in for a picture call, with the picture's size in bytes in total; null
// when a buffer is missing, the byte count is not positive, the picture's shape
// is unusable or no plug-in has the name.
CompressPlugInInterface *ImageInterface(const String &name, const void *dest, const void *data, int data_size,
                                        int width, int height, int channels, int &total)
{
    if (!dest || !data || data_size <= 0) return nullptr;
    total = PictureBytes(width, height, channels);
    if (total == 0) return nullptr;
    return GetCompressInterface(name);
}
} // namespace

int ImageCompress(const String &name, void *dest, int dest_size, const void *pixels, int width, int height,
                  int channels, CompressExtra extra)
{
    int total = 0;
    CompressPlugInInterface *cpi =
        ImageInterface(name, dest, pixels, dest_size, width, height, channels, total);
    if (!cpi) return 0;

    if (cpi->ImageCompress)
        return Produced(cpi->ImageCompress(dest, dest_size, pixels, width, height, channels, extra),
                        dest_size);

    if (cpi->Compress) return Produced(cpi->Compress(pixels, total, dest, dest_size, extra), dest_size);

    return 0;
}

int ImageDecompress(const String &name, void *dest, const void *source, int source_size, int width,
                    int height, int channels)
{
    int total = 0;
    CompressPlugInInterface *cpi =
        ImageInterface(name, dest, source, source_size, width, height, channels, total);
    if (!cpi) return 0;

    if (cpi->ImageDecompress)
        return Produced(cpi->ImageDecompress(dest, source, source_size, width, height, channels), total);

    if (cpi->Decompress) return Produced(cpi->Decompress(source, source_size, dest, total), total);

    return 0;
}

void ClearCompressInterfaces()
{
    Registry().Clear();
}
} // namespace hgl
