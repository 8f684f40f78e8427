#include "graphics/texture/ImageBlock.h"

#include "core/Log.h"
#include "graphics/ColorType.h"
#include "io/TDF.h"

namespace hgl
{
namespace
{
const u16char ZipMethod[] = u"Zip";
const u16char ImageKey[] = u"Image";

// Deflate never packs better than 1032 to 1; a block claiming more is damaged,
// and is refused before its picture is allocated.
constexpr int64 MaxZipRatio = 1032;
constexpr int64 ZipSlack = 64;

bool StoredSizeFits(const String &method, int64 stored, int64 raw)
{
    if (method.Length == 0) return stored == raw;
    return stored > 0 && raw <= stored * MaxZipRatio + ZipSlack;
}
} // namespace

bool ReadBoundedInt(TDFNode *node, const u16char *key, int low, int high, int &value, const u16char *what)
{
    int32 v = 0;
    if (!node->GetInt32(key, v))
    {
        PutError(u"图片文件缺少数值<%s>:<%s>", what, key);
        return false;
    }
    if (v < low || v > high)
    {
        PutError(u"图片文件数值超出范围<%s>:<%s>=%d", what, key, v);
        return false;
    }
    value = v;
    return true;
}

int ImageBlock::Channels() const
{
    return ColorTypeChannels(color_type);
}

bool ImageBlock::Valid() const
{
    if (width < 1 || width > MaxSide || height < 1 || height > MaxSide || Channels() == 0) return false;
    return int64(pixels.size()) == int64(width) * height * Channels();
}

bool ImageBlock::Read(TDFNode *node, const u16char *what)
{
    *this = ImageBlock();
    int w = 0, h = 0, ct = 0;
    if (!ReadBoundedInt(node, u"Width", 1, MaxSide, w, what) ||
        !ReadBoundedInt(node, u"Height", 1, MaxSide, h, what) ||
        !ReadBoundedInt(node, u"ColorType", ctLuminance, ColorTypeMax, ct, what))
        return false;
    uint32 fmt = 0;
    node->GetUInt32(u"Format", fmt);

    TDFNode *data = node->FindChild(ImageKey);
    if (!data)
    {
        PutError(u"图片文件缺少图像数据<%s>", what);
        return false;
    }
    String method;
    node->GetString(TDFCompressKey, method);
    if (method.Length != 0 && method.Comp(ZipMethod) != 0)
    {
        PutError(u"图片文件的压缩算法不支持<%s>:<%s>", what, method.c_str());
        return false;
    }
    const int64 raw = int64(w) * h * ColorTypeChannels(ct);
    if (!StoredSizeFits(method, data->GetStream()->GetSize(), raw))
    {
        PutError(u"图片文件的图像数据大小不符<%s>:%dx%d", what, w, h);
        return false;
    }
    pixels.resize(size_t(raw));
    if (node->LoadCompressImage(String(ImageKey), pixels.data(), w, h, ColorTypeChannels(ct)) != raw)
    {
        PutError(u"图片文件的图像数据损坏<%s>", what);
        pixels.clear();
        return false;
    }
    width = w;
    height = h;
    color_type = ct;
    format = fmt;
    return true;
}

bool ImageBlock::Write(TDFNode *node, const String &method) const
{
    if (!Valid()) return false;
    node->SetInt32(u"Width", width);
    node->SetInt32(u"Height", height);
    node->SetInt32(u"ColorType", color_type);
    node->SetUInt32(u"Format", format);
    return node->SaveCompressImage(String(ImageKey), pixels.data(), width, height, Channels(), method);
}
} // namespace hgl
