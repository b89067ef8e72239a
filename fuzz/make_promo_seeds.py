#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_promo_data into fuzz/seeds/: the header, texts and font of
the data builder's English and Russian promotion files (from build/tools/mkdata) with small
pictures in place of the shipped ones, so the seeds stay small. Run after building mkdata."""
import os
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
MKDATA = os.path.join(HERE, '..', 'build', 'tools', 'mkdata')
PICTURE = open(os.path.join(HERE, 'seeds', 'fuzz_png', 'mkdata_indexed.png'), 'rb').read()
# Pictures per entry 3 to 9 (entry 5: the promotion page's and one per language code).
PICTURES = {3: 14, 4: 3, 6: 8, 7: 2, 8: 2, 9: 1}


def pack(entries):
    offsets = [0]
    for e in entries:
        offsets.append(offsets[-1] + len(e))
    return struct.pack('<H', len(offsets)) + b''.join(struct.pack('<I', o) for o in offsets) + b''.join(entries)


def entry(language, index, folder):
    path = os.path.join(folder, '%s%d.bin' % (language, index))
    subprocess.run([MKDATA, '--extract', 'igp:%d' % index, '--to', path, '--language', language], check=True)
    return open(path, 'rb').read()


def pictures(n):
    return (struct.pack('<H', len(PICTURE)) + PICTURE) * n


def main():
    out = os.path.join(HERE, 'seeds', 'fuzz_promo_data')
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        for language, codes in (('EN', 7), ('RU', 11)):
            entries = [entry(language, i, folder) for i in range(3)]
            entries += [pictures(PICTURES.get(i, 1 + codes)) for i in range(3, 10)]
            with open(os.path.join(out, language.lower() + '.igp'), 'wb') as f:
                f.write(pack(entries))
            with open(os.path.join(out, language.lower() + '-header-only.igp'), 'wb') as f:
                f.write(pack(entries[:1]))


if __name__ == '__main__':
    main()
