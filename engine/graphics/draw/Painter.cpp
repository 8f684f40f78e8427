#include "graphics/draw/Painter.h"

#include "core/Log.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/RenderState.h"
#include "platform/window/PlatformWindow.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace hgl::draw
{
namespace
{
constexpr uint32 ClearMark = 0xFFFFFFFFu; // a batch that clears instead of drawing
// A queue this long is sent and forgotten, so that draws made without frames
// (tests, hand-drawn screens) cannot grow it without bound.
constexpr size_t MaxQueuedVertices = size_t(1) << 18;

// Everything a batch is drawn with; compared as bytes, so every field is set.
struct Key
{
    uint32 primitive = 0; // GL_TRIANGLES, GL_LINES or ClearMark
    uint32 texture = 0;
    uint64 version = 0;
    int32 blend = 0;
    int32 clip_on = 0;
    int32 clip[4] = {0, 0, 0, 0}; // left, top, right, bottom
    float line_width = 1;
    int32 view = -1; // index into the frame's views; -1: the 2D canvas
    float clear[4] = {0, 0, 0, 0};
    int32 line_smooth = 0;
    int32 unused = 0;

    bool operator==(const Key &o) const { return std::memcmp(this, &o, sizeof(Key)) == 0; }
};
static_assert(sizeof(Key) == 72, "Key is compared as bytes: no padding");

struct Batch
{
    Key key;
    uint32 first = 0, count = 0;
};

struct View
{
    double perspective[4] = {0, 0, 0, 0};
    // Model-view steps: kind (1 translate, 2 rotate) and its numbers.
    double steps[4][5] = {};
    int32 step_count = 0;
    int32 pad = 0;
};

// Equal bytes; empty arrays (whose data may be null) are equal.
template <typename T> bool SameBytes(const std::vector<T> &a, const std::vector<T> &b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

struct FrameLog
{
    std::vector<Vertex> vertices;
    std::vector<Batch> batches;
    std::vector<View> views;

    void Clear()
    {
        vertices.clear();
        batches.clear();
        views.clear();
    }
    bool Same(const FrameLog &o) const
    {
        return SameBytes(vertices, o.vertices) && SameBytes(batches, o.batches) && SameBytes(views, o.views);
    }
};

struct ClipRect
{
    int l, t, r, b;
};

struct Painter
{
    uint64 context = 0;
    // state
    int blend = 0;
    uint32 texture = 0;
    uint64 version = 0;
    Color4f colour{1, 1, 1, 1};
    float line_width = 1;
    bool line_smooth = false;
    std::vector<Point2f> translate{Point2f(0, 0)};
    std::vector<ClipRect> clips;
    int view = -1;
    // the frame
    FrameLog current, last;
    size_t sent_batches = 0;  // batches of current already drawn
    bool drawn_early = false; // part of this frame reached the canvas before its end
    bool comparable = true;   // current holds the whole frame
    bool has_last = false;
    Counters counters;
    Color4f clear_colour{0, 0, 0, 0}; // GL's clear colour between draws
    Recorder *recorder = nullptr;
    int quiet = 0;                // open record scopes
    std::vector<int> shape_index; // kept between shapes so that a shape allocates nothing
};

Painter &P()
{
    // Never destroyed: textures freed by other objects' destructors at exit still
    // come here.
    static Painter &p = *new Painter;
    const uint64 serial = platform::CurrentContextSerial();
    if (p.context != serial)
    {
        // Another context: what was queued and remembered belongs to the old one,
        // and the new one starts in GL's initial state.
        Recorder *recorder = p.recorder;
        const Counters counters = p.counters;
        p = Painter{};
        p.context = serial;
        p.recorder = recorder;
        p.counters = counters;
    }
    return p;
}

Key CurrentKey(Painter &p, uint32 primitive, bool textured)
{
    Key k;
    k.primitive = primitive;
    k.texture = textured ? p.texture : 0;
    k.version = textured ? p.version : 0;
    k.blend = p.blend;
    if (!p.clips.empty())
    {
        const ClipRect &c = p.clips.back();
        k.clip_on = 1;
        k.clip[0] = c.l;
        k.clip[1] = c.t;
        k.clip[2] = c.r;
        k.clip[3] = c.b;
    }
    const bool lines = primitive == GL_LINES || primitive == GL_LINE_STRIP || primitive == GL_LINE_LOOP;
    k.line_width = lines ? p.line_width : 1;
    k.line_smooth = lines && p.line_smooth;
    k.view = p.view;
    return k;
}

void Overflow(Painter &p);

// Room for count more vertices in a batch of this key; the index of the first.
Vertex *Append(Painter &p, const Key &key, size_t count)
{
    FrameLog &f = p.current;
    if (f.vertices.size() + count > MaxQueuedVertices) Overflow(p);
    const bool strip = key.primitive == GL_LINE_STRIP || key.primitive == GL_LINE_LOOP;
    if (!strip && f.batches.size() > p.sent_batches && f.batches.back().key == key)
        f.batches.back().count += uint32(count);
    else
        f.batches.push_back({key, uint32(f.vertices.size()), uint32(count)});
    f.vertices.resize(f.vertices.size() + count);
    return f.vertices.data() + (f.vertices.size() - count);
}

void Put(Vertex &v, const Painter &p, float x, float y, float u, float t, const Color4f &c)
{
    const Point2f &o = p.translate.back();
    v.x = p.view < 0 ? x + o.x : x;
    v.y = p.view < 0 ? y + o.y : y;
    v.u = u;
    v.v = t;
    v.r = c.r;
    v.g = c.g;
    v.b = c.b;
    v.a = c.a;
}

void ApplyClip(const Key &k)
{
    if (k.clip_on)
        EnableScissor(k.clip[0], k.clip[1], std::max(0, k.clip[2] - k.clip[0]),
                      std::max(0, k.clip[3] - k.clip[1]));
    else
        DisableScissor();
}

void ApplyTexture(uint32 id, bool &arrays_textured)
{
    if (glActiveTexture) glActiveTexture(GL_TEXTURE0);
    if (id)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, id);
        if (!arrays_textured) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        arrays_textured = true;
    }
    else
    {
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        if (arrays_textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        arrays_textured = false;
    }
}

void ApplyView(const View *v)
{
    if (!v)
    {
        PopMatrix(GL_PROJECTION);
        PopMatrix(GL_MODELVIEW);
        return;
    }
    PushMatrix(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(v->perspective[0], v->perspective[1], v->perspective[2], v->perspective[3]);
    PushMatrix(GL_MODELVIEW);
    glLoadIdentity();
    for (int i = 0; i < v->step_count; i++)
    {
        const double *s = v->steps[i];
        if (s[0] == 1)
            glTranslated(s[1], s[2], s[3]);
        else
            glRotated(s[1], s[2], s[3], s[4]);
    }
}

void Send(Painter &p)
{
    FrameLog &f = p.current;
    if (p.sent_batches >= f.batches.size()) return;
    p.drawn_early = true;
    if (glBindBuffer) glBindBuffer(GL_ARRAY_BUFFER, 0);
    static const Vertex none;
    const Vertex *base = f.vertices.empty() ? &none : f.vertices.data(); // a frame of clears only
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &base->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &base->u);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), &base->r);
    bool textured = false;
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    int64 texture = -1; // unknown
    int view = -1;
    for (size_t i = p.sent_batches; i < f.batches.size(); i++)
    {
        const Batch &b = f.batches[i];
        const Key &k = b.key;
        ApplyClip(k);
        if (k.primitive == ClearMark)
        {
            glClearColor(k.clear[0], k.clear[1], k.clear[2], k.clear[3]);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            p.counters.draw_calls++;
            continue;
        }
        if (k.view != view)
        {
            if (view >= 0) ApplyView(nullptr);
            view = k.view;
            if (view >= 0) ApplyView(&f.views[size_t(view)]);
        }
        if (k.blend == 0)
            DisableBlend();
        else
            BlendMode::Set(k.blend);
        if (texture != int64(k.texture))
        {
            ApplyTexture(k.texture, textured);
            texture = k.texture;
        }
        if (k.primitive == GL_LINES || k.primitive == GL_LINE_STRIP || k.primitive == GL_LINE_LOOP)
        {
            hgl::SetLineWidth(k.line_width);
            k.line_smooth ? EnableLineSmooth() : DisableLineSmooth();
        }
        glDrawArrays(k.primitive, GLint(b.first), GLsizei(b.count));
        p.counters.draw_calls++;
    }
    if (view >= 0) ApplyView(nullptr);
    glClearColor(p.clear_colour.r, p.clear_colour.g, p.clear_colour.b, p.clear_colour.a);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4f(1, 1, 1, 1);
    p.sent_batches = f.batches.size();
}

