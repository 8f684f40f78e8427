#pragma once
// The pieces of the game the end-to-end tests stand in for: the content of
// "Local.hac", the in-game screen with its natives, the credits screen, reading a
// script file the two ways the game does, the save file, and the road of one story
// from the archive through a save to a restored engine.
#include "core/Log.h"
#include "core/String.h"
#include "io/Compress.h"
#include "io/Core.h"
#include "io/HAC.h"
#include "io/MemStream.h"
#include "io/PList.h"
#include "io/TDF.h"
#include "script/DevilEngine.h"
#include "support/BuildPlugIns.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "tools/hacpack/EngineCompressor.h"
#include "tools/hacpack/HacWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace integration
{
using hgl::u16char;
using Trace = std::vector<std::u16string>;

using hgl::test::UseBuildPlugIns;

inline std::u16string ToStd(const hgl::String &s)
{
    return s.c_str() ? std::u16string(s.c_str(), size_t(s.GetLength())) : std::u16string();
}

// A text file as the content tools write it: UTF-16LE with a byte-order mark.
inline std::vector<uint8_t> U16LE(const std::u16string &text)
{
    std::vector<uint8_t> b{0xFF, 0xFE};
    for (char16_t c : text)
    {
        b.push_back(uint8_t(c & 0xFF));
        b.push_back(uint8_t(c >> 8));
    }
    return b;
}

inline const std::u16string kChapterScript = u"// 第一章\r\n"
                                             u"func main()\r\n"
                                             u"{\r\n"
                                             u"    BG_FadeToPart(1, 0.5, 0, 0, 1.5);\r\n"
                                             u"    SetChar(\"left\", \"美咲\", 100, 200, \"smile\");\r\n"
                                             u"    MES(\"【美咲】早上好。\");\r\n"
                                             u"    CaseGoto(1, \"school\");\r\n"
                                             u"    MES(\"这句不会出现\");\r\n"
                                             u"school:\r\n"
                                             u"    MES(\"【美咲】一起去上学吧。\");\r\n"
                                             u"    SetChar(\"left\", \"美咲\", 120, 200, \"normal\");\r\n"
                                             u"    MES(\"（完）\");\r\n"
                                             u"}\r\n";

inline const std::u16string kStaffScript = u"func ALL()\r\n"
                                           u"{\r\n"
                                           u"    SAY(\"制作：小林\");\r\n"
                                           u"    SAY(\"音乐：佐藤 & 鈴木\");\r\n"
                                           u"    SAY(\"感谢游玩\");\r\n"
                                           u"}\r\n";

inline const std::u16string kSystemList =
    u"GameName\t天使的眼泪\r\nEnglishGameName\tAngel Tears\r\nVersion\t1.0\r\n";

// The trace of the first sitting (to the second message) and of the restored one.
inline const Trace kFirstPart{u"fade 1 0.5 0 0 1.5", u"char left 美咲 100 200 smile", u"【美咲】早上好。",
                              u"goto 1 school", u"【美咲】一起去上学吧。"};
inline const Trace kSecondPart{u"char left 美咲 120 200 normal", u"（完）"};

// "Local.hac": the chapter stored, the credits script compressed with Zip.
inline bool BuildLocalHac(std::vector<uint8_t> &out)
{
    hgl::hacpack::HacWriter w;
    w.SetCompressor(hgl::hacpack::EngineCompressor());
    w.root.Add(u"Script\\Chapter.CPP", U16LE(kChapterScript));
    // Packed even where deflate does not save anything: the reader must unpack it.
    w.root.Add(u"Script\\Staff.CPP", U16LE(kStaffScript), u"Zip");
    w.root.Add(u"System.List", U16LE(kSystemList));
    std::string err;
    const bool ok = w.Build(out, &err);
    EXPECT_TRUE(ok) << err;
    return ok;
}

// The story archive written as "Local.hac" in `dir`; `bytes` keeps what was written.
// Call through ASSERT_NO_FATAL_FAILURE so a failure stops the test.
inline void WriteLocalHac(const hgl::test::TempDir &dir, std::vector<uint8_t> &bytes)
{
    ASSERT_TRUE(BuildLocalHac(bytes));
    ASSERT_TRUE(dir.WriteFile("Local.hac", bytes));
}

inline std::unique_ptr<hgl::HAC> OpenLocalHac(const hgl::test::TempDir &dir)
{
    return std::unique_ptr<hgl::HAC>(hgl::OpenHAC(dir.File16("Local.hac").c_str()));
}

inline std::vector<uint8_t> LoadBytes(hgl::HAC *hac, const u16char *path)
{
    void *buf = nullptr;
    int size = 0;
    if (!hac->LoadFile(path, &buf, &size)) return {};
    std::vector<uint8_t> b(static_cast<uint8_t *>(buf), static_cast<uint8_t *>(buf) + size);
    delete[] static_cast<uint8_t *>(buf);
    return b;
}

// The script file's text as the engine gets it (without the byte-order mark).
inline bool LoadScriptText(hgl::HAC *hac, const u16char *path, std::u16string &text)
{
    text.clear();
    const std::vector<uint8_t> b = LoadBytes(hac, path);
    if (b.size() < 2 || b.size() % 2 != 0) return false;
    std::u16string units;
    for (size_t i = 0; i < b.size(); i += 2)
        units.push_back(char16_t(b[i] | b[i + 1] << 8));
    if (units[0] != u'\uFEFF') return false;
    text = units.substr(1);
    return true;
}

inline std::u16string Num(double v)
{
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') s.pop_back();
    return std::u16string(s.begin(), s.end());
}

// The in-game screen: its managers' natives all go into one engine.
struct Stage
{
    std::unique_ptr<hgl::DevilEngine> engine{static_cast<hgl::DevilEngine *>(hgl::NewDevilEngine())};
    int choice = 0;
    Trace trace;

    void MES(const u16char *text)
    {
        trace.push_back(text);
        engine->Pause();
    }
    void SetChar(const u16char *pos, const u16char *name, int x, int y, const u16char *face)
    {
        trace.push_back(std::u16string(u"char ") + pos + u" " + name + u" " + Num(x) + u" " + Num(y) + u" " +
                        face);
    }
    void BG_FadeToPart(int part, float a, float b, float c, float d)
    {
        trace.push_back(u"fade " + Num(part) + u" " + Num(a) + u" " + Num(b) + u" " + Num(c) + u" " + Num(d));
    }
    void CaseGoto(int value, const u16char *label)
    {
        if (value != choice) return;
        trace.push_back(u"goto " + Num(value) + u" " + label);
        if (!engine->GotoLabel(label)) hgl::PutError(u"跳转失败：<%d:%s>", value, label);
    }

    bool Bind()
    {
        if (!engine) return false;
        bool ok = engine->MapMemberFunc(u"void MES(string)", this, &Stage::MES);
        ok = ok &&
             engine->MapMemberFunc(u"void SetChar(string,string,int,int,string);", this, &Stage::SetChar);
        ok = ok && engine->MapMemberFunc(u"void BG_FadeToPart(int,float,float,float,float)", this,
                                         &Stage::BG_FadeToPart);
        ok = ok && engine->MapMemberFunc(u"void CaseGoto(int,string)", this, &Stage::CaseGoto);
        return ok;
    }
    bool Load(const std::u16string &text) { return engine->LoadScript(text.c_str(), int(text.size())); }
    // The frame update: a waiting script goes on.
    bool Update() { return engine->Resume(nullptr); }
};

// The credits screen: runs "ALL" to the end and deletes its engine.
struct StaffScreen
{
    Trace lines;
    void SAY(const u16char *text) { lines.push_back(text); }

    bool Build(const std::u16string &text)
    {
        std::unique_ptr<hgl::DevilVM> engine(hgl::NewDevilEngine());
        if (!engine) return false;
        bool ok = engine->MapMemberFunc(u"void SAY(string)", this, &StaffScreen::SAY);
        ok = ok && engine->LoadScript(text.c_str(), int(text.size()));
        return ok && engine->Resume(u"ALL");
    }
};

// The save: the chapter's archive path and the engine's run state, in a TDF file.
inline bool SaveGame(const std::u16string &file, const u16char *chapter,
                     const std::vector<uint8_t> &run_state)
{
    hgl::TDFNode root;
    root.SetName(hgl::String(u"Game"));
    root.SetString(u"Chapter", hgl::String(chapter));
    root.SetData(u"RunState", run_state.data(), int(run_state.size()));
    return root.SaveToFile(file.c_str());
}

// The whole road of one story: mount, read the name, play to the second message,
// save, restore in a new engine, play to the end. Returns everything it observed.
struct RoadResult
{
    std::u16string game_name, english_name;
    Trace first_part, second_part, staff;
    std::vector<uint8_t> run_state;
};

inline void PlayRoad(hgl::HAC *hac, const hgl::test::TempDir &dir, RoadResult &out)
{
    ASSERT_NE(hac, nullptr);
    hgl::PList system;
    ASSERT_TRUE(system.LoadFromHAC(hac, u"System.List"));
    hgl::String value;
    ASSERT_TRUE(system.Get(hgl::String(u"GameName"), value));
    out.game_name = ToStd(value);
    ASSERT_TRUE(system.Get(hgl::String(u"EnglishGameName"), value));
    out.english_name = ToStd(value);

    // The credits screen's script is the compressed entry.
    {
        StaffScreen staff;
        std::u16string text;
        ASSERT_TRUE(LoadScriptText(hac, u"Script\\Staff.CPP", text));
        ASSERT_TRUE(staff.Build(text));
        out.staff = staff.lines;
    }

    std::u16string chapter;
    ASSERT_TRUE(LoadScriptText(hac, u"Script\\Chapter.CPP", chapter));

    // First sitting: play until the second message waits, then save.
    {
        Stage stage;
        ASSERT_TRUE(stage.Bind());
        ASSERT_TRUE(stage.Load(chapter));
        ASSERT_TRUE(stage.engine->Resume(u"main"));
        EXPECT_EQ(stage.engine->GetRunState(), 1);
        stage.choice = 1;
        ASSERT_TRUE(stage.Update());
        EXPECT_EQ(stage.engine->GetRunState(), 1);
        out.first_part = stage.trace;

        hgl::MemStream state;
        ASSERT_TRUE(stage.engine->SaveState(&state));
        out.run_state.assign(state.GetData(), state.GetData() + state.GetSize());
        ASSERT_TRUE(SaveGame(dir.File16("Save/Game.TDF"), u"Script\\Chapter.CPP", out.run_state));
    }

    // Second sitting: a new engine, the chapter named by the save, the run state from it.
    {
        hgl::TDFNode save;
        ASSERT_TRUE(save.LoadFromFile(dir.File16("Save/Game.TDF").c_str()));
        hgl::String chapter_name;
        ASSERT_TRUE(save.GetString(u"Chapter", chapter_name));
        std::u16string text;
        ASSERT_TRUE(LoadScriptText(hac, chapter_name.c_str(), text));

        Stage stage;
        ASSERT_TRUE(stage.Bind());
        ASSERT_TRUE(stage.Load(text));
        hgl::TDFNode *state = save.FindChild(hgl::String(u"RunState"));
        ASSERT_NE(state, nullptr);
        state->GetStream()->SetPosition(0);
        ASSERT_TRUE(stage.engine->LoadState(state->GetStream()));
        EXPECT_EQ(stage.engine->GetStackDepth(), 1);
        while (stage.engine->GetStackDepth() > 0 && stage.trace.size() < 20)
            if (!stage.Update()) break;
        EXPECT_EQ(stage.engine->GetStackDepth(), 0);
        out.second_part = stage.trace;
    }
}
} // namespace integration
