#pragma once
// The story variables of one game (name -> value), read and written by the
// script through RGET and RSET. Names starting with 'H' or 'h' stand for the
// game-wide system flags instead, so a story can unlock the extras.
#include "core/IndexData.h"
#include "core/String.h"

class GameValue : public hgl::IndexData<hgl::String, int>
{
  public:
    ~GameValue() override = default;

    // "ON" 1, "OFF" 0, an 'H'/'h' name the system flag, else the variable (0 when
    // absent or for a null name).
    int RGET(const hgl::u16char *name);
    // The text is a decimal integer when it starts with '-' or a digit, else the
    // name of a value to copy (as RGET reads it). A null or empty name is ignored.
    void RSET(const hgl::u16char *name, const hgl::u16char *text);
};
