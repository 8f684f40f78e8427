#pragma once
// Compression dispatch. The engine compresses nothing itself: each method is the
// plug-in "Compress.<method>", loaded on first use and cached by method name.
// Every function returns the number of bytes produced; 0 means failure, and
// callers compare the result with the size they expect.
#include "core/String.h"
#include "io/PlugInABI.h"

namespace hgl
{
// Method numbers as stored in archives and TDF blocks (0 = not compressed).
enum CompressAlgorithm
{
    caNone = 0,
    caBzip2 = 1,
    caLzo = 2,
    caLzma = 3,
    caZip = 4,
    caRLE = 5,
    caRYC = 6,
    caRSC = 7,
    caJpeg2000VSRLE = 8,
    caEmpty = 9,
};

// The method number of a name (exact, case-sensitive); 0 for an empty or unknown name.
int CompressAlgorithmIndex(const String &name);
// The name of a method number; "未知算法" outside 1-9 (9 is the empty text).
String CompressAlgorithmName(int number);

// The plug-in's record for a method, loaded on first use; null when the method
// cannot be served (the failure is logged once, then remembered silently).
CompressPlugInInterface *GetCompressInterface(const String &name);

int Decompress(const String &name, const void *source, int source_size, void *dest, int dest_size);

// Compresses with the method's compress entry, for writers (archive and settings
// tools); the extra value is passed through. The destination must allow for a block
// somewhat larger than the source (incompressible data): size + size / 8 + 1 KiB is enough.
int Compress(const String &name, const void *source, int source_size, void *dest, int dest_size,
             CompressExtra extra = 0);

// Pictures: the picture entries when the plug-in has them, else the plain entries
// over width x height x channels bytes.
int ImageCompress(const String &name, void *dest, int dest_size, const void *pixels, int width, int height,
                  int channels, CompressExtra extra = 0);
int ImageDecompress(const String &name, void *dest, const void *source, int source_size, int width,
                    int height, int channels);

// Forgets every cached method (records and failures) without touching the plug-ins;
// used when the plug-ins are all released.
void ClearCompressInterfaces();
} // namespace hgl
