// Bytes read as a string list's stream form (count, then counted texts).
#include "StringListRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return StringListRoundTrip(data, size, true);
}
