#include "game/core/Config.h"

#include "core/Log.h"
#include "game/core/SaveFolder.h"
#include "io/FileHelpers.h"
#include "io/TDF.h"

#include <cmath>
#include <vector>

namespace avg::config
{
GraphicsConfig graphics_config;
AudioConfig audio_config;

namespace
{
constexpr float kGainPerUnit = 0.001f;
constexpr int kMinScreenSide = 64;
constexpr int kMaxScreenSide = 16384;
constexpr int kMaxMilliseconds = 600000;
constexpr int kMaxTextSpeed = 10000;
constexpr int kMaxMovieFolder = 99;

const hgl::u16char kRootName[] = u"Config";
const hgl::u16char kGraphics[] = u"Graphics";
const hgl::u16char kAudio[] = u"Audio";
const hgl::u16char kConfigFile[] = u"Config.TDF";

enum class Kind
{
    Byte,
    Int,
    Float,
    Text,
};

// One key of the file: where it lives, its type, its field and the values it may take.
struct Setting
{
    const hgl::u16char *section;
    const hgl::u16char *key;
    Kind kind;
    void *field;
    double low = 0;
    double high = 0;
};

std::vector<Setting> Settings()
{
    GraphicsConfig &g = graphics_config;
    AudioConfig &a = audio_config;
    return {
        {kGraphics, u"speed", Kind::Byte, &g.Speed, 0, 255},
        {kGraphics, u"AutoSave", Kind::Byte, &g.AutoSave, 0, 255},
        {kGraphics, u"Text Speed", Kind::Int, &g.TextSpeed, 0, kMaxTextSpeed},
        {kGraphics, u"End Wait Time", Kind::Int, &g.EndWaitTime, 0, kMaxMilliseconds},
        {kGraphics, u"Alpha", Kind::Float, &g.Alpha, 0, 1},
        {kGraphics, u"Auto Continue", Kind::Byte, &g.AutoContinue, 0, 255},
        {kGraphics, u"Not 4:3 ProcMode", Kind::Byte, &g.Not43ProcMode, 0, 255},
        {kGraphics, u"Screen Width", Kind::Int, &g.ScreenWidth, kMinScreenSide, kMaxScreenSide},
        {kGraphics, u"Screen Height", Kind::Int, &g.ScreenHeight, kMinScreenSide, kMaxScreenSide},
        {kGraphics, u"movie_quantity", Kind::Int, &g.MovieQuantity, 0, kMaxMovieFolder},
        {kGraphics, u"Msg Chs Font", Kind::Text, &g.MsgChsFont},
        {kGraphics, u"Msg Eng Font", Kind::Text, &g.MsgEngFont},
        {kAudio, u"BGM", Kind::Int, &a.BGM, 0, kMaxVolume},
        {kAudio, u"SE", Kind::Int, &a.SE, 0, kMaxVolume},
        {kAudio, u"Voice", Kind::Int, &a.Voice, 0, kMaxVolume},
    };
}

// Reads one key into its field when it is there and acceptable; false only for a
// present key whose value is refused.
bool ReadSetting(hgl::TDFNode &section, const Setting &s)
{
    if (!section.FindChild(s.key)) return true;
    switch (s.kind)
    {
    case Kind::Byte:
    {
        hgl::int8 v;
        if (!section.GetInt8(s.key, v)) return false;
        *static_cast<hgl::uint8 *>(s.field) = hgl::uint8(v);
        return true;
    }
    case Kind::Int:
    {
        hgl::int32 v;
        if (!section.GetInt32(s.key, v) || v < s.low || v > s.high) return false;
        *static_cast<int *>(s.field) = v;
        return true;
    }
    case Kind::Float:
    {
        float v;
        if (!section.GetFloat(s.key, v) || !std::isfinite(v) || v < s.low || v > s.high) return false;
        *static_cast<float *>(s.field) = v;
        return true;
    }
    case Kind::Text:
    {
        hgl::String v;
        if (!section.GetString(s.key, v)) return false;
        *static_cast<hgl::String *>(s.field) = v;
        return true;
    }
    }
    return false;
}

void WriteSetting(hgl::TDFNode &section, const Setting &s)
{
    switch (s.kind)
    {
    case Kind::Byte:
        section.SetInt8(s.key, hgl::int8(*static_cast<hgl::uint8 *>(s.field)));
        break;
    case Kind::Int:
        section.SetInt32(s.key, *static_cast<int *>(s.field));
        break;
    case Kind::Float:
        section.SetFloat(s.key, *static_cast<float *>(s.field));
        break;
    case Kind::Text:
        section.SetString(s.key, *static_cast<hgl::String *>(s.field));
        break;
    }
}
} // namespace

float VolumeGain(int value)
{
    return float(value) * kGainPerUnit;
}

void ResetConfig()
{
    graphics_config = GraphicsConfig();
    audio_config = AudioConfig();
}

bool LoadConfig(const hgl::String &filename)
{
    ResetConfig();
    if (!hgl::FileExist(filename.c_str())) return true;
    hgl::TDFNode root;
    if (!root.LoadFromFile(filename.c_str()) || root.GetName() != kRootName)
    {
        hgl::PutError(u"配置文件<%s>已损坏，使用缺省设置", filename.c_str());
        return false;
    }
    for (const Setting &s : Settings())
    {
        hgl::TDFNode *section = root.FindChild(s.section);
        if (section && !ReadSetting(*section, s))
            hgl::PutError(u"配置项<%s:%s>无效，使用缺省值", s.section, s.key);
    }
    return true;
}

bool SaveConfig(const hgl::String &filename)
{
    hgl::TDFNode root;
    root.SetName(kRootName);
    hgl::TDFNode *graphics = root.AddChild(kGraphics);
    hgl::TDFNode *audio = root.AddChild(kAudio);
    for (const Setting &s : Settings())
        WriteSetting(s.section == kGraphics ? *graphics : *audio, s);
    if (root.SaveToFile(filename.c_str())) return true;
    hgl::PutError(u"保存配置文件<%s>失败!", filename.c_str());
    return false;
}

bool LoadConfig()
{
    return LoadConfig(SavePath(kConfigFile));
}

bool SaveConfig()
{
    return SaveConfig(SavePath(kConfigFile));
}
} // namespace avg::config
