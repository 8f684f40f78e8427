#pragma once
// MD5 message digest (RFC 1321).
#include "core/Types.h"

namespace hgl
{
struct MD5Context
{
    uint32 state[4];  // chaining words
    uint32 count[2];  // message length in bits, low word first
    uint8 buffer[64]; // the partial block
};

void MD5Init(MD5Context *ctx);

// Adds size bytes; may be called any number of times.
void MD5Update(MD5Context *ctx, const void *data, unsigned int size);

// Pads, processes the last block(s) and writes the 16-byte digest.
void MD5Final(unsigned char digest[16], MD5Context *ctx);

// The compression function over one 64-byte block.
void MD5Transform(uint32 state[4], const uint8 block[64]);
// The same block given as its 16 words (in memory, little-endian, so the bytes
// are the same).
void MD5Transform(uint32 state[4], const uint32 block[16]);

// One-shot digest of a buffer. Safe to call from several threads at once.
void MD5Digest(const void *data, unsigned int size, unsigned char digest[16]);
} // namespace hgl

// The context is also known by its bare name.
using hgl::MD5Context;
