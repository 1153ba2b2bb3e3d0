#!/usr/bin/python3
"""Draws every bitmap and icon of the tool for the resource compiler.

All pictures are drawn here from simple shapes (Pillow's ImageDraw); the
only outside material is the IPA Gothic font from Debian's fonts-ipafont-
gothic package (IPA Font License), used for the captions of the two sort
buttons. Run it with Debian's /usr/bin/python3 (python3-pil) from any folder; it writes into images/ next to itself.
"""
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images")
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"

MASK = (0, 128, 128)  # the tree image list's transparent colour
FACE = (212, 208, 200)
INK = (30, 30, 30)
BLUE = (40, 70, 160)
DARK_BLUE = (20, 40, 110)
RED = (200, 40, 40)
GREEN = (40, 150, 60)
YELLOW = (250, 210, 70)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
PAPER = (250, 250, 240)
FORM = (255, 255, 200)  # the form area behind the type pictures
PRESSED_FACE = (236, 234, 228)  # a checked toggle's lighter face


def new(size, background):
    img = Image.new("RGB", (size, size) if isinstance(size, int) else size, background)
    return img, ImageDraw.Draw(img)


def save_bmp(img, name, palette=False):
    os.makedirs(OUT, exist_ok=True)
    if palette:
        img = img.convert("P", palette=Image.ADAPTIVE, colors=256)
    img.save(os.path.join(OUT, name), format="BMP")


# --- 16 x 16 pictures: telephones and mail -------------------------------

def desk_phone(d, o=0):
    d.rectangle([2, 8, 13, 14], fill=INK)               # body
    d.rectangle([4, 9, 11, 10], fill=GREY)              # dial plate
    d.rounded_rectangle([1, 3, 14, 6], radius=2, fill=INK)  # handset
    d.rectangle([1, 6, 3, 8], fill=INK)
    d.rectangle([12, 6, 14, 8], fill=INK)
    for x in (5, 8, 11):
        d.point([(x - 1, 12), (x, 12)], fill=WHITE)


def mobile(d, x0=4, y0=1, w=8, h=14):
    d.rounded_rectangle([x0, y0, x0 + w - 1, y0 + h - 1], radius=1, fill=INK)
    d.rectangle([x0 + 1, y0 + 2, x0 + w - 2, y0 + 6], fill=(120, 200, 250))  # screen
    for ky in range(y0 + 8, y0 + h - 1, 2):
        for kx in range(x0 + 1, x0 + w - 1, 2):
            d.point((kx, ky), fill=WHITE)
    d.line([x0 + w - 2, y0, x0 + w - 2, y0 - 1], fill=INK)  # aerial


def building(d):
    d.rectangle([1, 2, 9, 15], fill=(150, 150, 170), outline=INK)
    for y in range(4, 14, 3):
        for x in (3, 6):
            d.rectangle([x, y, x + 1, y + 1], fill=YELLOW)


def small_phone(d, x, y):
    d.rectangle([x, y + 3, x + 5, y + 6], fill=RED)
    d.rectangle([x - 1, y, x + 6, y + 1], fill=RED)
    d.point([(x - 1, y + 2), (x + 6, y + 2)], fill=RED)


