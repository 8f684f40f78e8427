#pragma once
// The one abstract byte stream of the engine: files, memory blocks and windows
// onto part of another stream all answer this interface.
//
// Everything here is inline or pure virtual, so header-only code (the container
// templates' stream forms) may use a Stream without linking a library.
#include "core/Property.h"
#include "core/String.h"
#include "core/Types.h"

#include <bit>
#include <climits>
#include <cstddef>
#include <cstring>
#include <vector>

namespace hgl
{
static_assert(std::endian::native == std::endian::little,
              "stream integers are little-endian, written straight from memory");

class DataObject;

// Where Seek counts its offset from.
enum SeekOrigin : int
{
    soBegin = 0,
    soCurrent = 1,
    soEnd = 2,
};

class Stream
{
  public:
    // Current byte position (-1 when the stream cannot tell) and total byte size.
    // Bound to the virtual getters and setters below, which concrete streams
    // override; a stream may instead bind them to functions of its own.
    Property<int64> Position;
    Property<int64> Size;

    Stream()
    {
        Position.Bind<&Stream::GetPosition, &Stream::SetPosition>(this);
        Size.Bind<&Stream::GetSize, &Stream::SetSize>(this);
    }
    Stream(const Stream &) = delete;
    Stream &operator=(const Stream &) = delete;
    virtual ~Stream() = default;

    // Bytes transferred, 0 at the end of the data, -1 on failure.
    virtual int Read(void *buffer, int size) = 0;
    virtual int Write(const void *buffer, int size) = 0;

    // origin soBegin: from the start, soEnd: from the end, anything else: from the
    // current position (an offset of 0 there moves nothing). Returns the position after
    // the move, as the stream's setter left it.
    // Works only through the two properties, so a stream that binds them to
    // functions of its own (instead of overriding the virtual getters and
    // setters below) seeks correctly too.
    virtual int64 Seek(int64 offset, int origin)
    {
        if (origin == soBegin)
            Position = offset;
        else if (origin == soEnd)
            Position = Size.Get() + offset;
        else if (offset != 0)
            Position = Position.Get() + offset;
        return Position.Get();
    }

    // What the properties run unless a stream binds them itself. A stream that
    // overrides none of them has no position or size to report (-1).
    virtual int64 GetPosition() const { return -1; }
    virtual void SetPosition(int64) {}
    virtual int64 GetSize() const { return -1; }
    virtual void SetSize(int64) {}

    // Positioned transfers. Streams that can, do them without moving (or sharing)
    // their position; the default moves the position there and transfers.
    virtual int ReadAt(int64 offset, void *buffer, int size)
    {
        if (offset < 0 || size < 0) return -1;
        Position = offset;
        if (Position.Get() != offset) return size == 0 ? 0 : -1;
        return Read(buffer, size);
    }
    virtual int WriteAt(int64 offset, const void *buffer, int size)
    {
        if (offset < 0 || size < 0) return -1;
        Position = offset;
        if (Position.Get() != offset) return -1;
        return Write(buffer, size);
    }

    // Bytes left between the position and the end, or -1 when unknown.
    int64 Remaining() const
    {
        const int64 size = Size.Get();
        const int64 pos = Position.Get();
        if (size < 0 || pos < 0 || pos > size) return -1;
        return size - pos;
    }

    // Reads a whole block at an absolute offset; true only when every byte arrived.
    [[nodiscard]] bool ReadFullyAt(int64 offset, void *buffer, int size)
    {
        if (size < 0) return false;
        char *p = static_cast<char *>(buffer);
        for (int done = 0; done < size;)
        {
            const int got = ReadAt(offset + done, p + done, size - done);
            if (got <= 0) return false;
            done += got;
        }
        return true;
    }

    // Reads a whole block; true only when every byte arrived.
    [[nodiscard]] bool ReadFully(void *buffer, int size)
    {
        if (size < 0) return false;
        if (size == 0) return true;
        char *p = static_cast<char *>(buffer);
        int done = 0;
        while (done < size)
        {
            const int got = Read(p + done, size - done);
            if (got <= 0) return false;
            done += got;
        }
        return true;
    }
    [[nodiscard]] bool WriteFully(const void *buffer, int size)
    {
        if (size < 0) return false;
        if (size == 0) return true;
        const char *p = static_cast<const char *>(buffer);
        int done = 0;
        while (done < size)
        {
            const int put = Write(p + done, size - done);
            if (put <= 0) return false;
            done += put;
        }
        return true;
    }

