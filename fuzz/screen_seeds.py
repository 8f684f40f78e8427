#!/usr/bin/env python3
# Writes the seed corpora of movie_entries and music_tracks: the calls a data
# script makes, with frames, keys and clicks between them, including long names,
# counts past the limits and numbers that are not numbers.
import os, struct

here = os.path.dirname(os.path.abspath(__file__))

def name(s):
    u = s.encode('utf-16-le')
    return struct.pack('<H', len(u) // 2) + u

def f32(v): return struct.pack('<f', v)
def i32(v): return struct.pack('<i', v)
def f64(v): return struct.pack('<d', v)

def write(target, seed, data):
    folder = os.path.join(here, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, seed), 'wb') as f:
        f.write(data)

# movie_entries: 0 add, 1 frames, 2 key, 3 play, 4 flag
def movie(picture, movie_name, unlock, x, y, w, h, own_picture=1):
    return bytes([0]) + name(picture) + name(movie_name) + name(unlock) + f32(x) + f32(y) + f32(w) + f32(h) + \
        bytes([own_picture])

frames = lambda n: bytes([1, n])
write('movie_entries', 'two_entries',
      movie('', 'm01', 'OPEN', 200, 300, 400, 300) + bytes([4]) + name('HMOVIE2') + i32(1) +
      movie('', 'm02', 'HMOVIE2', 1000, 300, 400, 300) + frames(60) + bytes([3, 0, 3, 1, 2, 1]) + frames(60))
write('movie_entries', 'odd_numbers',
      movie('', 'nan', 'OPEN', float('nan'), float('inf'), -float('inf'), 3e38) +
      movie('missing.HGP', 'neg', 'OPEN', -5000, -1, -1, 0, 0) + frames(63) + bytes([3, 0, 3, 1]))
write('movie_entries', 'long_names',
      movie('x' * 300, '長' * 500, 'H' * 200, 10, 10, 20, 20, 0) + frames(55) + bytes([3, 0]))
write('movie_entries', 'too_many',
      b''.join(movie('', 'e%d' % i, 'OPEN', 30 * (i % 50), 100, 20, 20) for i in range(53)) + frames(60))

# music_tracks: 0 add, 1 frames, 2 key, 3 click, 4 clock, 5 heard
def track(name_, minutes, seconds, title, picture='', own_picture=1):
    return bytes([0]) + name(name_) + name(title) + name(picture) + i32(minutes) + i32(seconds) + \
        bytes([own_picture])

heard = lambda n: bytes([5]) + name(n)
clock = lambda s: bytes([4]) + f64(s)
write('music_tracks', 'play_and_next',
      heard('A') + heard('C') + track('A', 0, 2, 'one') + track('B', 0, 3, 'two') + track('C', 1, 0, 'three') +
      frames(60) + bytes([3, 0]) + clock(1.5) + frames(5) + clock(2.0) + frames(15) + bytes([2, 1, 2, 1]) +
      frames(60))
write('music_tracks', 'odd_lengths',
      heard('A') + track('A', 2**31 - 1, 2**31 - 1, 'max') + track('A', -2**31, -1, 'min') + track('A', 0, 0, 'zero') +
      frames(60) + bytes([3, 0]) + clock(float('nan')) + frames(3) + bytes([3, 1]) + clock(1e300) + frames(3) +
      bytes([3, 2]) + clock(-float('inf')) + frames(12))
write('music_tracks', 'long_titles',
      heard('曲' * 400) + track('曲' * 400, 0, 5, '題' * 1000, 'p' * 300, 0) + frames(60) + bytes([3, 0]) +
      clock(3) + frames(20))
write('music_tracks', 'too_many',
      b''.join(track('T%d' % i, 0, 1, 't') for i in range(31)) + frames(60) + bytes([2, 86, 2, 86, 2, 54]))
