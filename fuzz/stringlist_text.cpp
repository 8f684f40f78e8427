// Bytes loaded as a text file (mark detection, code pages, line splitting).
#include "StringListRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return StringListRoundTrip(data, size, false);
}
