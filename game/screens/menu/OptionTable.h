#pragma once
// The seven settings of the options screen, one row each: the item's key, the
// setting the row reads and writes, its choices (picture, value, place along the
// row) and what a new value changes at once. The options screen draws its summary
// from this table and each option page its buttons, so the two always agree.
#include "core/String.h"

namespace avg
{
class GameUnit;
class MessageStage;

constexpr int kOptionRowCount = 7;
constexpr int kMaxOptionChoices = 4;

struct OptionChoice
{
    const hgl::u16char *picture; // "option\<picture>.HGP"
    int value;
    float fraction; // the centre's place along the row, 0 .. 1
};

struct OptionRow
{
    const hgl::u16char *key; // "option\<key>.HGP" is the item's picture
    // A two-choice row is a switch: its first choice stands for every non-zero
    // value. The others match their values exactly.
    bool is_switch;
    int choice_count;
    OptionChoice choices[kMaxOptionChoices];
    int (*get)();
    void (*set)(int value);
    // What changes at once besides the setting; null for nothing.
    void (*apply)(GameUnit *game, MessageStage *message, int value);
};

enum OptionRowIndex
{
    orQuickMode,
    orAutoSave,
    orSounds,
    orMusic,
    orVoice,
    orWordSpeed,
    orAutoSpeed,
};

// Row 0 to 6; an index outside gives row 0.
const OptionRow &GetOptionRow(int index);

// The choice that stands for the value, or -1 when none does.
int MatchOptionChoice(const OptionRow &row, int value);

// The choice pictures, each loaded once by the options screen, in this order.
constexpr int kChoicePictureCount = 11;
extern const hgl::u16char *const kChoicePictures[kChoicePictureCount];

// "option\<name>.HGP".
hgl::String OptionPicture(const hgl::u16char *name);
} // namespace avg
