#pragma once
// OpenHAC is declared with the archive interface; this header is the name to
// include for code that only mounts archives.
#include "io/HAC.h"
