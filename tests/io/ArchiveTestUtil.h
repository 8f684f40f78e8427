#pragma once
// Shared helpers of the archive tests: archives built by the writer into a
// temp folder, byte builders for hand-made files, and ways of reading back.
#include "io/HAC.h"
#include "io/Core.h"
#include "io/HAC3.h"
#include "io/Stream.h"
#include "support/BuildPlugIns.h"
#include "support/TempDir.h"
#include "tools/hacpack/HacWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace archive_test
{
using hgl::test::UseBuildPlugIns;

// Little-endian fields as the archive formats store them; a text is a u32
// count of units, then UTF-16LE.
struct ByteWriter
{
    std::vector<uint8_t> b;

    ByteWriter &U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    ByteWriter &Text(const std::u16string &s)
    {
        U32(uint32_t(s.size()));
        for (char16_t c : s)
            b.push_back(uint8_t(c & 0xFF)), b.push_back(uint8_t(c >> 8));
        return *this;
    }
    ByteWriter &Raw(const std::string &s)
    {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    ByteWriter &Raw(const std::vector<uint8_t> &r)
    {
        b.insert(b.end(), r.begin(), r.end());
        return *this;
    }
    uint32_t Here() const { return uint32_t(b.size()); }
};

inline void PutU32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

// UTF-16 bytes without a byte-order mark.
inline std::string Utf16LE(const std::u16string &s)
{
    std::string out;
    for (char16_t c : s)
        out.push_back(char(c & 0xFF)), out.push_back(char(c >> 8));
    return out;
}

inline std::string Utf16BE(const std::u16string &s)
{
    std::string out;
    for (char16_t c : s)
        out.push_back(char(c >> 8)), out.push_back(char(c & 0xFF));
    return out;
}

// Writes the archive into the temp folder and mounts it.
inline std::unique_ptr<hgl::HAC> Mount(const hgl::test::TempDir &dir, const hgl::hacpack::HacWriter &w,
                                       const std::string &name = "test.hac")
{
    std::string err;
    EXPECT_TRUE(w.WriteFile(dir.File(name), &err)) << err;
    return std::unique_ptr<hgl::HAC>(hgl::OpenHAC(dir.File16(name).c_str()));
}

inline std::unique_ptr<hgl::HAC> MountBytes(const hgl::test::TempDir &dir, const std::vector<uint8_t> &bytes,
                                            const std::string &name = "raw.hac")
{
    EXPECT_TRUE(dir.WriteFile(name, bytes));
    return std::unique_ptr<hgl::HAC>(hgl::OpenHAC(dir.File16(name).c_str()));
}

// The bytes of a buffer handed out by LoadFile, which is freed.
inline std::string Take(void *buf, int size)
{
    std::string s(static_cast<char *>(buf), size_t(size));
    delete[] static_cast<uint8_t *>(buf);
    return s;
}

inline std::string LoadText(hgl::HAC *hac, const char16_t *path)
{
    void *buf = nullptr;
    int size = -1;
    if (!hac->LoadFile(path, &buf, &size)) return "<missing>";
    return Take(buf, size);
}

// Everything a stream holds, from its start; the stream is kept.
inline std::string ReadAll(hgl::Stream *s)
{
    if (!s) return "<null>";
    std::string out;
    char buf[4096];
    s->Position = 0;
    int n;
    while ((n = s->Read(buf, sizeof(buf))) > 0)
        out.append(buf, size_t(n));
    return out;
}

// The same for a stream handed out by the archive, which is deleted.
inline std::string Drain(hgl::Stream *s)
{
    std::unique_ptr<hgl::Stream> owned(s);
    return ReadAll(s);
}

// The file at path is found and delivers content through every way of reading
// it: whole, as a stream over the archive, and as a stream copied into memory.
inline void ExpectServes(hgl::HAC *hac, const char16_t *path, const std::string &content)
{
    SCOPED_TRACE(hgl::hacpack::Utf16ToUtf8(path));
    EXPECT_TRUE(hac->FileExist(path));
    EXPECT_EQ(LoadText(hac, path), content);
    EXPECT_EQ(Drain(hac->LoadFileStream(path, false)), content);
    EXPECT_EQ(Drain(hac->LoadFileStream(path, true)), content);
}
} // namespace archive_test
