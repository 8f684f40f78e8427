#pragma once
// hgl::Texture: an OpenGL texture object that can make itself current, and
// hgl::Texture2D: a 2D picture texture that draws itself.
//
// A texture whose size the driver cannot hold (no non-power-of-two support) is
// stored padded to powers of two; its texture coordinates are scaled so that
// callers always address the picture itself with 0..1.
#include "core/Color.h"
#include "core/Point.h"
#include "core/Property.h"
#include "core/Types.h"

namespace hgl
{
class HAC;
struct ImageBlock;

// The 16-bit internal format with one alpha bit (GL_RGB5_A1), which pictures with
// hard-edged transparency may ask for.
constexpr unsigned int TextureFormatRGB5A1 = 0x8057;

// Makes a GL texture (of the given contents version) the one later draws take.
void UseTexture(unsigned int target, unsigned int id, uint64 version = 0);

class Texture
{
  protected:
    unsigned int id = 0;     // GL texture name, 0 while empty
    unsigned int target = 0; // GL binding point
    uint64 version = 0;      // of the contents: a new one on every upload

  public:
    explicit Texture(unsigned int gl_target);
    virtual ~Texture();
    Texture(const Texture &) = delete;
    Texture &operator=(const Texture &) = delete;

    unsigned int GetID() const { return id; }
    uint64 GetVersion() const { return version; }

    // Makes the texture the one later draws take, for drawing with explicit
    // texture coordinates.
    virtual void Apply();
};

class Texture2D : public Texture
{
    int width = 0, height = 0;         // the picture
    int tex_width = 0, tex_height = 0; // the storage (padded when needed)
    unsigned int internal_format = 0;

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    void InitPrivate();
    void Quad(const Point2f vertex[4], const Point2f texcoord[4]);

  public:
    // Draw colour; its alpha is the draw alpha. White opaque at first.
    Color4f Color{1, 1, 1, 1};
    // Entry of the engine's blend table used when drawing (1 = normal alpha blend).
    int BlendMode = 1;

    Property<int> Width;  // read only
    Property<int> Height; // read only

    Texture2D();
    ~Texture2D() override = default;

    // Uploads a picture. format is the GL internal format wanted; 0 takes the one the
    // picture recommends, or failing that the one its colour code implies. A format
    // the driver refuses falls back to the implied one (logged). False (and the
    // texture empty) without a GL texture or for an invalid picture.
    bool Load(const ImageBlock &image, unsigned int format, bool mipmap);
    // The same from a TEX file, on disk or in an archive; mip-maps when the file asks.
    bool LoadFile(const u16char *filename, unsigned int format);
    bool LoadFile(HAC *archive, const u16char *filename, unsigned int format);

    bool IsEmpty() const { return id == 0; }
    unsigned int GetInternalFormat() const { return internal_format; }
    int GetStorageWidth() const { return tex_width; }
    int GetStorageHeight() const { return tex_height; }

    // Binds, sets the blend mode and the colour.
    void Apply() override;

    // The picture at (x, y), scaled; nothing when a scale is 0.
    void Draw(float x, float y, float scale_x = 1, float scale_y = 1);
    // The picture onto four corners (top-left, top-right, bottom-right, bottom-left);
    // texcoord, when given, are four picture coordinates in 0..1 for those corners.
    void DrawQuad(const Point2f vertex[4], const Point2f texcoord[4] = nullptr);
    void ApplyDrawQuad(const Point2f vertex[4]);
    // The part u..u+usize, v..v+vsize (0..1 of the picture) at (x, y), at the size it
    // has in the picture times the scales; nothing when a scale is 0.
    void DrawRegion(float x, float y, float u, float v, float usize, float vsize, float scale_x = 1,
                    float scale_y = 1);

    // Whether textures of any size are stored as they are (as the OpenGL capabilities
    // say, unless overridden: 1 yes, 0 no, -1 back to the capabilities); otherwise
    // they are padded to powers of two.
    static bool NonPowerOfTwo();
    static void SetNonPowerOfTwo(int allowed);

    // Reads the picture back (rows top to bottom, RGBA); empty when there is none.
    bool ReadBack(ImageBlock &image);
};

// A texture loaded from a TEX file on disk or in an archive, owned by the caller;
// null (logged) when the file is missing or damaged.
Texture2D *LoadTexture(const u16char *filename, unsigned int format);
Texture2D *LoadTexture(HAC *archive, const u16char *filename, unsigned int format);
} // namespace hgl
