#pragma once
// A stream over a block of memory, growing on write unless it was made fixed.
#include "core/Stream.h"

namespace hgl
{
class MemStream : public Stream
{
    uint8 *buffer = nullptr; // malloc'ed; never null while the stream "has a buffer"
    int64 size = 0;          // valid bytes, also the block's length
    int64 position = 0;
    bool fixed = false;

  public:
    MemStream() = default;
    MemStream(int64 size, bool fixed) { Create(size, fixed); }
    ~MemStream() override { Clear(); }

    // A block of size bytes (content undefined) at position 0. A fixed stream never
    // grows or shrinks. False for a negative size or when memory runs out.
    bool Create(int64 size, bool fixed);
    // Frees the block: no buffer, size and position 0, not fixed.
    void Clear();

    // The whole file; false when it cannot be opened, is empty or cannot be read whole.
    bool LoadFromFile(const u16char *name);
    // A u32 byte count, then the bytes (the form of a TDF node's data block).
    bool SaveToStream(Stream *stream) const;
    bool LoadFromStream(Stream *stream);

    // The block itself, for readers that fill it directly; null without a buffer.
    uint8 *GetData() { return buffer; }
    const uint8 *GetData() const { return buffer; }
    bool HasBuffer() const { return buffer != nullptr; }
    bool IsFixed() const { return fixed; }

    int Read(void *buf, int n) override;
    int Write(const void *buf, int n) override;
    int ReadAt(int64 offset, void *buf, int n) override;
    int WriteAt(int64 offset, const void *buf, int n) override;

    // -1 without a buffer. Setting clamps to 0..size.
    int64 GetPosition() const override { return buffer ? position : -1; }
    void SetPosition(int64 pos) override;
    // 0 without a buffer. Setting resizes a growable stream (negative values are
    // ignored) and pulls the position back inside.
    int64 GetSize() const override { return buffer ? size : 0; }
    void SetSize(int64 new_size) override;

  private:
    bool Resize(int64 new_size);
};
} // namespace hgl
