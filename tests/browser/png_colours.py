#!/usr/bin/env python3
"""png_colours.py SHOT.png R,G,B...: exit 0 when every colour given covers at
least 200 pixels of the screenshot (within 12 per channel), else 1. Reads the
8-bit RGB or RGBA, non-interlaced PNG that chromium writes, with the standard
library only."""
import struct
import sys
import zlib


def pixels(path):
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    at, idat = 8, b''
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, 'unexpected PNG form'
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    size = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * size
    previous = bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        for i in range(stride):
            left = row[i - size] if i >= size else 0
            up = previous[i]
            corner = previous[i - size] if i >= size else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        previous = row
        for x in range(0, stride, size):
            yield row[x], row[x + 1], row[x + 2]


def main():
    wanted = [tuple(int(c) for c in arg.split(',')) for arg in sys.argv[2:]]
    counts = [0] * len(wanted)
    for r, g, b in pixels(sys.argv[1]):
        for k, (wr, wg, wb) in enumerate(wanted):
            if abs(r - wr) <= 12 and abs(g - wg) <= 12 and abs(b - wb) <= 12:
                counts[k] += 1
    for colour, count in zip(wanted, counts):
        print('%s: %d pixels' % (','.join(map(str, colour)), count))
    return 0 if all(count >= 200 for count in counts) else 1


if __name__ == '__main__':
    sys.exit(main())
