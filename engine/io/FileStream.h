#pragma once
// A stream over a disk file. Names are engine paths (UTF-16, '\' or '/'), found
// on disk regardless of the case of their letters.
#include <string>

#include "core/Stream.h"
#include "platform/File.h"

namespace hgl
{
// Open's modes.
using platform::FileOpenMode;
using platform::fomCreateReadWrite;
using platform::fomOpenRead;
using platform::fomOpenReadWrite;
using platform::fomOpenWrite;

class FileStream : public Stream
{
    std::u16string file_name; // as given to Open; empty while closed
    int fd = -1;

  public:
    FileStream() = default;
    FileStream(const u16char *name, int mode) { Open(name, mode); }
    ~FileStream() override { Close(); }

    // mode fomCreateReadWrite (1): read+write, created or emptied; fomOpenRead (2):
    // read, must exist; fomOpenWrite (4): write, created when missing;
    // fomOpenReadWrite (6): read+write, created when missing.
    bool Open(const u16char *name, int mode);
    // Open with fomCreateReadWrite.
    bool Create(const u16char *name);
    void Close();

    bool IsOpen() const { return fd >= 0; }
    const u16char *GetFileName() const { return fd >= 0 ? file_name.c_str() : nullptr; }

    // -1 when closed, for a size below 1, or when the system fails.
    int Read(void *buffer, int size) override;
    int Write(const void *buffer, int size) override;
    // Positioned transfers that do not move the file position.
    int ReadAt(int64 offset, void *buffer, int size) override;
    int WriteAt(int64 offset, const void *buffer, int size) override;

    // origin 0 start, 1 current, 2 end; any other origin gives -1 and moves nothing.
    int64 Seek(int64 offset, int origin) override;

    int64 GetPosition() const override;
    void SetPosition(int64 pos) override;
    int64 GetSize() const override;
    void SetSize(int64) override {} // a file's size is never changed this way
};
} // namespace hgl
