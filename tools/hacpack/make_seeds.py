#!/usr/bin/env python3
"""Writes the seed corpora of the archive fuzz targets and the test archive made
by a writer independent of the C++ one. Run from the repository root:
    python3 tools/hacpack/make_seeds.py
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def text(s):
    u = s.encode('utf-16-le')
    return struct.pack('<i', len(u) // 2) + u


def lower(s):
    return ''.join(chr(ord(c) + 32) if 'A' <= c <= 'Z' else c for c in s)


def key(name):
    # descending by lower-cased code units; a prefix sorts after the longer name
    return [ord(c) for c in lower(name)]


def hac3(tree, root_name='root'):
    """tree: {name: bytes or (method, size, stored_bytes) or dict (folder)}"""
    body = bytearray(b'HAC-3\x1a\x00\x00')
    placed = {}

    def place(t, prefix):
        for name in sorted(t, key=key, reverse=True):
            v = t[name]
            if isinstance(v, dict):
                place(v, prefix + name + '/')
        for name in sorted(t, key=key, reverse=True):
            v = t[name]
            if isinstance(v, dict):
                continue
            method, size, data = ('', len(v), v) if isinstance(v, bytes) else v
            placed[prefix + name] = (method, size, len(data), len(body))
            body.extend(data)

    def directory(t, name, prefix):
        out = bytearray(text(name))
        subs = sorted([n for n in t if isinstance(t[n], dict)], key=key, reverse=True)
        files = sorted([n for n in t if not isinstance(t[n], dict)], key=key, reverse=True)
        out += struct.pack('<I', len(subs))
        for s in subs:
            out += directory(t[s], s, prefix + s + '/')
        out += struct.pack('<I', len(files))
        for f in files:
            method, size, stored, offset = placed[prefix + f]
            out += text(f) + text(method) + struct.pack('<II', size, stored) + bytes(16) + struct.pack('<I', offset)
        return out

    place(tree, '')
    d = len(body)
    body += directory(tree, root_name, '')
    body += struct.pack('<I', d)
    return bytes(body)


def tdf(name, data=b'', children=()):
    out = text(name) + struct.pack('<I', len(data)) + data + struct.pack('<I', len(children))
    for c in reversed(children):
        out += c
    return out


def write(path, data):
    path = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    sample = {
        'Readme.TXT': b'hello archive\r\n',
        'empty.bin': b'',
        'Script': {'Main.txt': 'main()\r\n{\r\n}\r\n'.encode('utf-16-le'), 'a': b'A', 'ab': b'AB'},
        'Pic': {'Deep': {'x.raw': bytes(range(64))}},
        'odd.dat': ('NoSuchMethod', 3, b'xyz'),
    }
    write('tests/data/archive/independent.hac', hac3(sample, 'Data'))

    write('fuzz/corpus/hac3_open/one_file.hac', hac3({'a.txt': b'hi'}))
    write('fuzz/corpus/hac3_open/tree.hac', hac3(sample, 'Data'))
    write('fuzz/corpus/hac3_open/zip_method.hac', hac3({'z.bin': ('Zip', 100, b'\x78\x9c\x4b\x4c\xa4\x3d\x00\x00')}))
    write('fuzz/corpus/hac3_open/many.hac', hac3({'f%03d' % i: bytes([i]) * (i % 7) for i in range(60)}))

    leaf = tdf('leaf', struct.pack('<i', 42))
    tree = tdf('root', b'', [tdf('x', b'\x07'), tdf('name', text('名前')),
                             tdf('child', b'', [leaf, tdf('f', struct.pack('<f', 1.5))]),
                             tdf('压缩算法', text('')), tdf('blk', bytes(range(32)))])
    write('fuzz/corpus/tdf_load/tree.tdf', tree)
    write('fuzz/corpus/tdf_load/one.tdf', tdf('a'))
    write('fuzz/corpus/tdf_load/cut.tdf', tree[:len(tree) // 2])

    write('fuzz/corpus/stringlist_text/utf8_mark.txt', b'\x02\xef\xbb\xbfline\r\n\xe4\xb8\xad\n\nlast\xf0\x9f\x98\x80')
    write('fuzz/corpus/stringlist_text/utf16le.txt', b'\x00\xff\xfe' + 'a\r\nb\rc\n'.encode('utf-16-le'))
    write('fuzz/corpus/stringlist_text/utf16be.txt', b'\x01\xfe\xff' + 'x\r\n中'.encode('utf-16-be') + b'\x00')
    write('fuzz/corpus/stringlist_text/gbk.txt', b'\x01\xd6\xd0\xce\xc4\r\nabc\x80')
    write('fuzz/corpus/stringlist_stream/stream_form.bin',
          b'\x04' + struct.pack('<i', 3) + text('one') + text('') + text('三'))

    write('fuzz/corpus/plist_parse/system.list',
          b'\xff\xfe' + 'GameName\t游戏\r\nEnglishGameName\tThe Game\r\nName=My Game\r\n\tempty\r\nx\r\n'.encode('utf-16-le'))
    write('fuzz/corpus/plist_parse/plain.txt', b'a b\tc\nkey = value\nkey\tagain\n=\n')


if __name__ == '__main__':
    main()
