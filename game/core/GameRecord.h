#pragma once
// What the game keeps across games in "\Save\Game.TDF": the system flags and the
// lists of seen event pictures, chosen options and heard music (names kept
// upper-cased). One process-wide record, loaded at start-up and saved at exit.
#include "core/IndexData.h"
#include "core/String.h"
#include "io/StringList.h"

namespace avg
{
// The global flags (name -> value); the extras unlock by them.
class SystemFlag : public hgl::IndexData<hgl::String, int>
{
  public:
    ~SystemFlag() override = default;
};

struct GameRecord
{
    SystemFlag flags;
    hgl::StringList events;
    hgl::StringList selects;
    hgl::StringList bgms;

    void Clear();
    // Replaces the record with the file's; false (the record left empty) when the
    // file cannot be read or is not a game record.
    bool Load(const hgl::String &filename);
    // Writes "<file>.backup" and renames it over the file in one step.
    bool Save(const hgl::String &filename);
};

GameRecord &GetGameRecord();

// "Game.TDF" of the save folder. A missing or damaged file falls back to
// "Game.TDF.backup" when that exists, else to an empty record; only a damaged
// file or backup gives false. The record is empty on the first start.
bool LoadGameRecord();
bool SaveGameRecord();

// A system flag, 0 when absent.
int GetSystemFlag(const hgl::String &name);
void SetSystemFlag(const hgl::String &name, int value);

void MarkEvent(const hgl::String &name);
bool IsEventSeen(const hgl::String &name);
void MarkSelect(const hgl::String &name);
bool IsSelectSeen(const hgl::String &name);
void MarkBGMHeard(const hgl::String &name);
bool IsBGMHeard(const hgl::String &name);
} // namespace avg
