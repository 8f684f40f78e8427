#pragma once
// A start folder of its own for each test: info string 8 points at a fresh
// temporary folder with an empty "Save" folder, and the game's process-wide
// state starts from its start values.
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/DataTables.h"
#include "game/core/GameRecord.h"
#include "io/Core.h"

#include <gtest/gtest.h>

#include <string>

class GameCoreTest : public ::testing::Test
{
  protected:
    hgl::test::TempDir dir{"avg"};

    void SetUp() override
    {
        ASSERT_TRUE(dir.MakeDir("Save"));
        hgl::SetInfoString(8, dir.Path16().c_str());
#ifdef HGL_PLUGIN_DIR_U
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U); // the demo's pictures are compressed
#endif
        avg::config::ResetConfig();
        avg::GetGameRecord().Clear();
    }

    void TearDown() override
    {
        avg::CloseArchives();
        avg::ClearDataTables();
        avg::GetGameRecord().Clear();
        hgl::SetInfoString(8, nullptr);
    }

    // Bytes of a UTF-16LE text with its byte-order mark, as the game's text files are.
    static std::string Utf16File(const std::u16string &text)
    {
        std::string bytes = "\xFF\xFE";
        for (char16_t c : text)
        {
            bytes += char(c & 0xFF);
            bytes += char(c >> 8);
        }
        return bytes;
    }
};
