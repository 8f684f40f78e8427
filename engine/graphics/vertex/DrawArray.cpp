#include "graphics/vertex/DrawArray.h"

#include "core/Log.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/OpenGLCaps.h"

#include <GL/glew.h>

#include <vector>

namespace hgl
{
namespace
{
constexpr int Components[3] = {2, 2, 4}; // point, texture coordinate, colour
int vbo_state = -1;                      // -1: as the OpenGL capabilities say

class ClientBuffer : public DrawArrayBufferInterface
{
    Role role;
    std::vector<float> data;

  public:
    ClientBuffer(Role r, int count) : role(r), data(size_t(count) * size_t(Components[r])) {}

    float *Map(unsigned int) override { return data.data(); }
    void Unmap() override {}
    void Bind() override {}
    void Unbind() override {}
};
} // namespace

bool DrawArray::UseVBO()
{
    return vbo_state < 0 ? GetOpenGLCaps().VertexBufferObject : vbo_state == 1;
}

void DrawArray::SetUseVBO(int allowed)
{
    vbo_state = allowed < 0 ? -1 : allowed;
}

DrawArray::DrawArray(unsigned int, unsigned int prim, int count, unsigned int format)
    : primitive(prim), vertex_count(count >= 1 && count <= MaxVertices ? count : 0)
{
    if (vertex_count == 0)
    {
        PutError(u"顶点数量无效<%d>", count);
        return;
    }
    constexpr unsigned int flags[3] = {HasVertex, HasTexCoord, HasColor};
    for (int r = 0; r < 3; r++)
    {
        if (!(format & flags[r])) continue;
        const auto role = DrawArrayBufferInterface::Role(r);
        roles[r] = new ClientBuffer(role, vertex_count);
        buffers.Add(roles[r]);
    }
}

DrawArray::~DrawArray()
{
    End();
    for (DrawArrayBufferInterface *b : buffers)
        delete b;
}

bool DrawArray::Begin(unsigned int access)
{
    for (int r = 0; r < 3; r++)
    {
        if (roles[r] && !(mapped[r] = roles[r]->Map(access)))
        {
            PutError(u"映射顶点缓冲区失败");
            End();
            return false;
        }
    }
    return vertex_count > 0;
}

void DrawArray::End()
{
    for (int r = 0; r < 3; r++)
        if (mapped[r])
        {
            roles[r]->Unmap();
            mapped[r] = nullptr;
        }
}

void DrawArray::SetVertex(int index, float x, float y)
{
    float *p = mapped[DrawArrayBufferInterface::Vertex];
    if (!p || index < 0 || index >= vertex_count) return;
    p[index * 2] = x;
    p[index * 2 + 1] = y;
}

void DrawArray::SetColor(int index, const Color4f &color)
{
    float *p = mapped[DrawArrayBufferInterface::Colour];
    if (!p || index < 0 || index >= vertex_count) return;
    p += index * 4;
    p[0] = color.r;
    p[1] = color.g;
    p[2] = color.b;
    p[3] = color.a;
}

void DrawArray::SetTexRect(int quad, float u, float v, float width, float height)
{
    float *p = mapped[DrawArrayBufferInterface::TexCoord];
    if (!p || quad < 0 || quad * 4 + 3 >= vertex_count) return;
    const float uv[8] = {u, v, u + width, v, u + width, v + height, u, v + height};
    for (int i = 0; i < 8; i++)
        p[quad * 8 + i] = uv[i];
}

void DrawArray::Draw(int first, int count)
{
    if (first < 0 || first >= vertex_count || count < 0) return;
    if (count == 0 || count > vertex_count - first) count = vertex_count - first;
    End();
    draw::Shape shape;
    switch (primitive)
    {
    case GL_TRIANGLES:
        shape = draw::Shape::Triangles;
        break;
    case GL_TRIANGLE_FAN:
        shape = draw::Shape::Fan;
        break;
    case GL_TRIANGLE_STRIP:
        shape = draw::Shape::Strip;
        break;
    case GL_QUADS:
        shape = draw::Shape::Quads;
        break;
    case GL_LINES:
        shape = draw::Shape::Lines;
        break;
    case GL_LINE_STRIP:
        shape = draw::Shape::LineStrip;
        break;
    case GL_LINE_LOOP:
        shape = draw::Shape::LineLoop;
        break;
    default:
        PutError(u"不支持的图元<0x%X>", primitive);
        return;
    }
    // Arrays without colours take the current one, as GL's current colour did.
    const float *xy =
        roles[DrawArrayBufferInterface::Vertex] ? roles[DrawArrayBufferInterface::Vertex]->Map(0) : nullptr;
    if (!xy) return;
    const float *uv = roles[DrawArrayBufferInterface::TexCoord]
                          ? roles[DrawArrayBufferInterface::TexCoord]->Map(0)
                          : nullptr;
    const float *rgba =
        roles[DrawArrayBufferInterface::Colour] ? roles[DrawArrayBufferInterface::Colour]->Map(0) : nullptr;
    const Color4f &current = draw::GetColor();
    scratch.resize(size_t(count));
    for (int i = 0; i < count; i++)
    {
        const int k = first + i;
        draw::Vertex &v = scratch[size_t(i)];
        v.x = xy[k * 2];
        v.y = xy[k * 2 + 1];
        v.u = uv ? uv[k * 2] : 0;
        v.v = uv ? uv[k * 2 + 1] : 0;
        v.r = rgba ? rgba[k * 4] : current.r;
        v.g = rgba ? rgba[k * 4 + 1] : current.g;
        v.b = rgba ? rgba[k * 4 + 2] : current.b;
        v.a = rgba ? rgba[k * 4 + 3] : current.a;
    }
    draw::Shapes(shape, scratch.data(), count, uv != nullptr);
}
} // namespace hgl
