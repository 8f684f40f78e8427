#pragma once
// A window onto part of another stream (a file stored inside an archive). The
// parent is not owned and must outlive the window.
#include "core/Stream.h"

namespace hgl
{
class PartStream : public Stream
{
    Stream *parent;
    int64 start;
    int64 length;
    int64 position = 0; // relative to start, always within 0..length
    bool read_only;

  public:
    // A negative start or length counts as 0.
    PartStream(Stream *parent, int64 start, int64 length, bool read_only);
    ~PartStream() override = default;

    // Transfers address the parent at start + position directly, so windows onto
    // one parent never disturb each other, from one thread or several (as far as
    // the parent's own positioned transfers allow). At the end of the window a
    // transfer gives 0.
    int Read(void *buffer, int n) override;
    int Write(const void *buffer, int n) override; // -1 when read-only
    int ReadAt(int64 offset, void *buffer, int n) override;
    int WriteAt(int64 offset, const void *buffer, int n) override;

    int64 GetPosition() const override { return position; }
    // Clamps to 0..length and puts the parent at start + position.
    void SetPosition(int64 pos) override;
    int64 GetSize() const override { return length; }
    void SetSize(int64) override {}

    Stream *GetParent() const { return parent; }
    int64 GetStart() const { return start; }
    bool IsReadOnly() const { return read_only; }
};
} // namespace hgl
