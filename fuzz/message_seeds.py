#!/usr/bin/env python3
# Writes the seed corpora of the message window's targets: messages with their
# markup (message_parse), ".history" files (message_history) and save trees of the
# window's nodes (message_state).
import hashlib, os, struct

here = os.path.dirname(os.path.abspath(__file__))

def put(corpus, name, data):
    folder = os.path.join(here, 'corpus', corpus)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)

def utf16(s):
    return s.encode('utf-16-le')

def text(s):
    u = utf16(s)
    return struct.pack('<i', len(u) // 2) + u

def node(name, data=b'', children=()):
    out = text(name) + struct.pack('<I', len(data)) + data + struct.pack('<I', len(children))
    for c in reversed(children):
        out += c
    return out

def digest(s):
    return hashlib.md5(utf16(s)).digest()

# Messages.
put('message_parse', 'speaker_markup', utf16('【小雪】早上好%K%P。＃￥%LC'))
put('message_parse', 'two_names', utf16('【甲】【乙】说%N%n%k%p'))
put('message_parse', 'no_close', utf16('【没有结束'))
put('message_parse', 'plain_codes', utf16('%LE%Le%lE%le%T%t%S060%O060%S030%O030%FS%FE%K%W%X66%XE完%lc'))
put('message_parse', 'long_lines', utf16('字' * 90 + '\n' + 'abc ' * 40))

# Histories.
put('message_history', 'two_read', struct.pack('<i', 3) + digest('一') + digest('二'))
put('message_history', 'count_disagrees', struct.pack('<i', 999) + digest('一'))
put('message_history', 'partial_digest', struct.pack('<i', 1) + digest('一') + b'1234567')
put('message_history', 'short', struct.pack('<i', 1) + digest('一')[:15])

# Save trees.
def line(kind, key, raw, shown=1):
    data = bytes([shown]) + (text(key) + text(raw) if shown == 1 else b'')
    return node(kind, data)

def listed(entries, count=None):
    data = struct.pack('<I', len(entries) if count is None else count)
    for voice, raw in entries:
        data += text(voice) + text(raw)
    return node('已读对话', data)

def flags(shout, dark):
    return [node('喊话', bytes([shout]))], [node('字体颜色', bytes([dark]))]

for name, body in [
    ('dialog', [line('对话框对话', 'XY', '【小雪】早上好%K%P'), listed([('XY_1', '【小雪】早上好%K%P')])]),
    ('novel', [line('小说对话', '', '第一行\n第二行'), listed([('', '第一行'), ('', '【甲】第二行')])]),
    ('centred', [line('中间对话', '', '—— 一 ——')]),
    ('hidden', [line('对话框对话', '', '', 0)]),
    ('short_list', [listed([('v', '一')], count=7)]),
]:
    head, tail = flags(1 if name == 'dialog' else 0, 1)
    put('message_state', name + '.save', node('root', b'', head + body + tail))
put('message_state', 'truncated.save', node('root', b'', [line('对话框对话', 'XY', '台词')])[:-5])
