#include "graphics/gl/OpenGLCaps.h"
#include "io/SystemInitInfo.h"
#include "support/GLTestContext.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace
{
TEST(OpenGLCaps, SwitchedOffFeaturesAreLoggedAndTreatedAsAbsent)
{
    hgl::test::GLTestContext gl(4, 4);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    ASSERT_TRUE(hgl::GetOpenGLCaps().VertexBufferObject) << "Mesa offers VBOs";
    ASSERT_TRUE(hgl::GetOpenGLCaps().TextureNPOT);

    hgl::test::LogCapture log;
    hgl::SystemInitInfo sii;
    sii.graphics.GL.VertexBufferObject = false;
    sii.graphics.GL.TextureNPOT = false;
    hgl::InitOpenGLCaps(sii);
    EXPECT_EQ(log.Lines(),
              (std::vector<std::u16string>{
                  u"使用高质量贴图压缩！",
                  u"您的显卡支持OpenGL扩展<GL_ARB_texture_non_power_of_two>，但是配置程序禁用了它！",
                  u"您的显卡支持OpenGL扩展<GL_ARB_vertex_buffer_object>，但是配置程序禁用了它！"}));
    EXPECT_FALSE(hgl::GetOpenGLCaps().VertexBufferObject);
    EXPECT_FALSE(hgl::GetOpenGLCaps().TextureNPOT);
    EXPECT_TRUE(hgl::GetOpenGLCaps().FrameBufferObject);

    log.Clear();
    hgl::PutOpenGLInfo();
    EXPECT_TRUE(log.ContainsPart(u"llvmpipe")) << log.Dump();
    EXPECT_TRUE(log.Contains(u"GLEW版本: 2.2.0")) << log.Dump();
    EXPECT_TRUE(log.ContainsPart(u"GLU版本: 1.3")) << log.Dump();
}
} // namespace
