#pragma once
// hgl::draw: the one way 2D drawing reaches OpenGL. Draws are queued with the
// state they were made in (texture, blend mode, clip, line width, view) and sent
// in batches: consecutive draws that share that state become one draw call. The
// state is sticky, as GL's is: a texture made current stays current until another
// one, or none, is.
//
// At the end of a frame the queued draws, with the versions of the textures they
// use, are compared with the last frame's: a frame that draws exactly what the
// last one drew is not drawn at all, and the canvas keeps the last frame.
//
// Draws made out of a frame (tests, a screen drawn by hand) are sent when the
// canvas is read back, when the queue grows large, or on Flush.
#include "core/Color.h"
#include "core/Point.h"
#include "core/Types.h"

#include <vector>

namespace hgl::draw
{
struct Vertex
{
    float x = 0, y = 0; // canvas units, the translation already applied
    float u = 0, v = 0; // texture coordinates (of the storage)
    float r = 1, g = 1, b = 1, a = 1;
};

// ---- state -----------------------------------------------------------------

// A mode of the blend table (graphics/gl/BlendMode.h); 0 draws unblended (GL's
// own initial state). Another number is refused with a log line.
bool SetBlend(int mode);

// The texture later textured draws take: a GL 2D texture name and the version of
// its contents (see NextTextureVersion); 0 draws untextured.
void SetTexture(unsigned int id, uint64 version);
void NoTexture();
// Called before a texture's contents change: draws still queued that use it are
// sent first, so that they show what it held when they were made.
void TextureChanging(unsigned int id, uint64 new_version);
// A version no texture contents had before (process-wide, never 0).
uint64 NextTextureVersion();

// GL's clear colour as it stands between draws (Clear takes its own colour).
void SetClearColor(const Color4f &color);

// The colour of vertices given without one (arrays without colours).
void SetColor(const Color4f &color);
const Color4f &GetColor();

void SetLineWidth(float width);
// Antialiased lines; off at first.
void SetLineSmooth(bool on);

// Offsets every later draw until the matching PopTranslate.
void PushTranslate(float x, float y);
void PopTranslate();

// Only the rectangle (canvas pixels, left-top origin) is drawn into until the
// matching PopClip; a clip inside another is cut to the outer one.
void PushClip(float left, float top, float width, float height);
void PopClip();

// A perspective view for draws in 3D units until EndPerspective: the projection
// of gluPerspective, then model-view translations and rotations applied in order
// (as glTranslated / glRotated do), no depth test.
void BeginPerspective(double fovy, double aspect, double near_plane, double far_plane);
void Translate3D(double x, double y, double z);
void Rotate3D(double angle, double x, double y, double z);
void EndPerspective();

// ---- draws -------------------------------------------------------------------

// The colour buffer (and depth) to the colour; inside the clip when one is set.
void Clear(const Color4f &color);

// Four corners (top-left, top-right, bottom-right, bottom-left), each with its own
// colour; with the current texture and uv when uv is given, else untextured.
void Quad(const Point2f corner[4], const Point2f *uv, const Color4f colour[4]);
// A filled rectangle, untextured, one colour.
void FillRect(float x, float y, float w, float h, const Color4f &colour);
// A filled rectangle, untextured, with corner alphas top-left, top-right,
// bottom-right, bottom-left.
void FillRect(float x, float y, float w, float h, const Color4f &colour, const float alpha[4]);
// The current texture's storage rectangle u0, v0 - u1, v1 over (x, y, w, h).
void TexRect(float x, float y, float w, float h, float u0, float v0, float u1, float v1,
             const Color4f &colour);

enum class Shape : uint8
{
    Triangles,
    Fan,
    Strip,
    Quads,
    Lines,
    LineStrip,
    LineLoop,
};
// Vertices of a shape, with the current texture when textured (else untextured).
void Shapes(Shape shape, const Vertex *vertices, int count, bool textured);
// A rectangle's outline as a closed line strip through its corners.
void Frame(float x, float y, float w, float h, const Color4f &colour);

// ---- frames and the canvas --------------------------------------------------

// Sends every queued draw to GL now.
void Flush();
// Ends a frame: true when it must be shown (it differs from the last frame, the
// window asked for a refresh, or some of it was drawn already), in which case it
// has been drawn; false when it was not drawn and the canvas still holds the last
// frame.
bool EndFrame(bool refresh);

enum class PixelLayout : uint8
{
    RGB,
    RGBA,
    BGR,
};
// Reads the canvas of the current window (or the framebuffer bound for reading
// when there is none), after sending what is queued: rows bottom-up as GL keeps
// them, each padded to row_alignment bytes. False without a canvas or for a
// rectangle outside it.
bool ReadCanvas(int x, int y, int width, int height, PixelLayout layout, int row_alignment,
                std::vector<uint8> &out);

struct Counters
{
    uint64 draw_calls = 0;     // glDrawArrays and glClear calls
    uint64 frames_drawn = 0;   // EndFrame that drew
    uint64 frames_skipped = 0; // EndFrame that did not
};
const Counters &GetCounters();

// ---- the recorder ------------------------------------------------------------

enum class CallKind
{
    Quad,    // x, y, w, h; alpha of the top-left corner, alpha2 of the bottom-right
    Fan,     // x, y the centre, w the radius, from and to in degrees
    Clear,   // colour
    Picture, // x, y, scale w, scale h, alpha
    Blend,   // mode in from
    Translate,
    TexQuad, // x, y, w, h; texture u from `from` to `to`, colour and alpha
    Glyph,   // the cell's top-left x, y, the font's height in h, the character in from, colour and alpha
    Lines,   // a line strip's bounds x, y, w, h, of width `from`, colour and alpha
    Shape,   // vertices of a shape: count in from, the bounds x, y, w, h
};

struct RecordColour
{
    float r = 0, g = 0, b = 0;
};

struct Call
{
    CallKind kind;
    float x = 0, y = 0, w = 0, h = 0;
    float alpha = 1, alpha2 = 1;
    float from = 0, to = 0;
    RecordColour colour;
};

// Receives every draw as it is queued; null stops recording. Not owned.
class Recorder
{
  public:
    virtual ~Recorder() = default;
    virtual void Record(const Call &call) = 0;
};
void SetRecorder(Recorder *recorder);
// Records a call unless a RecordScope is open.
void Note(const Call &call);

// Records one call that stands for the draws made while it lives, which are not
// recorded on their own (a picture of several layers is one Picture call).
class RecordScope
{
  public:
    explicit RecordScope(const Call &call);
    ~RecordScope();
    RecordScope(const RecordScope &) = delete;
    RecordScope &operator=(const RecordScope &) = delete;
};
} // namespace hgl::draw
