#pragma once
// The packer's compressor through the engine's compression plug-ins, so that an
// archive's packed entries are exactly what the engine's readers unpack.
#include "HacWriter.h"

namespace hgl::hacpack
{
// Packs with hgl::Compress under the entry's method name; an empty input, one too
// large for the plug-in interface or a refusal leaves the file stored.
HacCompressor EngineCompressor();
} // namespace hgl::hacpack
