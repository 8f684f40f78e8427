// Bytes as a ".history" file: read straight and through a window's LoadHistory,
// only whole digests are taken, each once, in ascending order, and a window that
// read them writes a file that reads back to the same index.
#include "MessageFuzz.h"

#include "io/FileHelpers.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
bool Sorted(const hgl::OnlyList<avg::MsgIndex> &index)
{
    for (int i = 1; i < index.Count; ++i)
        if (std::memcmp(index[i - 1].digest, index[i].digest, 16) >= 0) return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    msgfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::OnlyList<avg::MsgIndex> index;
    const int read = avg::GameDialogBox::ReadHistory(data, hgl::int64(size), index);
    const int whole = size > 4 ? int((size - 4) / 16) : 0;
    if (read != whole || index.Count > whole || !Sorted(index)) __builtin_trap();

    const std::string file = msgfuzz::root_folder + "/Save/fuzz.history";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), std::streamsize(size));
    }
    {
        msgfuzz::Window w;
        if (w.box->GetReadIndexCount() != index.Count || !Sorted(w.box->GetReadIndex())) __builtin_trap();
        // The window's end writes the file again: the count of its script (none
        // here) and the same digests.
    }
    std::ifstream in(file, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (written.size() != 4 + 16 * size_t(index.Count.Get())) __builtin_trap();
    for (int i = 0; i < index.Count; ++i)
        if (std::memcmp(written.data() + 4 + 16 * i, index[i].digest, 16) != 0) __builtin_trap();
    return 0;
}
