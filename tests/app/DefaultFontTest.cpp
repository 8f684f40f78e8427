// The application builds its default tile font when the description asks, keeps it
// in global pointer 4 and deletes it when it goes.
#include "app/WinOpenGLApplication.h"
#include "graphics/font/TileFont.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

TEST(DefaultTileFont, MadeByTheApplicationAndDeletedWithIt)
{
    hgl::test::ScopedEnv headless("HGL_WINDOW", "headless");
    hgl::test::ScopedEnv silent("ALSOFT_DRIVERS", "null");
    for (bool wanted : {false, true})
    {
        hgl::test::LogCapture log;
        {
            hgl::WinOpenGLApplication app(false);
            hgl::SystemInitInfo sii;
            sii.graphics.CreateDefaultFont = wanted;
            sii.graphics.TileFontSize = 50;
            ASSERT_TRUE(app.Init(&sii)) << log.Dump();
            auto *font = static_cast<hgl::TileFont *>(hgl::GetGlobalPointer(4));
            EXPECT_EQ(font != nullptr, wanted);
            EXPECT_EQ(log.Contains(u"不创建缺省字体！"), !wanted);
            if (font)
            {
                EXPECT_EQ(font->Capacity, 50);
                EXPECT_EQ(font->CharHeight, 14);
                EXPECT_EQ(hgl::GetDefaultFont().Name.Comp(u"黑体"), 0);
            }
        }
        EXPECT_EQ(hgl::GetGlobalPointer(4), nullptr);
    }
}
