#pragma once
// Plug-in sources may include the interface contract under this name too.
#include "io/PlugInABI.h"
