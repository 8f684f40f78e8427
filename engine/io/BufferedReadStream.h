#pragma once
// A forward-reading buffer over another stream, for readers that take many small
// pieces (counts, names, values) from a file or an archive window, where each
// would otherwise be a system call. It reads the parent only by position
// (ReadAt), from where the parent stood when the buffer was made, and never
// moves it: a reader that is done puts the parent at GetPosition() if the
// parent is to go on from there. The parent is not owned and must outlive it.
#include "core/Stream.h"

#include <vector>

namespace hgl
{
class BufferedReadStream : public Stream
{
    Stream *parent;
    int64 base; // parent position of buf[0]
    int64 size; // the parent's size
    std::vector<uint8> buf;
    int have = 0, at = 0; // bytes in buf, bytes consumed

  public:
    static constexpr int DefaultBufferBytes = 1 << 16;

    // buffer_bytes below 1 counts as 1.
    explicit BufferedReadStream(Stream *parent, int buffer_bytes = DefaultBufferBytes);
    BufferedReadStream(const BufferedReadStream &) = delete;
    BufferedReadStream &operator=(const BufferedReadStream &) = delete;
    ~BufferedReadStream() override = default;

    // Reads that are at least a whole buffer long go straight to the parent.
    // Short at the parent's end; -1 for a null destination or a negative count.
    int Read(void *dest, int n) override;
    int Write(const void *, int) override { return -1; }
    // Moving within what the buffer holds keeps it; anywhere else refills it on
    // the next read.
    int64 GetPosition() const override { return base + at; }
    void SetPosition(int64 pos) override;
    int64 GetSize() const override { return size; }
    void SetSize(int64) override {}
};
} // namespace hgl