    template <typename T> bool ReadValue(T &v) { return ReadFully(&v, int(sizeof(T))); }
    template <typename T> bool WriteValue(const T &v) { return WriteFully(&v, int(sizeof(T))); }

    // Longest text a stream form accepts: its bytes must fit an int transfer.
    static constexpr int32 MaxTextUnits = INT_MAX / 2;

    // Reads a text (int32 count, then the UTF-16LE units) into a caller's buffer
    // that holds max_units units plus the terminator. Returns the count, 0 for an
    // empty text (any count below 1), -1 on a short read or a text longer than
    // max_units (then nothing is written to the buffer).
    int ReadUTF16Text(u16char *buffer, int max_units)
    {
        int32 count;
        if (!ReadFully(&count, 4)) return -1;
        if (count < 1)
        {
            if (buffer && max_units >= 0) buffer[0] = 0;
            return 0;
        }
        if (!buffer || count > max_units || count > MaxTextUnits) return -1;
        std::vector<u16char> tmp;
        if (!ReadUnits(tmp, count)) return -1;
        std::memcpy(buffer, tmp.data(), size_t(count) * 2);
        buffer[count] = 0;
        return count;
    }

    // The same into a caller's array, whose size gives the capacity (one unit is
    // kept for the terminator): u16char name[32]; stream->ReadUTF16Text(name).
    template <int N> int ReadUTF16Text(u16char (&buffer)[N])
    {
        static_assert(N > 0, "the buffer needs room for the terminator");
        return ReadUTF16Text(static_cast<u16char *>(buffer), N - 1);
    }

    // Reads a text into a String. Returns the count, 0 for an empty text (the
    // String is cleared), -1 when the count is negative, larger than the data
    // left, or the units cannot be read in full (the String keeps its value).
    int ReadString(String &str)
    {
        int32 count;
        if (!ReadFully(&count, 4)) return -1;
        if (count < 0 || count > MaxTextUnits) return -1;
        if (count == 0)
        {
            str.Clear();
            return 0;
        }
        std::vector<u16char> tmp;
        if (!ReadUnits(tmp, count)) return -1;
        tmp.push_back(0);
        str = String(tmp.data(), int(count));
        return count;
    }

    // Writes a String as a text; true only when every byte was written.
    bool WriteString(const String &str)
    {
        const int32 count = int32(str.Length);
        if (!WriteFully(&count, 4)) return false;
        if (count == 0) return true;
        return WriteFully(str.c_str(), count * 2);
    }

    // Writes a raw UTF-16 text of len units (-1: up to the terminator).
    bool WriteUTF16Text(const u16char *text, int len = -1)
    {
        if (!text)
            len = 0;
        else if (len < 0)
        {
            len = 0;
            while (text[len])
                ++len;
        }
        if (len > MaxTextUnits) return false;
        const int32 count = len;
        if (!WriteFully(&count, 4)) return false;
        return count == 0 || WriteFully(text, count * 2);
    }

    // The object saves or loads itself through its own virtual slots; false for
    // a null object. The templates keep this header free of the DataObject
    // definition; the plain forms (in DataObject.cpp) take a DataObject as such,
    // a null pointer constant included.
    template <typename D> bool ReadObject(D *obj) { return obj ? obj->ReadFromStream(this) : false; }
    template <typename D> bool WriteObject(D *obj) { return obj ? obj->WriteToStream(this) : false; }
    bool ReadObject(DataObject *obj);
    bool WriteObject(DataObject *obj);
    bool ReadObject(std::nullptr_t) { return false; }
    bool WriteObject(std::nullptr_t) { return false; }

  private:
    // Reads count units in bounded chunks, so that a forged count costs no more
    // memory than the data actually present.
    bool ReadUnits(std::vector<u16char> &out, int32 count)
    {
        const int64 left = Remaining();
        if (left >= 0 && int64(count) * 2 > left) return false;
        constexpr int32 chunk = 32768;
        out.clear();
        int32 have = 0;
        while (have < count)
        {
            const int32 n = count - have < chunk ? count - have : chunk;
            out.resize(size_t(have) + size_t(n));
            if (!ReadFully(out.data() + have, n * 2)) return false;
            have += n;
        }
        return true;
    }
};
} // namespace hgl