def envelope(d, x0, y0, x1, y1):
    d.rectangle([x0, y0, x1, y1], fill=WHITE, outline=INK)
    d.line([x0, y0, (x0 + x1) // 2, (y0 + y1) // 2 + 1, x1, y0], fill=INK)


def type_pictures():
    MASK = FORM
    img, d = new(16, MASK); desk_phone(d); save_bmp(img, "phone_desk.bmp")
    img, d = new(16, MASK); mobile(d); save_bmp(img, "phone_mobile.bmp")
    img, d = new(16, MASK); building(d); small_phone(d, 9, 8); save_bmp(img, "phone_office.bmp")
    img, d = new(16, MASK)                                   # pager
    d.rounded_rectangle([1, 4, 14, 12], radius=2, fill=INK)
    d.rectangle([3, 6, 12, 8], fill=(150, 220, 120))
    for x in (4, 7, 10):
        d.point((x, 7), fill=INK)
    d.rectangle([11, 10, 13, 11], fill=GREY)
    save_bmp(img, "phone_pager.bmp")
    img, d = new(16, MASK)                                   # sheet of paper with a telephone
    d.polygon([(2, 1), (10, 1), (13, 4), (13, 15), (2, 15)], fill=PAPER, outline=INK)
    for y in (4, 6):
        d.line([4, y, 9, y], fill=GREY)
    small_phone(d, 5, 9)
    save_bmp(img, "phone_fax.bmp")
    img, d = new(16, MASK)                                   # letter box with an envelope
    d.rectangle([2, 6, 13, 13], fill=RED, outline=INK)
    d.rectangle([7, 13, 8, 15], fill=INK)
    d.rectangle([4, 8, 11, 9], fill=INK)
    envelope(d, 5, 1, 12, 6)
    save_bmp(img, "mail_box.bmp")
    img, d = new(16, MASK); mobile(d, 1, 2, 7, 13); envelope(d, 7, 8, 15, 14)
    save_bmp(img, "mail_mobile.bmp")
    img, d = new(16, MASK); building(d); envelope(d, 8, 9, 15, 15)
    save_bmp(img, "mail_office.bmp")


# --- 16 x 16 tree images --------------------------------------------------

def book(d, color):
    d.rectangle([3, 1, 13, 14], fill=color, outline=INK)
    d.rectangle([3, 1, 5, 14], fill=DARK_BLUE)
    d.rectangle([7, 4, 11, 6], fill=WHITE)


def folder(d, open_):
    d.rectangle([1, 3, 6, 5], fill=(230, 180, 40), outline=INK)
    if open_:
        d.rectangle([1, 5, 13, 13], fill=(230, 180, 40), outline=INK)
        d.polygon([(3, 8), (15, 8), (13, 13), (1, 13)], fill=YELLOW, outline=INK)
    else:
        d.rectangle([1, 5, 14, 13], fill=YELLOW, outline=INK)


def card(d, fill, mark=None):
    d.rectangle([1, 3, 14, 12], fill=fill, outline=INK)
    d.ellipse([3, 5, 6, 8], fill=(230, 170, 130))
    d.rectangle([3, 9, 6, 10], fill=BLUE)
    for y in (5, 7, 9):
        d.line([8, y, 12, y], fill=GREY)
    if mark == "star":
        d.polygon([(12, 0), (13, 2), (15, 2), (13, 3), (14, 5), (12, 4), (10, 5), (11, 3),
                   (9, 2), (11, 2)], fill=(240, 160, 0), outline=RED)


def tree_images():
    for name, draw in [
        ("tree_root.bmp", lambda d: book(d, BLUE)),
        ("tree_root_sel.bmp", lambda d: book(d, (90, 140, 230))),
        ("tree_heading.bmp", lambda d: folder(d, False)),
        ("tree_heading_sel.bmp", lambda d: folder(d, True)),
        ("tree_card.bmp", lambda d: card(d, WHITE)),
        ("tree_card_sel.bmp", lambda d: card(d, (200, 225, 255))),
        ("tree_new.bmp", lambda d: card(d, WHITE, "star")),
        ("tree_new_sel.bmp", lambda d: card(d, (200, 225, 255), "star")),
    ]:
        img, d = new(16, MASK)
        draw(d)
        save_bmp(img, name)


# --- 32 x 32 bitmap buttons, four states each ------------------------------

def big_card(d, dx=0, dy=0):
    d.rectangle([4 + dx, 8 + dy, 24 + dx, 24 + dy], fill=WHITE, outline=INK)
    d.ellipse([7 + dx, 11 + dy, 12 + dx, 16 + dy], fill=(230, 170, 130))
    d.rectangle([7 + dx, 17 + dy, 12 + dx, 20 + dy], fill=BLUE)
    for y in (12, 15, 18):
        d.line([14 + dx, y + dy, 21 + dx, y + dy], fill=GREY)


def plus(d, x, y, color):
    d.rectangle([x - 1, y - 5, x + 1, y + 5], fill=color)
    d.rectangle([x - 5, y - 1, x + 5, y + 1], fill=color)


def cross(d, x, y, color):
    d.line([x - 4, y - 4, x + 4, y + 4], fill=color, width=3)
    d.line([x - 4, y + 4, x + 4, y - 4], fill=color, width=3)


def pencil(d, dx, dy):
    d.line([10 + dx, 27 + dy, 26 + dx, 11 + dy], fill=(230, 160, 40), width=5)
    d.polygon([(8 + dx, 29 + dy), (9 + dx, 24 + dy), (13 + dx, 28 + dy)], fill=INK)


def floppy(d, dx, dy):
    d.rectangle([12 + dx, 12 + dy, 28 + dx, 28 + dy], fill=BLUE, outline=INK)
    d.rectangle([15 + dx, 13 + dy, 25 + dx, 18 + dy], fill=WHITE)
    d.rectangle([16 + dx, 22 + dy, 24 + dx, 27 + dy], fill=(60, 60, 60))


def undo_arrow(d, dx, dy):
    d.arc([10 + dx, 12 + dy, 28 + dx, 28 + dy], 270, 90, fill=RED, width=3)
    d.line([19 + dx, 13 + dy, 14 + dx, 13 + dy], fill=RED, width=3)
    d.polygon([(10 + dx, 13 + dy), (16 + dx, 8 + dy), (16 + dx, 18 + dy)], fill=RED)


def small_folder(d, x, y, color):
    d.rectangle([x, y, x + 5, y + 2], fill=color, outline=INK)
    d.rectangle([x, y + 2, x + 12, y + 10], fill=color, outline=INK)


BUTTONS = {
    "BTN_ADR_NEW_CARD": lambda d, o: (big_card(d, o, o), plus(d, 24 + o, 24 + o, GREEN)),
    "BTN_ADR_DEL_CARD": lambda d, o: (big_card(d, o, o), cross(d, 24 + o, 24 + o, RED)),
    "BTN_ADR_EDIT_CARD": lambda d, o: (big_card(d, o - 2, o - 4), pencil(d, o, o)),
    "BTN_ADR_EDIT_REGIST": lambda d, o: (big_card(d, o - 2, o - 5), floppy(d, o, o)),
    "BTN_ADR_EDIT_CANCEL": lambda d, o: (big_card(d, o - 2, o - 5), undo_arrow(d, o, o)),
    "BTN_ADR_GRP_EDIT": lambda d, o: (small_folder(d, 4 + o, 5 + o, YELLOW),
                                      small_folder(d, 12 + o, 14 + o, (120, 200, 120)),
                                      pencil(d, o + 2, o)),
    "BTN_ADR_GRP_CHANGE": lambda d, o: (small_folder(d, 3 + o, 6 + o, YELLOW),
                                        small_folder(d, 16 + o, 18 + o, (120, 200, 120)),
                                        d.line([10 + o, 24 + o, 20 + o, 12 + o], fill=BLUE, width=2),
                                        d.polygon([(22 + o, 10 + o), (16 + o, 12 + o),
                                                   (20 + o, 16 + o)], fill=BLUE)),
}


def bevel(d, size, pressed):
    light, dark = (WHITE, GREY) if not pressed else (GREY, WHITE)
    d.line([0, 0, size - 1, 0], fill=light)
    d.line([0, 0, 0, size - 1], fill=light)
    d.line([0, size - 1, size - 1, size - 1], fill=dark)
    d.line([size - 1, 0, size - 1, size - 1], fill=dark)


def buttons():
    for name, draw in BUTTONS.items():
        for state in "UDFX":
            img, d = new(32, FACE)
            draw(d, 1 if state == "D" else 0)
            bevel(d, 32, state == "D")
            if state == "F":
                for i in range(2, 30, 2):
                    for p in ((i, 2), (i, 29), (2, i), (29, i)):
                        d.point(p, fill=INK)
            if state == "X":
                grey = img.convert("L").point(lambda v: 160 + v // 4)
                img = Image.merge("RGB", (grey, grey, grey))
            save_bmp(img, "%s%s.bmp" % (name.lower(), state.lower()))


# --- 70 x 32 sort buttons, the panel icon, the arrows, the tool bitmaps ----

def sort_button(text, picture, name):
    """The button's own border is drawn here: Wine paints a push-like
    button's picture over its frame, so the picture alone shows whether the
    button is up or pressed. The pressed one is sunk, lighter and moved a
    pixel down and right, as a pressed toggle looks on Windows."""
    font = ImageFont.truetype(FONT, 10)
    for pressed, suffix in ((False, ""), (True, "_pressed")):
        img, d = new((70, 32), PRESSED_FACE if pressed else FACE)
        light, dark = ((GREY, INK), (WHITE, FACE)) if pressed else ((WHITE, FACE), (GREY, INK))
        d.line([0, 31, 0, 0, 69, 0], fill=light[0])
        d.line([1, 30, 1, 1, 68, 1], fill=light[1])
        d.line([0, 31, 69, 31, 69, 0], fill=dark[1])
        d.line([1, 30, 68, 30, 68, 1], fill=dark[0])
        shift = 1 if pressed else 0
        picture(d, 3 + shift, 9 + shift)
        # The caption is centred in what the picture leaves, x 16 to 65.
        width = d.textlength(text, font=font)
        d.text((16 + (49 - width) / 2 + shift, 16 + shift), text, fill=INK, font=font,
               anchor="lm")
        save_bmp(img, name + suffix + ".bmp")


def sort_buttons():
    def by_name(d, x, y):
        small = ImageFont.truetype(FONT, 11)
        d.text((x, y - 4), "ｱ", fill=BLUE, font=small)
        d.text((x + 5, y + 4), "ｶ", fill=BLUE, font=small)
    def by_group(d, x, y):
        d.rectangle([x, y, x + 4, y + 2], fill=YELLOW, outline=INK)
        d.rectangle([x, y + 2, x + 10, y + 12], fill=YELLOW, outline=INK)
    sort_button("名前順", by_name, "sort_name")
    sort_button("グループ順", by_group, "sort_group")


def address_book(size, background):
    img, d = new(32, background)
    d.rectangle([5, 3, 25, 28], fill=BLUE, outline=INK)
    d.rectangle([5, 3, 8, 28], fill=DARK_BLUE)
    for i, y in enumerate((6, 12, 18, 24)):
        d.rectangle([26, y, 28, y + 3], fill=[YELLOW, (240, 120, 120), (120, 200, 120),
                                              (140, 170, 250)][i])
    d.ellipse([13, 8, 20, 15], fill=(255, 220, 180))
    d.rectangle([11, 16, 22, 23], fill=WHITE)
    return img.resize((size, size), Image.LANCZOS) if size != 32 else img


def arrow_icon(color, right):
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    if right:
        d.polygon([(4, 12), (18, 12), (18, 5), (29, 16), (18, 27), (18, 20), (4, 20)], fill=color,
                  outline=INK)
    else:
        d.polygon([(28, 12), (14, 12), (14, 5), (3, 16), (14, 27), (14, 20), (28, 20)], fill=color,
                  outline=INK)
    return img


def icons():
    os.makedirs(OUT, exist_ok=True)
    book32 = address_book(32, WHITE).convert("RGBA")
    book32.save(os.path.join(OUT, "panel.ico"), sizes=[(32, 32), (16, 16)])
    arrow_icon((20, 40, 140, 255), True).save(os.path.join(OUT, "arrow_right.ico"),
                                              sizes=[(32, 32), (16, 16)])
    arrow_icon((210, 30, 30, 255), False).save(os.path.join(OUT, "arrow_left.ico"),
                                               sizes=[(32, 32), (16, 16)])
    save_bmp(address_book(32, (192, 192, 192)), "tool.bmp", palette=True)
    save_bmp(address_book(32, (255, 255, 200)), "tool_alt.bmp", palette=True)


if __name__ == "__main__":
    type_pictures()
    tree_images()
    buttons()
    sort_buttons()
    icons()
