#pragma once
// TDF trees: the engine's settings and save format. A node has a name, one block
// of bytes and any number of children; values are children whose data block is
// the value.
//
// Stream form of a node (little-endian, recursive):
//   text name | u32 data size | data | u32 child count | children
// Save writes the children from the last to the first and Load appends them as
// read, so each save-and-load round trip reverses every node's child order.
#include "core/ObjectList.h"
#include "core/String.h"
#include "io/MemStream.h"
#include "io/PlugInABI.h"

namespace hgl
{
class Stream;
class HAC;
class DataObject;

class TDFNode
{
    String name;
    MemStream data;
    ObjectList<TDFNode> children;

    [[nodiscard]] bool LoadNode(Stream *s, int depth, int64 &budget);
    [[nodiscard]] bool SaveNode(Stream *s) const;
    TDFNode *Value(const u16char *key); // the child rewound, or null (a null key too)
    TDFNode *Slot(const u16char *key);  // the child found or added, data cleared

  public:
    // Limits against damaged files.
    static constexpr int MaxDepth = 256;
    static constexpr int64 MaxNodes = 1000000;

    TDFNode();
    explicit TDFNode(Stream *s);
    explicit TDFNode(const u16char *filename);
    TDFNode(HAC *archive, const u16char *path);
    TDFNode(const TDFNode &) = delete;
    TDFNode &operator=(const TDFNode &) = delete;
    virtual ~TDFNode();

    // Clears the node, then loads it; false when the file does not open or is damaged.
    [[nodiscard]] bool LoadFromFile(const u16char *filename);
    // Writes a temporary file beside the target, flushes it to the disk and renames
    // it over the target: a failed save (false) leaves the old file as it was.
    [[nodiscard]] bool SaveToFile(const u16char *filename) const;

    // Appends what the stream holds to this node. Stops at the first short read,
    // oversized count, or past the depth and node limits, keeping what was read
    // before it; false then.
    [[nodiscard]] bool Load(Stream *s);
    // False when any write fell short.
    [[nodiscard]] bool Save(Stream *s) const;
    void Clear();

    const String &GetName() const { return name; }
    void SetName(const String &n) { name = n; }
    MemStream *GetStream() { return &data; }
    int GetChildCount() const { return children.GetCount(); }
    TDFNode *GetChild(int index) const
    {
        return index >= 0 && index < children.GetCount() ? children[index] : nullptr;
    }

    // The last child of that name, or null.
    TDFNode *FindChild(StringView name) const;
    // Appends a child; names are not tested for uniqueness.
    TDFNode *AddChild(const String &name);

    bool GetBool(const u16char *key, bool &v);
    bool GetInt8(const u16char *key, int8 &v);
    bool GetInt16(const u16char *key, int16 &v);
    bool GetUInt32(const u16char *key, uint32 &v);
    bool GetInt32(const u16char *key, int32 &v);
    bool GetFloat(const u16char *key, float &v);
    bool GetInt64(const u16char *key, int64 &v);
    // False for a missing key, a damaged text, and a stored empty text (the
    // String is cleared then).
    bool GetString(const u16char *key, String &v);
    // The text into a buffer of capacity units plus the terminator; false when
    // the key is missing, the text is damaged or does not fit.
    bool GetText(const u16char *key, u16char *buffer, int capacity);
    // The same into a caller's array, whose size gives the capacity (one unit is
    // kept for the terminator).
    template <int N> bool GetText(const u16char *key, u16char (&buffer)[N])
    {
        static_assert(N > 0, "the buffer needs room for the terminator");
        return GetText(key, static_cast<u16char *>(buffer), N - 1);
    }
    bool GetObject(const u16char *key, DataObject *obj);
    // True only when exactly size bytes were there; a shorter block is copied and
    // the rest of the buffer zeroed.
    bool GetData(const u16char *key, void *buffer, int size);

    TDFNode *SetBool(const u16char *key, bool v);
    TDFNode *SetInt8(const u16char *key, int8 v);
    TDFNode *SetInt16(const u16char *key, int16 v);
    TDFNode *SetUInt32(const u16char *key, uint32 v);
    TDFNode *SetInt32(const u16char *key, int32 v);
    TDFNode *SetFloat(const u16char *key, float v);
    TDFNode *SetInt64(const u16char *key, int64 v);
    TDFNode *SetString(const u16char *key, const String &v);
    TDFNode *SetObject(const u16char *key, DataObject *obj);
    TDFNode *SetData(const u16char *key, const void *buffer, int size);

    // Compressed blocks: a key child naming the method (empty: stored) and a data
    // child. Results are bytes produced, -1 without the data child.
    int LoadCompressDataByKey(const String &key, const String &dataKey, void *dest, int size);
    int LoadCompressData(const String &dataKey, void *dest, int size);
    int LoadCompressImageByKey(const String &key, const String &dataKey, void *dest, int width, int height,
                               int channels);
    int LoadCompressImage(const String &dataKey, void *dest, int width, int height, int channels);
    // The same through a node pointer that may be null (a child that was not
    // found): a null node gives -1, like a missing data child.
    static int LoadCompressDataByKey(TDFNode *node, const String &key, const String &dataKey, void *dest,
                                     int size);
    static int LoadCompressData(TDFNode *node, const String &dataKey, void *dest, int size);
    static int LoadCompressImageByKey(TDFNode *node, const String &key, const String &dataKey, void *dest,
                                      int width, int height, int channels);
    static int LoadCompressImage(TDFNode *node, const String &dataKey, void *dest, int width, int height,
                                 int channels);
    // Stores the picture compressed when that makes it smaller, else raw. False
    // only for a picture size that cannot be held (nothing is stored then).
    bool SaveCompressImageByKey(const String &key, const String &dataKey, const void *pixels, int width,
                                int height, int channels, const String &method, CompressExtra extra = 0);
    bool SaveCompressImage(const String &dataKey, const void *pixels, int width, int height, int channels,
                           const String &method, CompressExtra extra = 0);
};

// The standard name of a compressed block's key child.
extern const u16char TDFCompressKey[];
} // namespace hgl
