#pragma once
// hgl::HGP: a layered picture loaded from an HGP file (see texture/PictureFile.h),
// on disk or in an archive; each layer is a texture of its own. A missing or
// damaged file gives the empty picture (0 x 0, no layers), which draws nothing.
//
// hgl::HGPSame: the same file and drawing, with layers of the HGPSameLayer kind;
// two pictures of one name serve to draw a picture and its tinted shadow.
#include "core/ObjectList.h"
#include "core/Point.h"
#include "core/Property.h"
#include "core/StringView.h"
#include "graphics/hgp/HGPLayer.h"
#include "io/DataObject.h"

namespace hgl
{
class HAC;
class Stream;

class HGP : public DataObject
{
    int width = 0, height = 0;
    unsigned int format = 0;
    bool mipmap = false;

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetLayerCount() const { return layers.GetCount(); }
    void InitPrivate();
    // Where the layer's rectangle lands when the whole picture goes onto corner.
    void LayerCorners(const HGPLayer *layer, const Point2f corner[4], Point2f out[4]) const;

  protected:
    ObjectList<HGPLayer> layers;

    // An empty picture that loads nothing yet (for derived kinds).
    HGP(unsigned int gl_format, bool use_mipmap);
    virtual HGPLayer *NewLayer() { return new HGPLayer; }
    void LoadFile(const u16char *filename);
    void LoadFile(HAC *archive, const u16char *filename);

  public:
    Property<int> Width;      // read only, pixels
    Property<int> Height;     // read only, pixels
    Property<int> LayerCount; // read only

    // format: GL internal format for every layer, 0 = each layer's recommended one.
    HGP(const u16char *filename, unsigned int gl_format, bool use_mipmap);
    HGP(HAC *archive, const u16char *filename, unsigned int gl_format, bool use_mipmap);
    ~HGP() override = default;

    // Replaces the picture by the one the stream holds; on failure the picture is
    // empty and false returned.
    bool ReadFromStream(Stream *s) override;
    // Writes the picture (its layers read back from their textures) as an HGP file.
    bool WriteToStream(Stream *s) override;

    bool IsEmpty() const { return layers.GetCount() == 0; }

    // Every visible layer, first to last, at its place; nothing at scale 0.
    void Draw(double x, double y, double scale_x = 1, double scale_y = 1);
    // One layer whatever its alpha; nothing for an index out of range.
    void DrawLayer(int index, double x, double y, double scale_x = 1, double scale_y = 1);
    // The picture (or one layer at its place in it) mapped onto four corners:
    // top-left, top-right, bottom-right, bottom-left.
    void DrawQuad(const Point2f corner[4]);
    void DrawLayerQuad(int index, const Point2f corner[4]);

    HGPLayer *GetLayer(int index) const;
    // The last layer of that name: its index (-1 when there is none), or the layer
    // (null). Nothing is allocated, so a draw may look its layers up every frame.
    int FindLayerIndex(StringView name) const;
    HGPLayer *FindLayer(StringView name) const;

    void SetAlpha(float alpha);
    void SetColor(float r, float g, float b, float a);
    void SetBlendMode(int mode);
};

class HGPSame : public HGP
{
  protected:
    HGPLayer *NewLayer() override { return new HGPSameLayer; }

  public:
    HGPSame(const u16char *filename, unsigned int gl_format, bool use_mipmap);
    HGPSame(HAC *archive, const u16char *filename, unsigned int gl_format, bool use_mipmap);

    HGPSameLayer *GetLayer(int index) const { return static_cast<HGPSameLayer *>(HGP::GetLayer(index)); }
    HGPSameLayer *FindLayer(StringView name) const
    {
        return static_cast<HGPSameLayer *>(HGP::FindLayer(name));
    }
};
} // namespace hgl