void Overflow(Painter &p)
{
    Send(p);
    p.current.Clear();
    p.sent_batches = 0;
    p.comparable = false;
}

void Record(Painter &p, const Call &call)
{
    if (p.recorder && p.quiet == 0) p.recorder->Record(call);
}

RecordColour Rgb(const Color4f &c)
{
    return {c.r, c.g, c.b};
}

uint64 version_counter = 0;
} // namespace

// ---- state -------------------------------------------------------------------

bool SetBlend(int mode)
{
    if (mode != 0 && (mode < BlendMode::Normal || mode > BlendMode::Invert))
    {
        PutError(u"未知的混合模式: %d", mode);
        return false;
    }
    P().blend = mode;
    return true;
}

void SetTexture(unsigned int id, uint64 version)
{
    Painter &p = P();
    p.texture = id;
    p.version = id ? version : 0;
}

void NoTexture()
{
    SetTexture(0, 0);
}

void TextureChanging(unsigned int id, uint64 new_version)
{
    if (!id) return;
    Painter &p = P();
    const FrameLog &f = p.current;
    for (size_t i = p.sent_batches; i < f.batches.size(); i++)
        if (f.batches[i].key.texture == id)
        {
            Send(p);
            break;
        }
    if (p.texture == id) p.version = new_version;
}

