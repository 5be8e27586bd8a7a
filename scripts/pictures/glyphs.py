"""The three small button glyphs of the main window. Each picture holds two
16 x 16 states side by side: normal on the left, disabled on the right.
Pixels outside the drawing are fully transparent."""

TRANSPARENT = (0, 0, 0, 0)

COLOURS = {
    ".": TRANSPARENT,
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "O": (92, 56, 20),
    "o": (176, 122, 52),
    "b": (150, 200, 240),
    "G": (58, 138, 58),
    "D": (28, 88, 34),
    "y": (250, 212, 48),
    "p": (240, 226, 184),
    "s": (88, 60, 40),
    "r": (214, 30, 30),
}

HIGHLIGHT = (255, 255, 255)
SHADOW = (128, 128, 128)

# What each frame holds, 10 x 10.

# A landscape: open a picture file.
FIGURA = [
    "bbbbbbbyyb",
    "bbbbbbyyyy",
    "bbbbbbyyyy",
    "bbbDbbbyyb",
    "bbDGDbbbbb",
    "bDGGGDbbDb",
    "DGGGGGDDGD",
    "GGGGGGGGGG",
    "GGDGGGGGGG",
    "GGGGGGGDGG",
]

# A figure: the default picture.
PADRAO = [
    "pppppppppp",
    "ppppsspppp",
    "pppssssppp",
    "pppssssppp",
    "ppppsspppp",
    "pppprrpppp",
    "pprrssrrpp",
    "prrssssrrp",
    "prssssssrp",
    "rrsssssssr",
]

# Nothing, struck through: no picture.
SEM_FIGURA = [
    "rrwwwwwwrr",
    "rrrwwwwrrr",
    "wrrrwwrrrw",
    "wwrrrrrrww",
    "wwwrrrrwww",
    "wwwrrrrwww",
    "wwrrrrrrww",
    "wrrrwwrrrw",
    "rrrwwwwrrr",
    "rrwwwwwwrr",
]


def framed(content):
    """Puts 10 x 10 content in a wooden frame with a drop shadow, 16 x 16."""
    if len(content) != 10 or any(len(row) != 10 for row in content):
        raise ValueError("a frame holds 10 x 10")
    rows = ["................", ".OOOOOOOOOOOOOO.", ".OooooooooooooOk"]
    rows += [".Oo" + row + "oOk" for row in content]
    rows += [".OooooooooooooOk", ".OOOOOOOOOOOOOOk", "..kkkkkkkkkkkkkk"]
    return rows


def luminance(colour):
    r, g, b = colour
    return 0.299 * r + 0.587 * g + 0.114 * b


def disabled(normal):
    """The embossed grey look of a disabled button: a white copy shifted one
    pixel down and right, under a grey copy of every darker pixel."""
    size = len(normal)
    grey = [[TRANSPARENT] * size for _ in range(size)]
    dark = [[c != TRANSPARENT and luminance(c) < 110 for c in row] for row in normal]
    for y in range(size):
        for x in range(size):
            if dark[y][x] and y + 1 < size and x + 1 < size:
                grey[y + 1][x + 1] = HIGHLIGHT
    for y in range(size):
        for x in range(size):
            if dark[y][x]:
                grey[y][x] = SHADOW
    return grey


def opaque(colour):
    return colour if len(colour) == 4 else colour + (255,)


def glyph(content):
    """Rows of (r, g, b, a): the normal state, then the disabled state."""
    art = framed(content)
    normal = [[COLOURS[c] for c in row] for row in art]
    grey = disabled(normal)
    return [[opaque(c) for c in n + g] for n, g in zip(normal, grey)]


GLYPHS = {"glyph-figura.png": FIGURA, "glyph-padrao.png": PADRAO, "glyph-sem-figura.png": SEM_FIGURA}
