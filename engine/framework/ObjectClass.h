#pragma once
// The kinds an object control sorts its children into. Each kind is a bit of
// Object's class flags, set by the constructor of the class that brings it; the
// control keeps one list per kind so that it walks only the children concerned.
#include "core/Types.h"

namespace hgl
{
enum ObjectClass
{
    ocVisual = 0, // updated and drawn
    ocEvent,      // takes input
    ocGUI,        // has a rectangle: pointer events are hit-tested
    ocControl,    // holds children of its own

    ocClassCount = 10 // room the control's lists are made with
};

constexpr uint32 ObjectClassBit(ObjectClass c)
{
    return uint32(1) << c;
}
} // namespace hgl