uint64 NextTextureVersion()
{
    return ++version_counter;
}

void SetClearColor(const Color4f &color)
{
    Painter &p = P();
    p.clear_colour = color;
    glClearColor(color.r, color.g, color.b, color.a);
}

void SetColor(const Color4f &color)
{
    P().colour = color;
}

const Color4f &GetColor()
{
    return P().colour;
}

void SetLineWidth(float width)
{
    P().line_width = width;
}

void SetLineSmooth(bool on)
{
    P().line_smooth = on;
}

void PushTranslate(float x, float y)
{
    Painter &p = P();
    const Point2f o = p.translate.back();
    p.translate.push_back(Point2f(o.x + x, o.y + y));
}

void PopTranslate()
{
    Painter &p = P();
    if (p.translate.size() > 1) p.translate.pop_back();
}

void PushClip(float l, float t, float w, float h)
{
    Painter &p = P();
    ClipRect c{int(l), int(t), int(l) + int(w), int(t) + int(h)};
    if (!p.clips.empty())
    {
        const ClipRect &outer = p.clips.back();
        c = {std::max(c.l, outer.l), std::max(c.t, outer.t), std::min(c.r, outer.r), std::min(c.b, outer.b)};
    }
    p.clips.push_back(c);
}

void PopClip()
{
    Painter &p = P();
    if (!p.clips.empty()) p.clips.pop_back();
}

void BeginPerspective(double fovy, double aspect, double near_plane, double far_plane)
{
    Painter &p = P();
    View v;
    v.perspective[0] = fovy;
    v.perspective[1] = aspect;
    v.perspective[2] = near_plane;
    v.perspective[3] = far_plane;
    p.current.views.push_back(v);
    p.view = int(p.current.views.size()) - 1;
}

namespace
{
void Step(double kind, double a, double b, double c, double d)
{
    Painter &p = P();
    if (p.view < 0) return;
    // A view already drawn with is kept as it was; the step starts a new one.
    View v = p.current.views[size_t(p.view)];
    if (v.step_count == 4) return;
    const double step[5] = {kind, a, b, c, d};
    std::copy(step, step + 5, v.steps[v.step_count++]);
    p.current.views.push_back(v);
    p.view = int(p.current.views.size()) - 1;
}
} // namespace

void Translate3D(double x, double y, double z)
{
    Step(1, x, y, z, 0);
}

void Rotate3D(double angle, double x, double y, double z)
{
    Step(2, angle, x, y, z);
}

void EndPerspective()
{
    P().view = -1;
}

