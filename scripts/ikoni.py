#!/usr/bin/env python3
"""Writes src/app/Kelviomaro.ico: 32x32, 16 colours, an opaque mask.

The picture: a white invoice sheet with a black barcode and a blue header line.
"""
import struct
import sys

W = H = 32
# Standard 16-colour palette (BGRX).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
MUSTA, HARMAA, VAALEA, SININEN, VALKOINEN, TEAL = 0, 8, 7, 12, 15, 6


def kuva():
    p = [[TEAL] * W for _ in range(H)]
    for y in range(2, 30):
        for x in range(5, 27):
            p[y][x] = VALKOINEN
        p[y][27] = HARMAA
    for x in range(6, 28):
        p[30][x] = HARMAA
    for x in range(5, 27):
        p[2][x] = MUSTA
        p[29][x] = MUSTA
    for y in range(2, 30):
        p[y][5] = MUSTA
        p[y][26] = MUSTA
    for x in range(8, 24):       # header line
        p[5][x] = SININEN
        p[6][x] = SININEN
    for y in (9, 11, 13):        # text lines
        for x in range(8, 20 if y != 13 else 16):
            p[y][x] = VAALEA
    raidat = [1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 1, 0, 1, 1, 0, 1]
    for i, r in enumerate(raidat):  # barcode
        if r:
            for y in range(17, 27):
                p[y][7 + i] = MUSTA
    return p


def ico():
    p = kuva()
    xor = b""
    for y in range(H - 1, -1, -1):
        rivi = p[y]
        xor += bytes((rivi[x] << 4) | rivi[x + 1] for x in range(0, W, 2))
    maski = bytes(4 * H)  # all opaque
    paletti = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    otsake = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 4, 0, len(xor) + len(maski), 0, 0, 16, 0)
    data = otsake + paletti + xor + maski
    hakemisto = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 16, 0, 1, 4, len(data), 22)
    return hakemisto + data


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "src/app/Kelviomaro.ico", "wb") as f:
        f.write(ico())
