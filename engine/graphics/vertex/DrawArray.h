#pragma once
// hgl::DrawArray: a vertex array of up to three buffers (2D points, texture
// coordinates, colours) that is filled by mapping it and drawn in one call. The
// buffers live in vertex buffer objects when the driver has them and they are not
// switched off, else in client memory; both are filled and drawn the same way.
#include "core/Color.h"
#include "core/List.h"
#include "core/Types.h"

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

  public:
    // Format flags: which buffers the array has.
    static constexpr unsigned int HasVertex = 1;
    static constexpr unsigned int HasTexCoord = 2;
    static constexpr unsigned int HasColor = 4;
    // The largest vertex count accepted.
    static constexpr int MaxVertices = 1 << 22;

    // usage: GL buffer usage (GL_STREAM_DRAW, ...); primitive: GL_QUADS, GL_LINES, ...
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

    // Draws count vertices from first (count 0: to the end).
    void Draw(int first = 0, int count = 0);

    // Whether new arrays use vertex buffer objects (as the OpenGL capabilities say,
    // unless overridden: 1 yes, 0 no, -1 back to the capabilities).
    static bool UseVBO();
    static void SetUseVBO(int allowed);
};
} // namespace hgl
