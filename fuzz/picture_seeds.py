#!/usr/bin/env python3
# Writes the seed corpora of tex_read and hgp_read: small TEX and HGP trees, raw
# and Zip-packed, and one cut short.
import os, struct, zlib

here = os.path.dirname(os.path.abspath(__file__))

def text(s):
    u = s.encode('utf-16-le')
    return struct.pack('<i', len(u) // 2) + u

def node(name, data=b'', children=()):
    out = text(name) + struct.pack('<I', len(data)) + data + struct.pack('<I', len(children))
    for c in reversed(children):
        out += c
    return out

def i32(name, v): return node(name, struct.pack('<i', v))
def u32(name, v): return node(name, struct.pack('<I', v))

def image(w, h, ct, pixels, zip_=False):
    data = zlib.compress(pixels) if zip_ else pixels
    return [i32('Width', w), i32('Height', h), i32('ColorType', ct), u32('Format', 0),
            node('压缩算法', text('Zip' if zip_ else '')), node('Image', data)]

def tex(w, h, ct, ch, zip_=False):
    pixels = bytes((x * 13 + y * 7) & 0xFF for y in range(h) for x in range(w * ch))
    return node('TEX', b'', [i32('Version', 1), node('Mipmap', b'\x01')] + image(w, h, ct, pixels, zip_))

def layer(i, name, left, top, w, h):
    pixels = bytes((i * 40 + x + y) & 0xFF for y in range(h) for x in range(w * 4))
    return node('L%d' % i, b'', [node('Name', text(name)), i32('Left', left), i32('Top', top),
                                 node('Color', struct.pack('<4f', 1, 1, 1, 1 if i else 0))] +
                image(w, h, 4, pixels, zip_=(i % 2 == 1)))

def hgp():
    layers = [layer(0, 'Normal', 0, 0, 6, 5), layer(1, 'Select', 2, 1, 4, 4), layer(2, '', 1, 1, 3, 2)]
    return node('HGP', b'', [i32('Version', 1), i32('Width', 6), i32('Height', 5), i32('LayerCount', 3)] + layers)

def write(folder, name, data):
    d = os.path.join(here, 'corpus', folder)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), 'wb') as f:
        f.write(data)

write('tex_read', 'rgba.tex', tex(5, 3, 4, 4))
write('tex_read', 'lum_zip.tex', tex(9, 7, 1, 1, True))
write('tex_read', 'cut.tex', tex(5, 3, 3, 3)[:-7])
write('hgp_read', 'three.hgp', hgp())
write('hgp_read', 'empty.hgp', node('HGP', b'', [i32('Version', 1), i32('Width', 2), i32('Height', 2), i32('LayerCount', 0)]))
write('hgp_read', 'cut.hgp', hgp()[:-20])
