#include "graphics/vertex/DrawArray.h"

#include "core/Log.h"
#include "graphics/gl/OpenGLCaps.h"

#include <GL/glew.h>

#include <vector>

namespace hgl
{
namespace
{
constexpr int Components[3] = {2, 2, 4}; // point, texture coordinate, colour
int vbo_state = -1;                      // -1: as the OpenGL capabilities say

void PointArray(DrawArrayBufferInterface::Role role, const void *pointer)
{
    switch (role)
    {
    case DrawArrayBufferInterface::Vertex:
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(Components[role], GL_FLOAT, 0, pointer);
        break;
    case DrawArrayBufferInterface::TexCoord:
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(Components[role], GL_FLOAT, 0, pointer);
        break;
    default:
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(Components[role], GL_FLOAT, 0, pointer);
    }
}

void ArrayOff(DrawArrayBufferInterface::Role role)
{
    constexpr GLenum states[3] = {GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY};
    glDisableClientState(states[role]);
}

class VBOBuffer : public DrawArrayBufferInterface
{
    Role role;
    GLuint id = 0;

  public:
    VBOBuffer(Role r, int count, GLenum usage) : role(r)
    {
        glGenBuffers(1, &id);
        glBindBuffer(GL_ARRAY_BUFFER, id);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(sizeof(float)) * count * Components[role], nullptr, usage);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    ~VBOBuffer() override { glDeleteBuffers(1, &id); }

    float *Map(unsigned int access) override
    {
        glBindBuffer(GL_ARRAY_BUFFER, id);
        void *p = glMapBuffer(GL_ARRAY_BUFFER, access);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return static_cast<float *>(p);
    }
    void Unmap() override
    {
        glBindBuffer(GL_ARRAY_BUFFER, id);
        glUnmapBuffer(GL_ARRAY_BUFFER);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    void Bind() override
    {
        glBindBuffer(GL_ARRAY_BUFFER, id);
        PointArray(role, nullptr);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    void Unbind() override { ArrayOff(role); }
};

class ClientBuffer : public DrawArrayBufferInterface
{
    Role role;
    std::vector<float> data;

  public:
    ClientBuffer(Role r, int count) : role(r), data(size_t(count) * size_t(Components[r])) {}

    float *Map(unsigned int) override { return data.data(); }
    void Unmap() override {}
    void Bind() override { PointArray(role, data.data()); }
    void Unbind() override { ArrayOff(role); }
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

DrawArray::DrawArray(unsigned int usage, unsigned int prim, int count, unsigned int format)
    : primitive(prim), vertex_count(count >= 1 && count <= MaxVertices ? count : 0)
{
    if (vertex_count == 0)
    {
        PutError(u"顶点数量无效<%d>", count);
        return;
    }
    const bool vbo = UseVBO();
    constexpr unsigned int flags[3] = {HasVertex, HasTexCoord, HasColor};
    for (int r = 0; r < 3; r++)
    {
        if (!(format & flags[r])) continue;
        const auto role = DrawArrayBufferInterface::Role(r);
        roles[r] = vbo ? static_cast<DrawArrayBufferInterface *>(new VBOBuffer(role, vertex_count, usage))
                       : new ClientBuffer(role, vertex_count);
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
    End(); // a buffer still mapped cannot be drawn from
    for (DrawArrayBufferInterface *b : buffers)
        b->Bind();
    glDrawArrays(primitive, first, count);
    for (DrawArrayBufferInterface *b : buffers)
        b->Unbind();
}
} // namespace hgl
