#pragma once
// Hands one of the engine's streams to a decoder plug-in as AudioIO callbacks, and
// keeps a plug-in's decoding handle together with the stream it reads.
#include "io/Stream.h"
#include "sonvex/AudioPlugInABI.h"

#include <memory>

namespace hgl
{
class HAC;

class StreamIO
{
    std::unique_ptr<Stream> stream;
    AudioIO io;

  public:
    // Takes the stream (which must be seekable and know its size).
    explicit StreamIO(Stream *source);
    StreamIO(const StreamIO &) = delete;
    StreamIO &operator=(const StreamIO &) = delete;

    const AudioIO *Get() const { return &io; }
};

// A file of the archive as a stream (read in place where the archive stores it so),
// or null after logging error_format with the file name.
Stream *OpenArchiveStream(HAC *archive, const u16char *filename, const u16char *error_format);

// A decoder plug-in's handle over a stream. Table is the plug-in's record, whose
// Open and Close entries are used here.
template <typename Table> class PlugInDecoder
{
    std::unique_ptr<StreamIO> io;
    Table *table = nullptr;
    void *handle = nullptr;

  public:
    PlugInDecoder() = default;
    ~PlugInDecoder() { Close(); }
    PlugInDecoder(const PlugInDecoder &) = delete;
    PlugInDecoder &operator=(const PlugInDecoder &) = delete;

    // Takes the stream; false when it is null, the table is null or the plug-in refuses it.
    bool Open(Stream *stream, Table *with)
    {
        Close();
        if (!stream) return false;
        io.reset(new StreamIO(stream));
        table = with;
        if (table && table->Open) handle = table->Open(io->Get());
        if (!handle) Close();
        return handle != nullptr;
    }

    void Close()
    {
        if (handle) table->Close(handle);
        handle = nullptr;
        table = nullptr;
        io.reset();
    }

    bool IsOpen() const { return handle != nullptr; }
    void *Handle() const { return handle; }
    const Table *operator->() const { return table; }
};
} // namespace hgl
