#pragma once
// Reader of HAC-3 archive files: the whole directory is read and checked once,
// then files are handed out as windows onto the archive, memory copies, or
// decompressed through the compression plug-ins.
#include <memory>
#include "io/HacTemplate.h"

namespace hgl
{
class Stream;

struct Hac3File
{
    String name;            // lower-cased
    int method = 0;         // 0 stored, 1-9 a compression method
    uint32 size = 0;        // the file's own size
    uint32 stored_size = 0; // bytes it occupies in the archive when compressed
    uint8 reserved[16] = {};
    uint32 offset = 0;  // absolute offset of its bytes in the archive
    String method_name; // as stored, for messages and the decompressor
};

class HAC3 : public HacTemplate<Hac3File>
{
    std::unique_ptr<Stream> stream;
    bool valid = false;
    int64 data_end = 0; // the directory offset: every file's bytes lie before it

    // Bytes left for the directory parser (the directory ends 4 bytes before the end).
    struct DirReader;
    bool LoadFolder(DirReader &in, HacFolder<Hac3File> *folder, int depth);
    bool ReadStored(const Hac3File *file, int64 at, void *dest, int length);
    bool CanDecode(const Hac3File *file, const u16char *nameForLog);
    bool ReadWhole(const Hac3File *file, void *dest, const u16char *nameForLog);

  public:
    // Deepest folder nesting the reader accepts.
    static constexpr int MaxDepth = 64;

    // Takes ownership of the stream and reads the directory. A damaged archive
    // leaves an empty tree and IsValid() false.
    explicit HAC3(Stream *s);
    ~HAC3() override;

    bool IsValid() const { return valid; }

    // Reads one folder record (with everything below it) from the stream's position
    // into folder, appending to what it holds; the stream is left after the record.
    // The whole record is checked as the constructor checks the directory (file
    // bytes must lie within this archive's data): false, with what was read before
    // the fault kept, when it is damaged.
    virtual bool LoadFolder(Stream *s, HacFolder<Hac3File> *folder);

    bool ReadFilePart(void *file, int start, int length, void *dest) override;
    Stream *LoadFileStreamInFolder(void *folder, const u16char *path, bool toMemory) override;
    bool LoadFileInFolder(void *folder, const u16char *path, void **buffer, int *size) override;
};
} // namespace hgl
