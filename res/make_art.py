#!/usr/bin/env python3
"""Draws the program icon (32 x 32, 256 colours) and the maker's logo
(200 x 75) of Lumvale. The files are committed; run this to redraw them."""
import struct

SIZE = 32


def icon_pixels():
    """A window with a blue title bar whose pane lets a striped backdrop show
    through: the program's subject, a translucent window."""
    px = [[None] * SIZE for _ in range(SIZE)]  # None = transparent
    # Backdrop: a warm square behind the window's lower right.
    for y in range(12, 31):
        for x in range(12, 31):
            stripe = ((x + y) // 3) % 2
            px[y][x] = (230, 140, 40) if stripe else (250, 200, 70)
    # The window: frame, title bar, translucent pane.
    for y in range(2, 26):
        for x in range(1, 25):
            edge = x in (1, 24) or y in (2, 25)
            if edge:
                px[y][x] = (20, 50, 110)
            elif y < 8:
                t = (x - 2) / 22
                px[y][x] = (int(10 + 40 * t), int(70 + 80 * t), int(170 + 60 * t))
            else:
                under = px[y][x]
                glass = (200, 225, 250)
                if under is None:
                    px[y][x] = glass
                else:  # the backdrop shows through at about half strength
                    px[y][x] = tuple((g * 11 + u * 9) // 20 for g, u in zip(glass, under))
    # Title bar buttons and a highlight line across the pane.
    for x in (19, 20, 21, 22):
        for y in (4, 5):
            px[y][x] = (235, 235, 240)
    for x in range(3, 23):
        px[9][x] = (255, 255, 255)
    return px


def write_icon(path):
    px = icon_pixels()
    palette = []
    for row in px:
        for c in row:
            if c is not None and c not in palette:
                palette.append(c)
    assert len(palette) <= 255, len(palette)
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: i for i, c in enumerate(palette)}
    # BITMAPINFOHEADER with the doubled height of icon images.
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    xor = bytearray()
    for y in reversed(range(SIZE)):
        xor += bytes(index[px[y][x]] if px[y][x] is not None else 0 for x in range(SIZE))
    mask = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
        mask += struct.pack('>I', bits)
    image = header + colours + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + image)


if __name__ == '__main__':
    import os
    import subprocess
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, 'lumvale.ico'))
    # The maker's logo: 200 x 75, drawn with ImageMagick.
    subprocess.run([
        'convert', '-size', '200x75', 'xc:#fffff0',
        '-fill', '#045eb2', '-draw', 'roundrectangle 4,8 62,66 10,10',
        '-fill', '#ffffc0', '-draw', 'roundrectangle 14,18 52,56 6,6',
        '-fill', '#045eb2', '-font', 'DejaVu-Sans-Bold', '-pointsize', '25',
        '-draw', 'text 70,42 "Lumvale"',
        '-fill', '#008080', '-font', 'DejaVu-Sans', '-pointsize', '12',
        '-draw', 'text 72,60 "glass for windows"',
        '-type', 'TrueColor', 'BMP3:' + os.path.join(here, 'logo.bmp'),
    ], check=True)
