#include "core/Types.h"
