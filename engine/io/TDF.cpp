#include "io/TDF.h"

#include "io/BufferedReadStream.h"
#include "io/Compress.h"
#include "io/DataObject.h"
#include "io/FileStream.h"
#include "io/HAC.h"
#include "platform/File.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace hgl
{
const u16char TDFCompressKey[] = u"压缩算法";

namespace
{
constexpr int64 MinNodeBytes = 4 + 4 + 4; // empty name, no data, no children

// Reads exactly size bytes in bounded chunks, so that a forged size costs no more
// memory than the bytes really present.
bool ReadBlock(Stream *s, uint32 size, std::vector<uint8> &out)
{
    out.clear();
    constexpr uint32 chunk = 1u << 16;
    while (out.size() < size)
    {
        const uint32 n = std::min<uint32>(chunk, size - uint32(out.size()));
        const size_t at = out.size();
        out.resize(at + n);
        if (!s->ReadFully(out.data() + at, int(n))) return false;
    }
    return true;
}

// Data kept without compression, copied out up to room bytes; the bytes copied.
int CopyStored(const MemStream &data, void *dest, int64 room)
{
    const int n = int(std::min<int64>(data.GetSize(), room));
    if (n > 0) std::memcpy(dest, data.GetData(), size_t(n));
    return n;
}
} // namespace

TDFNode::TDFNode() = default;

TDFNode::TDFNode(Stream *s)
{
    // A constructor has no result: a damaged tree stays as far as it was read, and
    // Load is the form that reports.
    if (s) (void)Load(s);
}

TDFNode::TDFNode(const u16char *filename)
{
    if (!filename) return;
    FileStream fs;
    if (fs.Open(filename, fomOpenRead)) (void)Load(&fs); // as above; LoadFromFile reports
}

TDFNode::TDFNode(HAC *archive, const u16char *path)
{
    if (!archive || !path || !*path) return;
    const std::unique_ptr<Stream> s(archive->LoadFileStream(path, false));
    if (s) (void)Load(s.get()); // as above: the constructor has no result
}

TDFNode::~TDFNode()
{
    Clear();
}

void TDFNode::Clear()
{
    name.Clear();
    data.Clear();
    children.Clear();
}

bool TDFNode::LoadFromFile(const u16char *filename)
{
    Clear();
    if (!filename) return false;
    FileStream fs;
    if (!fs.Open(filename, fomOpenRead)) return false;
    return Load(&fs);
}

bool TDFNode::Load(Stream *s)
{
    if (!s) return false;
    int64 budget = MaxNodes;
    const int64 pos = s->Position;
    const int64 size = s->Size;
    if (dynamic_cast<MemStream *>(s) || pos < 0 || size < 0) return LoadNode(s, 0, budget);
    // A tree is read in many small pieces: buffered, and the stream then put where
    // the tree ended.
    BufferedReadStream rb(s);
    const bool ok = LoadNode(&rb, 0, budget);
    s->Position = rb.GetPosition();
    return ok;
}

bool TDFNode::LoadNode(Stream *s, int depth, int64 &budget)
{
    if (depth > MaxDepth || --budget < 0) return false;
    if (s->ReadString(name) < 0) return false;

    uint32 size;
    if (!s->ReadValue(size)) return false;
    const int64 left = s->Remaining();
    if (size > uint32(INT_MAX) || (left >= 0 && int64(size) > left)) return false;
    std::vector<uint8> block;
    if (!ReadBlock(s, size, block)) return false;
    data.Clear();
    if (size > 0 && !data.WriteFully(block.data(), int(size))) return false;
    data.Position = 0;

    uint32 count;
    if (!s->ReadValue(count)) return false;
    const int64 rest = s->Remaining();
    if (rest >= 0 && int64(count) > rest / MinNodeBytes) return false;
    for (uint32 i = 0; i < count; ++i)
    {
        auto child = std::make_unique<TDFNode>();
        // A child whose name could not be read is not kept; one that broke off
        // later keeps what it read, and the load ends there.
        const int64 before = budget;
        const bool loaded = child->LoadNode(s, depth + 1, budget);
        if (loaded || child->name.Length != 0 || before - budget > 1 || child->GetChildCount() != 0)
            children.Add(child.release());
        if (!loaded) return false;
    }
    return true;
}

bool TDFNode::Save(Stream *s) const
{
    return s && SaveNode(s);
}

bool TDFNode::SaveNode(Stream *s) const
{
    const int n = children.GetCount();
    const int64 size = data.GetSize();
    if (size < 0 || size > INT_MAX) return false;
    const uint32 usize = uint32(size);
    if (!s->WriteString(name) || !s->WriteValue(usize)) return false;
    if (usize > 0 && !s->WriteFully(data.GetData(), int(usize))) return false;
    if (!s->WriteValue(uint32(n))) return false;
    for (int i = n - 1; i >= 0; --i)
        if (!children[i]->SaveNode(s)) return false;
    return true;
}

bool TDFNode::SaveToFile(const u16char *filename) const
{
    if (!filename || !*filename) return false;
    MemStream out;
    if (!Save(&out)) return false;

    return platform::FileWriteWhole(filename, out.GetData(), out.GetSize());
}

TDFNode *TDFNode::FindChild(StringView n) const
{
    for (int i = children.GetCount() - 1; i >= 0; --i)
        if (StringView(children[i]->name) == n) return children[i];
    return nullptr;
}

TDFNode *TDFNode::AddChild(const String &n)
{
    auto *child = new TDFNode;
    child->name = n;
    children.Add(child);
    return child;
}

TDFNode *TDFNode::Value(const u16char *key)
{
    if (!key) return nullptr;
    TDFNode *child = FindChild(key);
    if (child) child->data.Position = 0;
    return child;
}

TDFNode *TDFNode::Slot(const u16char *key)
{
    TDFNode *child = FindChild(key);
    if (!child) child = AddChild(key);
    child->data.Clear();
    return child;
}

namespace
{
template <typename T> bool GetFixed(TDFNode *child, T &v)
{
    if (!child) return false;
    T tmp;
    if (child->GetStream()->Read(&tmp, int(sizeof(T))) != int(sizeof(T))) return false;
    v = tmp;
    return true;
}

template <typename T> TDFNode *SetFixed(TDFNode *child, const T &v)
{
    child->GetStream()->Write(&v, int(sizeof(T)));
    return child;
}
} // namespace

bool TDFNode::GetBool(const u16char *key, bool &v)
{
    uint8 b;
    if (!GetFixed(Value(key), b)) return false;
    v = b != 0;
    return true;
}
bool TDFNode::GetInt8(const u16char *key, int8 &v)
{
    return GetFixed(Value(key), v);
}
bool TDFNode::GetInt16(const u16char *key, int16 &v)
{
    return GetFixed(Value(key), v);
}
bool TDFNode::GetUInt32(const u16char *key, uint32 &v)
{
    return GetFixed(Value(key), v);
}
bool TDFNode::GetInt32(const u16char *key, int32 &v)
{
    return GetFixed(Value(key), v);
}
bool TDFNode::GetFloat(const u16char *key, float &v)
{
    return GetFixed(Value(key), v);
}
bool TDFNode::GetInt64(const u16char *key, int64 &v)
{
    return GetFixed(Value(key), v);
}

bool TDFNode::GetString(const u16char *key, String &v)
{
    TDFNode *child = Value(key);
    return child && child->data.ReadString(v) > 0;
}

bool TDFNode::GetText(const u16char *key, u16char *buffer, int capacity)
{
    TDFNode *child = Value(key);
    if (!child || !buffer || capacity < 0) return false;
    return child->data.ReadUTF16Text(buffer, capacity) >= 0;
}

bool TDFNode::GetObject(const u16char *key, DataObject *obj)
{
    TDFNode *child = Value(key);
    return child && obj && child->data.ReadObject(obj);
}

bool TDFNode::GetData(const u16char *key, void *buffer, int size)
{
    TDFNode *child = Value(key);
    if (!child || !buffer || size < 0) return false;
    int got = size > 0 ? child->data.Read(buffer, size) : 0;
    if (got < 0) got = 0;
    if (got < size) std::memset(static_cast<uint8 *>(buffer) + got, 0, size_t(size - got));
    return got == size;
}

TDFNode *TDFNode::SetBool(const u16char *key, bool v)
{
    return SetFixed(Slot(key), uint8(v ? 1 : 0));
}
TDFNode *TDFNode::SetInt8(const u16char *key, int8 v)
{
    return SetFixed(Slot(key), v);
}
TDFNode *TDFNode::SetInt16(const u16char *key, int16 v)
{
    return SetFixed(Slot(key), v);
}
TDFNode *TDFNode::SetUInt32(const u16char *key, uint32 v)
{
    return SetFixed(Slot(key), v);
}
TDFNode *TDFNode::SetInt32(const u16char *key, int32 v)
{
    return SetFixed(Slot(key), v);
}
TDFNode *TDFNode::SetFloat(const u16char *key, float v)
{
    return SetFixed(Slot(key), v);
}
TDFNode *TDFNode::SetInt64(const u16char *key, int64 v)
{
    return SetFixed(Slot(key), v);
}

TDFNode *TDFNode::SetString(const u16char *key, const String &v)
{
    TDFNode *child = Slot(key);
    child->data.WriteString(v);
    return child;
}

TDFNode *TDFNode::SetObject(const u16char *key, DataObject *obj)
{
    TDFNode *child = Slot(key);
    if (obj) child->data.WriteObject(obj);
    return child;
}

TDFNode *TDFNode::SetData(const u16char *key, const void *buffer, int size)
{
    TDFNode *child = Slot(key);
    if (buffer && size > 0) child->data.Write(buffer, size);
    return child;
}

int TDFNode::LoadCompressDataByKey(const String &key, const String &dataKey, void *dest, int size)
{
    String method;
    GetString(key.c_str(), method);
    TDFNode *child = FindChild(dataKey);
    if (!child) return -1;
    if (!dest || size < 0) return 0;
    if (method.Length == 0) return CopyStored(child->data, dest, size);
    return Decompress(method, child->data.GetData(), int(child->data.GetSize()), dest, size);
}

int TDFNode::LoadCompressData(const String &dataKey, void *dest, int size)
{
    return LoadCompressDataByKey(String(TDFCompressKey), dataKey, dest, size);
}

int TDFNode::LoadCompressImageByKey(const String &key, const String &dataKey, void *dest, int width,
                                    int height, int channels)
{
    String method;
    GetString(key.c_str(), method);
    TDFNode *child = FindChild(dataKey);
    if (!child) return -1;
    const int64 raw = int64(width) * height * channels;
    if (!dest || width <= 0 || height <= 0 || channels <= 0 || raw > INT_MAX) return 0;
    if (method.Length == 0) return CopyStored(child->data, dest, raw);
    return ImageDecompress(method, dest, child->data.GetData(), int(child->data.GetSize()), width, height,
                           channels);
}

int TDFNode::LoadCompressImage(const String &dataKey, void *dest, int width, int height, int channels)
{
    return LoadCompressImageByKey(String(TDFCompressKey), dataKey, dest, width, height, channels);
}

bool TDFNode::SaveCompressImageByKey(const String &key, const String &dataKey, const void *pixels, int width,
                                     int height, int channels, const String &method, CompressExtra extra)
{
    const int64 raw = int64(width) * height * channels;
    if (!pixels || width <= 0 || height <= 0 || channels <= 0 || raw > INT_MAX) return false;
    const int64 scratch_size = std::min<int64>(raw + raw / 2, INT_MAX);
    std::vector<uint8> scratch(static_cast<size_t>(scratch_size));
    const int n = method.Length ? ImageCompress(method, scratch.data(), int(scratch_size), pixels, width,
                                                height, channels, extra)
                                : 0;
    if (n < 1 || n >= raw)
    {
        SetString(key.c_str(), String());
        SetData(dataKey.c_str(), pixels, int(raw));
    }
    else
    {
        SetString(key.c_str(), method);
        SetData(dataKey.c_str(), scratch.data(), n);
    }
    return true;
}

bool TDFNode::SaveCompressImage(const String &dataKey, const void *pixels, int width, int height,
                                int channels, const String &method, CompressExtra extra)
{
    return SaveCompressImageByKey(String(TDFCompressKey), dataKey, pixels, width, height, channels, method,
                                  extra);
}
} // namespace hgl

namespace hgl
{
int TDFNode::LoadCompressDataByKey(TDFNode *node, const String &key, const String &dataKey, void *dest,
                                   int size)
{
    return node ? node->LoadCompressDataByKey(key, dataKey, dest, size) : -1;
}

int TDFNode::LoadCompressData(TDFNode *node, const String &dataKey, void *dest, int size)
{
    return node ? node->LoadCompressData(dataKey, dest, size) : -1;
}

int TDFNode::LoadCompressImageByKey(TDFNode *node, const String &key, const String &dataKey, void *dest,
                                    int width, int height, int channels)
{
    return node ? node->LoadCompressImageByKey(key, dataKey, dest, width, height, channels) : -1;
}

int TDFNode::LoadCompressImage(TDFNode *node, const String &dataKey, void *dest, int width, int height,
                               int channels)
{
    return node ? node->LoadCompressImage(dataKey, dest, width, height, channels) : -1;
}
} // namespace hgl
