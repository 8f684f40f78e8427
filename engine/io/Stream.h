#pragma once
// The stream interface lives in core, so that core's containers can save to and
// load from streams; this name stays for the code that includes it from here.
#include "core/Stream.h"
