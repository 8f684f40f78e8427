#include "io/HAC3.h"

#include "core/Log.h"
#include "io/Compress.h"
#include "io/MemStream.h"
#include "io/PartStream.h"

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace hgl
{
namespace
{
constexpr int64 MinFolderRecord = 4 + 4 + 4;            // name count, sub count, file count
constexpr int64 MinFileRecord = 4 + 4 + 4 + 4 + 16 + 4; // name, method, size, stored size, reserved, offset
constexpr int MaxMethodUnits = 31;
// Largest unpacked size a compressed entry may claim; its real bytes are not in
// the file, so this is the only bound on what a damaged directory can ask for.
constexpr uint32 MaxUnpackedSize = 256u << 20;

} // namespace

// The directory block, parsed from memory with every count checked against the
// bytes left before anything is allocated for it.
struct HAC3::DirReader
{
    const uint8 *p;
    const uint8 *end;
    int64 dir_offset; // file data must lie before the directory

    int64 Left() const { return end - p; }

    bool U32(uint32 &v)
    {
        if (Left() < 4) return false;
        std::memcpy(&v, p, 4);
        p += 4;
        return true;
    }

    // A text of at most max units; a negative count is refused.
    bool Text(String &out, int max)
    {
        uint32 raw;
        if (!U32(raw)) return false;
        const int32 count = int32(raw);
        if (count < 0 || count > max || int64(count) * 2 > Left()) return false;
        if (count == 0)
            out.Clear();
        else
        {
            std::vector<u16char> units(size_t(count) + 1);
            std::memcpy(units.data(), p, size_t(count) * 2);
            units[count] = 0;
            out = String(units.data(), count);
        }
        p += int64(count) * 2;
        return true;
    }
};

HAC3::HAC3(Stream *s) : stream(s)
{
    if (!stream) return;
    const int64 total = stream->Size;
    if (total < 8 + 4 + MinFolderRecord) return;
    uint32 d;
    if (!stream->ReadFullyAt(total - 4, &d, 4)) return;
    // The directory sits between the 8-byte header and the trailing offset.
    if (int64(d) < 8 || int64(d) + MinFolderRecord > total - 4) return;
    const int64 dir_size = total - 4 - int64(d);
    if (dir_size > INT_MAX) return;
    std::vector<uint8> dir(static_cast<size_t>(dir_size));
    if (!stream->ReadFullyAt(d, dir.data(), int(dir_size))) return;
    data_end = int64(d);
    DirReader in{dir.data(), dir.data() + dir.size(), int64(d)};
    auto tree = std::make_unique<HacFolder<Hac3File>>();
    if (!LoadFolder(in, tree.get(), 0)) return;
    root = std::move(tree);
    valid = true;
}

HAC3::~HAC3()
{
    Stop();
    root.reset();
}

bool HAC3::LoadFolder(DirReader &in, HacFolder<Hac3File> *folder, int depth)
{
    if (depth > MaxDepth) return false;
    if (!in.Text(folder->name, hac_detail::HAC_PATH_MAX)) return false;
    folder->name.LowerCase();

    uint32 sub_count;
    if (!in.U32(sub_count) || int64(sub_count) > in.Left() / MinFolderRecord) return false;
    folder->folders.reserve(sub_count);
    for (uint32 i = 0; i < sub_count; ++i)
    {
        folder->folders.push_back(std::make_unique<HacFolder<Hac3File>>());
        if (!LoadFolder(in, folder->folders.back().get(), depth + 1)) return false;
    }

    uint32 file_count;
    if (!in.U32(file_count) || int64(file_count) > in.Left() / MinFileRecord) return false;
    folder->files.reserve(file_count);
    for (uint32 i = 0; i < file_count; ++i)
    {
        auto f = std::make_unique<Hac3File>();
        if (!in.Text(f->name, hac_detail::HAC_PATH_MAX)) return false;
        f->name.LowerCase();
        // A method text's negative count reads as an empty name, like any short text.
        uint32 raw;
        if (!in.U32(raw)) return false;
        const int32 mcount = int32(raw);
        if (mcount > MaxMethodUnits || int64(mcount > 0 ? mcount : 0) * 2 > in.Left()) return false;
        if (mcount > 0)
        {
            u16char units[MaxMethodUnits + 1];
            std::memcpy(units, in.p, size_t(mcount) * 2);
            units[mcount] = 0;
            in.p += mcount * 2;
            f->method_name = String(units, mcount);
        }
        const int number = CompressAlgorithmIndex(f->method_name);
        f->method = (number >= 1 && number <= 9) ? number : 0;
        if (!in.U32(f->size) || !in.U32(f->stored_size) || in.Left() < 16) return false;
        std::memcpy(f->reserved, in.p, 16);
        in.p += 16;
        if (!in.U32(f->offset)) return false;
        // Every byte handed out later must exist before the directory.
        const uint32 occupied = f->method ? f->stored_size : f->size;
        if (f->size > uint32(INT_MAX) || occupied > uint32(INT_MAX)) return false;
        if (f->method && f->size > MaxUnpackedSize) return false;
        if (int64(f->offset) + int64(occupied) > in.dir_offset) return false;
        folder->files.push_back(std::move(f));
    }
    folder->SortForLookup();
    return true;
}

bool HAC3::LoadFolder(Stream *s, HacFolder<Hac3File> *folder)
{
    if (!s || !folder) return false;
    const int64 pos = s->Position;
    const int64 size = s->Size;
    if (pos < 0 || size < pos || size - pos > INT_MAX) return false;
    std::vector<uint8> dir(static_cast<size_t>(size - pos));
    if (!dir.empty() && !s->ReadFullyAt(pos, dir.data(), int(dir.size()))) return false;
    // The entries are served from this archive's stream, so their bytes must lie in
    // its data area (before its directory), wherever this record comes from.
    int64 limit = data_end;
    if (limit <= 0) limit = stream ? int64(stream->Size) - 4 : 0;
    DirReader in{dir.data(), dir.data() + dir.size(), limit};
    const bool ok = LoadFolder(in, folder, 0);
    s->Position = pos + (in.p - dir.data());
    return ok;
}

bool HAC3::ReadStored(const Hac3File *file, int64 at, void *dest, int length)
{
    if (length == 0) return true;
    if (stream->ReadFullyAt(at, dest, length)) return true;
    PutError(u"读取HAC文件数据<%s>失败！", file->name.c_str());
    return false;
}

// A compressed file whose method cannot be served fails before its output block
// is allocated.
bool HAC3::CanDecode(const Hac3File *file, const u16char *nameForLog)
{
    if (!file->method || file->size == 0 || GetCompressInterface(file->method_name)) return true;
    PutError(u"解压文件<%s>失败，使用的是<%s>压缩算法！", nameForLog, file->method_name.c_str());
    return false;
}

// Decompresses the whole file into dest (file->size bytes).
bool HAC3::ReadWhole(const Hac3File *file, void *dest, const u16char *nameForLog)
{
    if (!file->method) return ReadStored(file, file->offset, dest, int(file->size));
    std::vector<uint8> packed(file->stored_size);
    if (!ReadStored(file, file->offset, packed.data(), int(file->stored_size))) return false;
    const int out =
        Decompress(file->method_name, packed.data(), int(file->stored_size), dest, int(file->size));
    if (out == int(file->size)) return true;
    PutError(u"解压文件<%s>失败，使用的是<%s>压缩算法！", nameForLog, file->method_name.c_str());
    return false;
}

bool HAC3::ReadFilePart(void *entry, int start, int length, void *dest)
{
    const Hac3File *file = static_cast<const Hac3File *>(entry);
    if (!file || !dest) return false;
    if (!PartRange(file->size, start, length)) return false;
    if (!file->method) return ReadStored(file, int64(file->offset) + start, dest, length);
    if (start == 0 && length == int(file->size)) return ReadWhole(file, dest, file->name.c_str());
    PutError(u"压缩的文件不能只读取一部分<%s>,<%d,%d>", file->name.c_str(), start, length);
    return false;
}

Stream *HAC3::LoadFileStreamInFolder(void *folder, const u16char *path, bool toMemory)
{
    const Hac3File *file = path ? SearchFile(Folder(folder), path) : nullptr;
    if (!file)
    {
        PutInfo(u"没有查到所需的文件<%s>", path ? path : u"");
        return nullptr;
    }
    if (!file->method && !toMemory) return new PartStream(stream.get(), file->offset, file->size, true);

    if (!CanDecode(file, path)) return nullptr;
    if (file->size == 0) return new MemStream();
    auto ms = std::make_unique<MemStream>(file->size, true);
    if (!ms->GetData() || !ReadWhole(file, ms->GetData(), path)) return nullptr;
    return ms.release();
}

bool HAC3::LoadFileInFolder(void *folder, const u16char *path, void **buffer, int *size)
{
    if (!buffer || !size) return false;
    const Hac3File *file = path ? SearchFile(Folder(folder), path) : nullptr;
    if (!file)
    {
        PutInfo(u"没有查到所需的文件<%s>", path ? path : u"");
        return false;
    }
    if (!CanDecode(file, path)) return false;
    auto data = std::make_unique<uint8[]>(file->size);
    if (!ReadWhole(file, data.get(), path))
    {
        *buffer = nullptr;
        *size = 0;
        return false;
    }
    *buffer = data.release();
    *size = int(file->size);
    return true;
}
} // namespace hgl
