// Bytes as a HAC-3 archive: mount, walk the whole tree and read every file in
// every way the interface offers.
#include "io/HAC3.h"
#include "io/MemStream.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace
{
using Folder = hgl::HacFolder<hgl::Hac3File>;

void Walk(hgl::HAC3 &hac, const Folder *folder, int depth)
{
    if (depth > 80) __builtin_trap(); // the reader's depth limit must have held
    for (auto &sub : folder->folders)
        Walk(hac, sub.get(), depth + 1);
    void *handle = const_cast<Folder *>(folder);
    const int count = hac.GetFileCount(handle);
    for (int i = 0; i < count; ++i)
    {
        hgl::String name;
        int size = 0;
        if (!hac.GetFileByIndex(handle, i, name, size)) __builtin_trap();
        if (size > (16 << 20)) continue;
        int found_size = -1;
        const bool found = hac.FindFile(handle, name.c_str(), &found_size) != nullptr;
        if (found_size > (16 << 20)) continue;
        void *buffer = nullptr;
        int got = -1;
        if (hac.LoadFileInFolder(handle, name.c_str(), &buffer, &got))
        {
            // Names may repeat in a damaged folder: compare with the entry found.
            if (!found || got != found_size) __builtin_trap();
            delete[] static_cast<uint8_t *>(buffer);
        }
        std::unique_ptr<hgl::Stream> s(hac.LoadFileStreamInFolder(handle, name.c_str(), false));
        if (s)
        {
            char chunk[512];
            while (s->Read(chunk, sizeof(chunk)) > 0)
            {
            }
        }
        // A stored name holding a separator, or empty, cannot be reached by path.
        void *entry = hac.FindFile(handle, name.c_str(), nullptr);
        if (!entry) continue;
        const int n = found_size; // the entry found, which a repeated name may make another one
        std::vector<uint8_t> part(size_t(n) + 1);
        hac.ReadFilePart(entry, 0, 0, part.data());
        hac.ReadFilePart(entry, n / 2, n - n / 2, part.data());
        hac.ReadFilePart(entry, n, 1, part.data());
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto *ms = new hgl::MemStream;
    if (size) ms->Write(data, int(size));
    hgl::HAC3 hac(ms);
    Walk(hac, hac.GetRoot(), 0);
    hac.FileExist(u"a\\b/c.txt");
    hac.FindFolder(u"\\x\\");
    return 0;
}
