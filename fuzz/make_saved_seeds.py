#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_saved_data into fuzz/seeds/: the data set's achievement
table (through mkdata --extract) with records laid out as the game saves them. Usage:
make_saved_seeds.py [MKDATA] (default build/tools/mkdata). The output is the same every time."""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def achievement_table(mkdata):
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, 'table')
        subprocess.run([mkdata, '--extract', 'boot:3', '--to', path], check=True)
        with open(path, 'rb') as f:
            return f.read()


def at(size, fields):
    out = bytearray(size)
    for offset, values in fields:
        out[offset:offset + len(values)] = bytes(v & 0xFF for v in values)
    return bytes(out)


def le16(v):
    return [v & 0xFF, (v >> 8) & 0xFF]


def records(count):
    career = at(89, [(0, [2, 1, 0x41, 0x4E, 0x4E, 0x41]), (10, [1, 2, 3, 4, 5, 6, 7, 5, 53, 3, 2]),
                     (21, [20, 0, 0, 0]), (30, le16(100) + le16(200) + le16(300) + le16(400) + le16(1000) + [40, 100]),
                     (42, le16(1) + le16(2) + le16(3) + le16(4) + le16(5) + le16(-1)),
                     (54, [5, 4, 3, 2, 1, 1, 2, 1]), (88, [2])])
    tournament = at(116, [(0, [1, 1, 2, 3, 1, 2, 20, -1, 5]), (9, list(range(0, 30, 2)) + [-1]),
                          (25, [i % 2 for i in range(38)]), (63, [-1, -1] + [v for i in range(1, 16) for v in (i, 20 + i)]),
                          (95, [2, 0, 0, 2, 2, 0, 0, 2, 2, 0, 1, 2, 0, 2]), (109, [1, 4, 6, 3] + le16(1000) + [1])])
    training = at(11, [(0, le16(123) + le16(0) + le16(65535)), (10, [3])])
    achievements = at(count + 36, [(0, [1, 0, 1]), (count, le16(1500) + le16(-2)), (count + 4 + 28, le16(32767))])
    return {1: b'\x6b', 2: bytes([0x2c, 1, 1, 1, 1]), 3: career, 4: tournament, 6: tournament,
            10: training, 13: bytes([1, 2, 3, 0, 6]), 14: achievements, 15: b'\x00\x00'}


def seed(table, game, recs):
    out = struct.pack('<H', len(table)) + table + bytes([game])
    for record_id, data in sorted(recs.items()):
        out += bytes([record_id - 1, len(data)]) + data
    return out


def main():
    mkdata = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, '..', 'build', 'tools', 'mkdata')
    table = achievement_table(mkdata)
    count = table[0] + table[1]
    golden = records(count)
    seeds = {
        'data_set_and_golden_records': seed(table, 3, golden),
        'no_table': seed(b'', 0, {k: v for k, v in golden.items() if k != 14}),
        'table_alone': seed(table, 0, {}),
        'count_beyond_bytes': seed(bytes([200, 0]) + table[2:2 + 11 * 3], 1, {14: golden[14]}),
        'wrong_lengths': seed(table, 2, {k: v[:-1] + b'\x01\x01' for k, v in golden.items()}),
    }
    folder = os.path.join(HERE, 'seeds', 'fuzz_saved_data')
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
