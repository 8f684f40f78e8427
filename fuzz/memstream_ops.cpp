// Random operation sequences on a memory stream and windows onto it, checked
// step by step against a plain byte-vector model.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/String.h"
#include "io/MemStream.h"
#include "io/PartStream.h"

using namespace hgl;

namespace
{
struct Input
{
    const uint8_t *p;
    size_t n;
    uint8_t Byte() { return n ? (--n, *p++) : 0; }
    int16_t Short()
    {
        const uint16_t lo = Byte(), hi = Byte();
        return int16_t(lo | (hi << 8));
    }
};

struct Model
{
    bool has = false;
    bool fixed = false;
    std::vector<uint8_t> data;
    int64_t pos = 0;

    int64_t Size() const { return has ? int64_t(data.size()) : 0; }
    int64_t Pos() const { return has ? pos : -1; }
    void SetPos(int64_t v)
    {
        if (!has) return;
        pos = v < 0 ? 0 : (v < Size() ? v : Size());
    }
    int Write(const uint8_t *b, int n)
    {
        if (!has)
        {
            data.assign(b, b + n);
            has = true;
            pos = n;
            return n;
        }
        return WriteAt(pos, b, n, true);
    }
    int WriteAt(int64_t off, const uint8_t *b, int n, bool move)
    {
        if (!has)
        {
            if (off != 0) return -1;
            return Write(b, n);
        }
        if (off > Size()) return -1;
        if (Size() - off < n)
        {
            if (fixed)
                n = int(Size() - off);
            else
                data.resize(size_t(off + n));
        }
        if (n > 0) std::memcpy(data.data() + off, b, size_t(n));
        if (move) pos = off + n;
        return n;
    }
    int ReadAt(int64_t off, uint8_t *b, int n) const
    {
        if (!has || off >= Size()) return 0;
        if (Size() - off < n) n = int(Size() - off);
        if (n > 0) std::memcpy(b, data.data() + off, size_t(n));
        return n;
    }
};

[[noreturn]] void Fail(const char *what, int step)
{
    std::fprintf(stderr, "stream model mismatch: %s at step %d\n", what, step);
    std::abort();
}

#define CHECK(c)                                                                                             \
    do                                                                                                       \
    {                                                                                                        \
        if (!(c)) Fail(#c, step);                                                                            \
    } while (0)

void Same(const MemStream &m, const Model &model, int step)
{
    CHECK(m.GetPosition() == model.Pos());
    CHECK(m.GetSize() == model.Size());
    CHECK(m.HasBuffer() == model.has);
    if (model.has && !model.data.empty())
        CHECK(std::memcmp(m.GetData(), model.data.data(), model.data.size()) == 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in{data, size};
    MemStream m;
    Model model;
    uint8_t buf[300], want[300];
    for (int step = 0; in.n > 0 && step < 400; ++step)
    {
        const uint8_t op = in.Byte() % 11;
        switch (op)
        {
        case 0:
        { // Write
            const int n = in.Byte();
            for (int i = 0; i < n; ++i)
                buf[i] = in.Byte();
            CHECK(m.Write(buf, n) == model.Write(buf, n));
            break;
        }
        case 1:
        { // Read
            const int n = in.Byte();
            const int expect = model.ReadAt(model.Pos() < 0 ? 0 : model.pos, want, n);
            const int got = m.Read(buf, n);
            CHECK(got == expect);
            if (got > 0)
            {
                CHECK(std::memcmp(buf, want, size_t(got)) == 0);
                model.pos += got;
            }
            break;
        }
        case 2:
        { // Position
            const int64_t v = in.Short();
            m.Position = v;
            model.SetPos(v);
            break;
        }
        case 3:
        { // Size
            const int64_t v = in.Short() % 600;
            const int64_t old_size = m.GetSize();
            m.Size = v;
            if (model.has && !model.fixed && v >= 0 && v != model.Size())
            {
                // Grown bytes are undefined: give both the same content.
                if (v > old_size) std::memset(m.GetData() + old_size, 0, size_t(v - old_size));
                model.data.resize(size_t(v), 0);
                if (model.pos > v) model.pos = v;
            }
            break;
        }
        case 4:
        { // Seek
            const int64_t off = in.Short();
            const int origin = in.Byte() % 4; // 3: any other origin = from the current position
            int64_t r = m.Seek(off, origin == 3 ? 7 : origin);
            if (origin == 0)
                model.SetPos(off);
            else if (origin == 2)
                model.SetPos(model.Size() + off);
            else if (off != 0)
                model.SetPos(model.Pos() + off);
            CHECK(r == model.Pos());
            break;
        }
        case 5:
        { // Create
            const int n = in.Byte();
            const bool fixed = in.Byte() & 1;
            CHECK(m.Create(n, fixed));
            if (n > 0) std::memset(m.GetData(), 0x5A, size_t(n));
            model.has = true;
            model.fixed = fixed;
            model.data.assign(size_t(n), 0x5A);
            model.pos = 0;
            break;
        }
        case 6: // Clear
            m.Clear();
            model = Model();
            break;
        case 7:
        { // a window: read
            const int64_t start = in.Byte(), length = in.Byte();
            PartStream part(&m, start, length, true);
            const int64_t wpos = in.Byte();
            part.Position = wpos;
            const int64_t cpos = wpos > length ? length : wpos;
            CHECK(part.Position == cpos);
            const int n = in.Byte();
            int expect = 0;
            if (length - cpos > 0)
                expect = model.ReadAt(start + cpos, want, int(n < length - cpos ? n : length - cpos));
            const int got = part.Read(buf, n);
            CHECK(got == expect);
            if (got > 0) CHECK(std::memcmp(buf, want, size_t(got)) == 0);
            CHECK(part.Write(buf, 1) == -1);
            // Setting a window's position moves its parent.
            model.SetPos(start + cpos);
            break;
        }
        case 8:
        { // a window: write
            const int64_t start = in.Byte(), length = in.Byte();
            PartStream part(&m, start, length, false);
            const int64_t wpos = in.Byte() % (length + 1);
            part.Position = wpos;
            model.SetPos(start + wpos);
            const int n = in.Byte();
            for (int i = 0; i < n; ++i)
                buf[i] = in.Byte();
            int expect = 0;
            if (length - wpos > 0)
            {
                const int clipped = int(n < length - wpos ? n : length - wpos);
                expect = clipped == 0 ? 0 : model.WriteAt(start + wpos, buf, clipped, false);
            }
            CHECK(part.Write(buf, n) == expect);
            if (expect > 0) CHECK(part.Position == wpos + expect);
            break;
        }
        case 9:
        { // a text read at the current position must not disturb the bytes
            String s(u"before");
            const int r = m.ReadString(s);
            CHECK(r >= -1);
            if (r < 0) CHECK(s == u"before");
            if (r == 0) CHECK(s.Length == 0);
            if (r > 0) CHECK(s.Length == r);
            model.pos = m.GetPosition() < 0 ? 0 : m.GetPosition();
            u16char text[8];
            const int64_t back = m.GetPosition();
            if (back >= 0)
            {
                m.SetPosition(back);
                const int t = m.ReadUTF16Text(text, 7);
                CHECK(t >= -1 && t <= 7);
                if (t >= 0) CHECK(text[t] == 0);
                m.SetPosition(back);
            }
            break;
        }
        case 10:
        { // block save and load, and a text round trip
            MemStream out;
            CHECK(m.SaveToStream(&out));
            out.Position = 0;
            MemStream back;
            CHECK(back.LoadFromStream(&out));
            CHECK(back.GetSize() == model.Size());
            if (model.Size() > 0)
                CHECK(std::memcmp(back.GetData(), model.data.data(), model.data.size()) == 0);
            const int len = in.Byte() % 40;
            std::vector<u16char> units(size_t(len) + 1, 0);
            for (int i = 0; i < len; ++i)
                units[size_t(i)] = u16char(in.Byte() | 0x100);
            String s(units.data(), len);
            MemStream t;
            CHECK(t.WriteString(s));
            t.Position = 0;
            String r;
            CHECK(t.ReadString(r) == len);
            CHECK(r == s);
            break;
        }
        }
        Same(m, model, step);
    }
    return 0;
}
