#!/usr/bin/env python3
"""Writes the small seed corpora of the game shell's fuzz targets (resource packs, text
packs, menu data) into fuzz/seeds/. Run again after changing it; the output is the same
every time."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def pack(entries):
    offsets = [0]
    for e in entries:
        offsets.append(offsets[-1] + len(e))
    return struct.pack('<H', len(offsets)) + b''.join(struct.pack('<I', o) for o in offsets) + b''.join(entries)


def text_pack(strings):
    return struct.pack('>H', len(strings)) + b''.join(struct.pack('>H', len(s)) + s for s in strings)


def menu_record(header, ids, items=b''):
    return bytes([0, 0, 0, 0, len(ids), header & 0xFF]) + b''.join(struct.pack('>h', i) for i in ids) + items


def menu_file(records, total=None):
    blob, starts = b'', []
    for r in records:
        starts.append(len(blob))
        blob += r
    index = [starts[m] if m < len(starts) else len(blob) for m in range(1, 79)]
    total = 156 + len(blob) if total is None else total
    return struct.pack('>H', total) + b''.join(struct.pack('>h', i) for i in index) + blob


def write(target, name, data):
    folder = os.path.join(HERE, 'seeds', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def main():
    three = pack([b'\x01\x02', b'\x03', b'', b'\x04\x05\x06\x07'])
    write('fuzz_resource_pack', 'three_entries.pack', three)
    write('fuzz_resource_pack', 'one_offset.pack', pack([]))
    write('fuzz_resource_pack', 'cut_header.pack', three[:7])
    write('fuzz_resource_pack', 'decreasing.pack', struct.pack('<H4I', 4, 0, 3, 1, 4) + b'abcd')
    write('fuzz_resource_pack', 'past_the_end.pack', struct.pack('<H3I', 3, 0, 2, 900) + b'xy')

    # First byte: encoding (low two bits: ISO, UTF-8, SJIS, UTF8) and pack number (>> 2).
    write('fuzz_text_pack', 'english.txt', bytes([0]) + text_pack([b'EN', b'', b'Play', b'caf\xe9']))
    write('fuzz_text_pack', 'russian.txt', bytes([1]) + text_pack([b'RU', '\u041c\u0430\u0442\u0447'.encode()]))
    write('fuzz_text_pack', 'sjis.txt', bytes([2 | 4]) + text_pack([b'\x82\xa0\x82\xa2', b'A']))
    names = [('P2-%d' % i).encode() for i in range(180)]
    write('fuzz_text_pack', 'pack2_lists.txt', bytes([1 | 8]) + text_pack(names))
    cut = text_pack([b'one', b'two', b'three'])
    write('fuzz_text_pack', 'cut.txt', bytes([0]) + cut[:-2])
    write('fuzz_text_pack', 'count_too_high.txt', bytes([0]) + b'\xff\xff' + text_pack([b'x'])[2:])

    item = bytes([9, 9, 3, 0]) + struct.pack('>hhbB', 100, 200, 0, 255)
    records = [menu_record(2, [10, 11, 12], item) if m % 4 else menu_record(0, []) for m in range(79)]
    write('fuzz_menu_data', 'all_menus.menu', menu_file(records))
    write('fuzz_menu_data', 'index_only.menu', menu_file([]))
    write('fuzz_menu_data', 'total_too_high.menu', menu_file(records[:3], total=0xFFFF))
    negative = bytearray(menu_file(records[:3]))
    negative[2] = 0x80
    write('fuzz_menu_data', 'negative_offset.menu', bytes(negative))


if __name__ == '__main__':
    main()
