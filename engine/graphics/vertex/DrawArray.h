#pragma once
// hgl::DrawArray: a vertex array of up to three buffers (2D points, texture
// coordinates, colours) that is filled by mapping it and drawn in one call. The
// buffers live in memory; a draw hands the vertices to the draw queue
// (graphics/draw/Painter.h) with the current texture, colour and blend mode.
#include "core/Color.h"
#include "core/List.h"
#include "core/Types.h"
#include "graphics/draw/Painter.h"

#include <vector>

namespace hgl
{
// One buffer of a draw array: floats, a fixed number per vertex.
class DrawArrayBufferInterface
{
  public:
    enum Role
    {
        Vertex,
        TexCoord,
        Colour,
    };

    virtual ~DrawArrayBufferInterface() = default;
    // A pointer to write the whole buffer through (null on failure), until Unmap.
    virtual float *Map(unsigned int access) = 0;
    virtual void Unmap() = 0;
    // Points the fixed-function array of the buffer's role at it.
    virtual void Bind() = 0;
    // Switches the array of the role off again.
    virtual void Unbind() = 0;
};

class DrawArray
{
    unsigned int primitive;
    int vertex_count;
    List<DrawArrayBufferInterface *> buffers; // owned
    DrawArrayBufferInterface *roles[3] = {};
    float *mapped[3] = {};
    std::vector<draw::Vertex> scratch;

  public:
    // Format flags: which buffers the array has.
    static constexpr unsigned int HasVertex = 1;
    static constexpr unsigned int HasTexCoord = 2;
    static constexpr unsigned int HasColor = 4;
    // The largest vertex count accepted.
    static constexpr int MaxVertices = 1 << 22;

    // Primitives (the GL's numbers), and the usage and access callers pass.
    static constexpr unsigned int Lines = 0x0001;
    static constexpr unsigned int LineLoop = 0x0002;
    static constexpr unsigned int LineStrip = 0x0003;
    static constexpr unsigned int Triangles = 0x0004;
    static constexpr unsigned int TriangleStrip = 0x0005;
    static constexpr unsigned int TriangleFan = 0x0006;
    static constexpr unsigned int Quads = 0x0007;
    static constexpr unsigned int StreamDraw = 0x88E0;
    static constexpr unsigned int WriteOnly = 0x88B9;

    // usage: GL buffer usage (StreamDraw, ...); primitive: Quads, Lines, ...
    // A count outside 1..MaxVertices gives an array that draws nothing.
    DrawArray(unsigned int usage, unsigned int primitive, int count, unsigned int format);
    ~DrawArray();
    DrawArray(const DrawArray &) = delete;
    DrawArray &operator=(const DrawArray &) = delete;

    int GetCount() const { return vertex_count; }

    // Maps every buffer for writing (access: GL_WRITE_ONLY); false when one fails
    // (none stays mapped then).
    bool Begin(unsigned int access);
    void End();

    // Writers between Begin and End; out-of-range indexes are ignored.
    void SetVertex(int index, float x, float y);
    void SetColor(int index, const Color4f &color);
    // The texture coordinates of quad q (vertices 4q .. 4q + 3, clockwise from the
    // top-left): the rectangle u, v, width, height.
    void SetTexRect(int quad, float u, float v, float width, float height);

    // Queues count vertices from first (count 0: to the end).
    void Draw(int first = 0, int count = 0);

    // Whether the driver's vertex buffer objects may be used (as the OpenGL
    // capabilities say, unless overridden: 1 yes, 0 no, -1 back to the
    // capabilities). The queue keeps vertices in memory either way.
    static bool UseVBO();
    static void SetUseVBO(int allowed);
};
} // namespace hgl
