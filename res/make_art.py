#!/usr/bin/env python3
"""Draws the program icon (32 x 32 and larger, 256 colours) and the maker's
logo (200 x 75) of Lumvale. The files are committed; run this to redraw them."""
import struct

SIZES = (32, 40, 48, 64)  # 32 first: the window's and the tray's; larger for larger displays


def icon_pixels(size):
    """A window with a blue title bar whose pane lets a striped backdrop show
    through: the program's subject, a translucent window. Designed on a grid
    of 32; each size samples the design at its own pixels' centres."""
    px = [[None] * size for _ in range(size)]  # None = transparent
    for row in range(size):
        for column in range(size):
            u, v = (column + 0.5) * 32 / size, (row + 0.5) * 32 / size
            x, y = int(u), int(v)
            under = None
            # Backdrop: a warm square behind the window's lower right.
            if 12 <= x < 31 and 12 <= y < 31:
                under = (230, 140, 40) if int((u + v - 1) // 3) % 2 else (250, 200, 70)
            colour = under
            # The window: frame, title bar, translucent pane.
            if 1 <= x < 25 and 2 <= y < 26:
                if x in (1, 24) or y in (2, 25):
                    colour = (20, 50, 110)
                elif y < 8:
                    t = (u - 2.5) / 22
                    colour = (int(10 + 40 * t), int(70 + 80 * t), int(170 + 60 * t))
                else:
                    glass = (200, 225, 250)
                    # The backdrop shows through at about half strength.
                    colour = glass if under is None else tuple((g * 11 + b * 9) // 20 for g, b in zip(glass, under))
                if 19 <= x < 23 and 4 <= y < 6:
                    colour = (235, 235, 240)  # title bar buttons
                if 3 <= x < 23 and y == 9:
                    colour = (255, 255, 255)  # a highlight across the pane
            px[row][column] = colour
    return px


def icon_image(size):
    """One 256-colour image of the icon file: header, palette, pixels, mask."""
    px = icon_pixels(size)
    # Transparent pixels are black in the colour image: where the mask lets
    # the screen through, the colour is XORed onto it.
    palette = [(0, 0, 0)]
    for row in px:
        for c in row:
            if c is not None and c not in palette:
                palette.append(c)
    assert len(palette) <= 255, len(palette)
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: i for i, c in enumerate(palette)}
    # BITMAPINFOHEADER with the doubled height of icon images.
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    xor = bytearray()
    for y in reversed(range(size)):
        xor += bytes(index[px[y][x]] if px[y][x] is not None else 0 for x in range(size))
    mask = bytearray()
    stride = (size + 31) // 32 * 4
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
        mask += (bits << (stride * 8 - size)).to_bytes(stride, 'big')
    return header + colours + bytes(xor) + bytes(mask)


def write_icon(path):
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        directory += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(directory + b''.join(images))


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
