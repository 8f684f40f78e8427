#pragma once
// The binary contract between the engine and its plug-in libraries. Plug-ins are
// built against this header only; nothing here needs the engine's compiled code.
#include "core/Types.h"

// Marks a function a plug-in library exports by its plain name.
#define HGL_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

// Defines the two required exports of a plug-in library.
#define HGL_PLUGIN_IDENTITY(version_value, intro_text)                                                       \
    HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()                                                         \
    {                                                                                                        \
        return version_value;                                                                                \
    }                                                                                                        \
    HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()                                                   \
    {                                                                                                        \
        return intro_text;                                                                                   \
    }

namespace hgl
{
// Exported by every plug-in library (the first two are required).
extern "C"
{
    using GetPlugInVersionFunc = uint32 (*)();
    using GetPlugInIntroFunc = const u16char *(*)();
    // Fills the caller's zeroed record for the given interface version; false when
    // that version is not served.
    using GetPlugInInterfaceFunc = bool (*)(int version, void *record);

    // The two engine callbacks a plug-in receives through "SetPlugInInterface", so that
    // it can reach other plug-ins (by name) or the engine's typed slots (1 = the log).
    using PlugInInterfaceByNameCallback = bool (*)(const u16char *name, int version, void *record);
    using PlugInInterfaceByTypeCallback = bool (*)(int type, int version, void *record);

    using SetPlugInInterfaceFunc = void (*)(PlugInInterfaceByNameCallback, PlugInInterfaceByTypeCallback);
    using InitPlugInFunc = void (*)();
    using ClosePlugInFunc = void (*)();
}

// The exported names, exactly as the loader looks them up.
constexpr const char *PlugInExportVersion = "GetPlugInVersion";
constexpr const char *PlugInExportIntro = "GetPlugInIntro";
constexpr const char *PlugInExportInterface = "GetPlugInInterface";
constexpr const char *PlugInExportSetInterface = "SetPlugInInterface";
constexpr const char *PlugInExportInit = "InitPlugIn";
constexpr const char *PlugInExportClose = "ClosePlugIn";

// Compression plug-ins ("Compress.<method>") serve this interface version.
constexpr int CompressInterfaceVersion = 3;

// The pass-through argument of the compress entries: a quality or level hint whose
// meaning is the method's own (0 = the method's default).
using CompressExtra = float;

extern "C"
{
    // Every entry returns the number of bytes produced; below 1 is failure.
    // Decoders treat the destination size as a hard limit and validate their input.
    using CompressFunc = int (*)(const void *source, int source_size, void *dest, int dest_size,
                                 CompressExtra extra);
    using DecompressFunc = int (*)(const void *source, int source_size, void *dest, int dest_size);
    using ImageCompressFunc = int (*)(void *dest, int dest_size, const void *pixels, int width, int height,
                                      int channels, CompressExtra extra);
    using ImageDecompressFunc = int (*)(void *dest, const void *source, int source_size, int width,
                                        int height, int channels);
}

// The record a compression plug-in fills; entries it does not offer stay null.
struct CompressPlugInInterface
{
    CompressFunc Compress;               // 0
    DecompressFunc Decompress;           // 1
    void *Unused[6];                     // 2-7: never called by the engine
    ImageCompressFunc ImageCompress;     // 8
    ImageDecompressFunc ImageDecompress; // 9
};

static_assert(sizeof(CompressPlugInInterface) == 10 * sizeof(void *), "ten entries, no padding");
} // namespace hgl