// ---- draws -------------------------------------------------------------------

void Clear(const Color4f &color)
{
    Painter &p = P();
    Record(p, {CallKind::Clear, 0, 0, 0, 0, 0, 0, 0, 0, Rgb(color)});
    Key k = CurrentKey(p, ClearMark, false);
    k.blend = 0;
    k.view = -1;
    k.clear[0] = color.r;
    k.clear[1] = color.g;
    k.clear[2] = color.b;
    k.clear[3] = color.a;
    FrameLog &f = p.current;
    if (f.vertices.size() + 1 > MaxQueuedVertices) Overflow(p);
    f.batches.push_back({k, uint32(f.vertices.size()), 0});
}

void Quad(const Point2f corner[4], const Point2f *uv, const Color4f colour[4])
{
    Painter &p = P();
    Record(p, {uv ? CallKind::TexQuad : CallKind::Quad, corner[0].x, corner[0].y, corner[2].x - corner[0].x,
               corner[2].y - corner[0].y, colour[0].a, colour[2].a, uv ? uv[0].x : 0, uv ? uv[1].x : 0,
               Rgb(colour[0])});
    // Split as the GL splits a quad, so that corner colours blend as they always did.
    constexpr int order[6] = {0, 1, 2, 0, 2, 3};
    Vertex *v = Append(p, CurrentKey(p, GL_TRIANGLES, uv != nullptr), 6);
    for (int i = 0; i < 6; i++)
    {
        const int c = order[i];
        Put(v[i], p, corner[c].x, corner[c].y, uv ? uv[c].x : 0, uv ? uv[c].y : 0, colour[c]);
    }
}

