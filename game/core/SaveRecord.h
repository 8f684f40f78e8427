#pragma once
// The in-game screen's own part of a save slot, under the root "Save" of
// "<slot>.save" (the stage managers add their nodes after it):
//   "Version" int32 1, "脚本" string, "存档时间" node ("Date", "Time" objects),
//   "游戏时间" int64 ms, "运行状态" data (the engine's run state),
//   "脚本栈" node: "Count" int32 and children "0".."n-1" (bottom first) with
//            "File" string and "State" data,
//   "变量" node: one int32 child per story variable,
//   "音乐" node: "Name" string, "Loop" bool,
//   "画面" node: "Red" bool, "Anime" string,
//   "自动" node: "Auto" bool.
#include "core/String.h"
#include "core/Types.h"

#include <string>
#include <utility>
#include <vector>

namespace hgl
{
class TDFNode;
}

namespace avg
{
struct SaveRecord
{
    static constexpr int kVersion = 1;
    // Bounds against damaged files: deeper script calls or more variables than a
    // story ever has are refused before anything is kept.
    static constexpr int kMaxStack = 256;
    static constexpr int kMaxVariables = 65536;

    struct Caller
    {
        hgl::String file;
        std::string state; // the engine's run state, raw bytes
    };

    hgl::String script;
    hgl::int64 play_time = 0;
    std::string run_state;
    std::vector<Caller> stack; // bottom first
    std::vector<std::pair<hgl::String, int>> variables;
    hgl::String music;
    bool music_loop = false;
    bool red = false;
    hgl::String anime;
    bool auto_mode = false;

    // Writes the nodes under root (named "Save"), the time of saving included
    // when stamp_time is set.
    bool Write(hgl::TDFNode &root, bool stamp_time) const;
    // False, with a log line, when root is not a save or a node is damaged.
    bool Read(hgl::TDFNode &root);
};
} // namespace avg
