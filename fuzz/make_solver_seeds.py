#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_solvers into fuzz/seeds/: flights of the match's own kind
and the degenerate inputs its guards stop. Run again after changing it; the output is the
same every time."""
import hashlib
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ball, x, y, z, vx, vy, vz, ax, ay, az, spin, trailKind, lossX, lossY, lossZ, factor,
# tx, ty, tz, t, apex, netH, speed, zt, frames
SEEDS = [
    [1, 9085, 1000, 28000, 0, 4000, -19000, 0, 0, 0, 0, 0, 0, 0, 0, 100, 9085, 0, 9000, 1000, 3000, 1000, 30000, 18300, 4],
    [1, 9085, 1000, 28000, -3085, 4000, -19000, 0, 0, 0, 40, 2, 10, 30, 20, 100, 6000, 0, 9000, 1000, 3000, 1000, 30000, 5000, 0],
    [1, 9000, 1000, 20000, 1400, 0, 7000, 0, 0, 0, -63, 3, 10, 30, 20, 300, 9000, 1000, 20000, 0, 1000, 0, 100, 20000, 0],
    [1, 9085, 1000, 28000, 0, 0, 0, 0, 10000, 0, 0, 0, 0, 0, 100, 0, 9085, 1000, 28001, 0, 1000, 5000, 100, 9000, 0],
    [0, 18000, 0, 20000, 7000, 0, 0, 0, 10000, 0, 0, 0, 0, 0, 0, 5000, 0, 0, 4096, 0, 0, 0, 0, 18000, 10],
]


def main():
    out = os.path.join(HERE, 'seeds', 'fuzz_solvers')
    os.makedirs(out, exist_ok=True)
    for seed in SEEDS:
        data = b''.join(struct.pack('<i', v) for v in seed)
        with open(os.path.join(out, hashlib.sha1(data).hexdigest()), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