void FillRect(float x, float y, float w, float h, const Color4f &colour, const float alpha[4])
{
    Painter &p = P();
    Record(p, {CallKind::Quad, x, y, w, h, alpha[0], alpha[2], 0, 0, Rgb(colour)});
    if (w <= 0 || h <= 0) return;
    const Point2f corner[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    Color4f c[4];
    for (int i = 0; i < 4; i++)
        c[i] = Color4f(colour.r, colour.g, colour.b, alpha[i]);
    p.quiet++;
    Quad(corner, nullptr, c);
    p.quiet--;
}

void FillRect(float x, float y, float w, float h, const Color4f &colour)
{
    const float alpha[4] = {colour.a, colour.a, colour.a, colour.a};
    FillRect(x, y, w, h, colour, alpha);
}

void TexRect(float x, float y, float w, float h, float u0, float v0, float u1, float v1,
             const Color4f &colour)
{
    const Point2f corner[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    const Point2f uv[4] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
    const Color4f c[4] = {colour, colour, colour, colour};
    Quad(corner, uv, c);
}

void Shapes(Shape shape, const Vertex *in, int count, bool textured)
{
    Painter &p = P();
    if (!in || count <= 0) return;
    float l = in[0].x, t = in[0].y, r = l, b = t;
    for (int i = 1; i < count; i++)
    {
        l = std::min(l, in[i].x), r = std::max(r, in[i].x);
        t = std::min(t, in[i].y), b = std::max(b, in[i].y);
    }
    const bool lines = shape == Shape::Lines || shape == Shape::LineStrip || shape == Shape::LineLoop;
    Record(p, {lines ? CallKind::Lines : CallKind::Shape, l, t, r - l, b - t, in[0].a, in[count - 1].a,
               lines ? p.line_width : float(count), 0, RecordColour{in[0].r, in[0].g, in[0].b}});

    // Every shape becomes independent triangles or lines, in the vertex order the
    // GL itself takes them apart in, so that batches of them draw the same pixels.
    std::vector<int> &index = p.shape_index;
    index.clear();
    switch (shape)
    {
    case Shape::Triangles:
        for (int i = 0; i + 2 < count; i += 3)
            index.insert(index.end(), {i, i + 1, i + 2});
        break;
    case Shape::Fan:
        for (int i = 1; i + 1 < count; i++)
            index.insert(index.end(), {i, i + 1, 0});
        break;
    case Shape::Strip:
        for (int i = 0; i + 2 < count; i++)
            index.insert(index.end(), {i + (i & 1), i + 1 - (i & 1), i + 2});
        break;
    case Shape::Quads:
        for (int i = 0; i + 3 < count; i += 4)
            index.insert(index.end(), {i, i + 1, i + 3, i + 1, i + 2, i + 3});
        break;
    case Shape::Lines:
        for (int i = 0; i + 1 < count; i += 2)
            index.insert(index.end(), {i, i + 1});
        break;
    case Shape::LineStrip:
    case Shape::LineLoop:
        // Wide lines join differently as a strip than as segments: strips stay strips.
        for (int i = 0; i < count && count > 1; i++)
            index.push_back(i);
        break;
    }
    if (index.empty()) return;
    const uint32 primitive = shape == Shape::LineStrip  ? GL_LINE_STRIP
                             : shape == Shape::LineLoop ? GL_LINE_LOOP
                             : lines                    ? GL_LINES
                                                        : GL_TRIANGLES;
    Vertex *v = Append(p, CurrentKey(p, primitive, textured), index.size());
    for (size_t i = 0; i < index.size(); i++)
    {
        const Vertex &s = in[index[i]];
        Put(v[i], p, s.x, s.y, textured ? s.u : 0, textured ? s.v : 0, Color4f(s.r, s.g, s.b, s.a));
    }
}

void Frame(float x, float y, float w, float h, const Color4f &c)
{
    const Vertex v[4] = {{x, y, 0, 0, c.r, c.g, c.b, c.a},
                         {x + w, y, 0, 0, c.r, c.g, c.b, c.a},
                         {x + w, y + h, 0, 0, c.r, c.g, c.b, c.a},
                         {x, y + h, 0, 0, c.r, c.g, c.b, c.a}};
    Shapes(Shape::LineLoop, v, 4, false);
}

// ---- frames and the canvas ---------------------------------------------------

void Flush()
{
    Send(P());
}

bool EndFrame(bool refresh)
{
    Painter &p = P();
    const bool same = p.comparable && p.has_last && !p.drawn_early && !refresh && p.current.Same(p.last);
    if (same)
    {
        p.counters.frames_skipped++;
    }
    else
    {
        Send(p);
        p.counters.frames_drawn++;
        p.has_last = p.comparable;
        if (p.has_last) std::swap(p.current, p.last);
    }
    p.current.Clear();
    p.sent_batches = 0;
    p.drawn_early = false;
    p.comparable = true;
    return !same;
}

bool ReadCanvas(int x, int y, int width, int height, PixelLayout layout, int row_alignment,
                std::vector<uint8> &out)
{
    Painter &p = P();
    Send(p);
    platform::PlatformWindow *window = platform::CurrentWindow();
    int cw = 0, ch = 0;
    if (window && window->Canvas().IsValid())
    {
        cw = window->CanvasWidth();
        ch = window->CanvasHeight();
    }
    if (!window || cw <= 0 || x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > cw ||
        y + height > ch)
        return false;
    const int channels = layout == PixelLayout::RGBA ? 4 : 3;
    const GLenum format = layout == PixelLayout::RGBA  ? GL_RGBA
                          : layout == PixelLayout::BGR ? GL_BGR
                                                       : GL_RGB;
    if (row_alignment != 1 && row_alignment != 2 && row_alignment != 4 && row_alignment != 8)
        row_alignment = 4;
    const size_t row = (size_t(width) * size_t(channels) + size_t(row_alignment) - 1) /
                       size_t(row_alignment) * size_t(row_alignment);
    out.assign(row * size_t(height), 0);
    window->Canvas().BindForReading();
    glPixelStorei(GL_PACK_ALIGNMENT, row_alignment);
    glReadPixels(x, y, width, height, format, GL_UNSIGNED_BYTE, out.data());
    return true;
}

const Counters &GetCounters()
{
    return P().counters;
}

// ---- the recorder ------------------------------------------------------------

void SetRecorder(Recorder *recorder)
{
    P().recorder = recorder;
}

void Note(const Call &call)
{
    Record(P(), call);
}

RecordScope::RecordScope(const Call &call)
{
    Painter &p = P();
    Record(p, call);
    p.quiet++;
}

RecordScope::~RecordScope()
{
    Painter &p = P();
    if (p.quiet > 0) p.quiet--;
}
} // namespace hgl::draw
