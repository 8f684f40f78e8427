#pragma once
// Tables the game fills at start-up from its data scripts in "Local.hac":
//   "Script\Chapter.CPP": void SetChapter(string script, string display name)
//   "Script\Define.CPP":  void SetCharView(string code, float scale, float anchor y, float anchor x)
#include "core/String.h"

namespace avg
{
namespace data
{
struct ChapterItem
{
    hgl::String script; // upper-cased
    hgl::String name;   // shown to the player
};

// The display name of the chapter registered for the script (any case), or an
// empty name and false.
bool GetChapterName(const hgl::String &script, hgl::String &name);
} // namespace data

// One row of the view-offset table: how a character's picture is placed.
struct CharViewOffset
{
    hgl::String code; // two letters, upper-cased
    float scale = 1.0f;
    float anchor_y = 0.0f;
    float anchor_x = 0.0f;
};

// Fills the anchors of the character's row and returns the row, or -1 (outputs
// untouched) for an unknown code. The scale follows the size letter: 'S' 0.75,
// 'L' 1.0, 'M' and 'X' the row's scale (either case); other letters leave it.
int GetCharViewOffset(const hgl::String &code, hgl::u16char size, float &anchor_y, float &anchor_x,
                      float &scale);

// Runs both data scripts (the tables emptied first); false when either fails,
// keeping what the scripts registered.
bool LoadDataTables();
void ClearDataTables();
} // namespace avg
