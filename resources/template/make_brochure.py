#!/usr/bin/env python3
"""Write brochure.fodt, the flat ODF source of Leafwright's tri-fold brochure.

The layout lives here as data (panel geometry, colours, copy) so it can be
tuned in one place.  Run it, then build-template.sh turns the .fodt into
resources/brochure.dot.  Standard library only.

    python3 make_brochure.py [output.fodt]

Rules the filling code and the printed result rely on:
  * every piece of visible text sits in a text frame (draw:frame/draw:text-box)
    anchored to one of the two body paragraphs and positioned relative to the
    page; colour blocks are plain rectangle shapes without text;
  * the body holds only two empty anchor paragraphs, the second one starting
    page 2 with a page break;
  * each bracketed token is one run of its own with one character style;
  * a token never shares a paragraph with fixed words or punctuation, so any
    field may be left empty: a value paragraph has a 1 pt paragraph font and
    the token run carries the real size, so an emptied line shrinks to almost
    nothing, and the blanks between tokens on a line are 1 pt blanks widened
    by letter spacing, so they vanish with the values;
  * nothing is drawn within SAFE inches of the paper's edge, which an office
    printer cannot print;
  * every text colour has a contrast of at least MIN_CONTRAST to the colour
    behind it.
The last three are checked before the file is written.
"""

import re
import sys
from pathlib import Path
from xml.sax.saxutils import escape

# --------------------------------------------------------------------------
# Geometry (inches).  Landscape US Letter, folded in three as a roll fold: the
# panel that folds in is 1/16 in narrower than the other two, so it clears the
# fold instead of buckling against it.  Page 1 (outside): inside flap, back,
# cover; page 2 (inside): the narrow panel is on the right.
PAGE_W, PAGE_H = 11.0, 8.5
FOLDS = {1: (3.625, 7.3125), 2: (3.6875, 7.375)}   # from the page's left edge
SAFE = 0.35                    # no ink nearer the paper's edge than this
GUTTER = 0.15                  # colour cards stop this far short of a fold
PAD = 0.45                     # text column inset from a panel's edges
TOP = 0.75                     # top of the text columns
BAR_H = 0.10                   # thin bands at the top and bottom of the pages


def panel(page, i):
    """(left, width) of panel i (0, 1, 2) of a page."""
    edges = (0.0, *FOLDS[page], PAGE_W)
    return edges[i], edges[i + 1] - edges[i]


def panel_x(page, i):
    """Left edge of the text column in panel i of a page."""
    return panel(page, i)[0] + PAD


def col_w(page, i):
    """Width of the text column in panel i of a page."""
    return panel(page, i)[1] - 2 * PAD


# Palette: deep teal, warm amber accent, warm paper tint, ink.  AMBER is for
# rules and bars only; text in the accent colour uses BRONZE, which reads on
# white and on the paper tint.
TEAL = "#14505C"
TEAL_DARK = "#0E3C45"
AMBER = "#E0913A"
AMBER_LIGHT = "#F4B870"
BRONZE = "#8F5210"
PAPER = "#F5F0E6"
INK = "#30353A"
WHITE = "#FFFFFF"
MIN_CONTRAST = 4.5

# Names every Word user has; fontconfig maps them to the metric-compatible
# Liberation faces here.
SANS = "Arial"
SERIF = "Times New Roman"


def font(name, size, extra=""):
    """Text properties for one face and size in all three script classes, so
    Latin, CJK and Arabic values come out at the same size."""
    return (f'style:font-name="{name}" style:font-name-asian="{name}" '
            f'style:font-name-complex="{name}" fo:font-size="{size}pt" '
            f'style:font-size-asian="{size}pt" style:font-size-complex="{size}pt" {extra}')


def bold(colour):
    return (f'fo:font-weight="bold" style:font-weight-asian="bold" '
            f'style:font-weight-complex="bold" fo:color="{colour}"')


def italic(colour):
    return (f'fo:font-style="italic" style:font-style-asian="italic" '
            f'style:font-style-complex="italic" fo:color="{colour}"')


# A value paragraph: 1 pt paragraph font, no spacing of its own; the token run
# sets the size, so an empty value leaves a line of about a point.
VALUE_PARA = 'fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="{lh}%"'
TINY = font(SANS, 1)

# --------------------------------------------------------------------------
# Paragraph styles: name -> (paragraph props, text props, text colour).
PARA_STYLES = {
    "Anchor": ('fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="100%"',
               font(SANS, 2), None),
    "Kicker": ('fo:margin-top="0in" fo:margin-bottom="0.04in"',
               font(SANS, 8, bold(BRONZE) + ' fo:letter-spacing="0.02in"'), BRONZE),
    "Panel Heading": ('fo:margin-top="0in" fo:margin-bottom="0.14in" fo:line-height="105%" '
                      f'fo:padding-bottom="0.08in" fo:border-bottom="0.02in solid {AMBER}" '
                      'fo:border-top="none" fo:border-left="none" fo:border-right="none"',
                      font(SANS, 18, bold(TEAL)), TEAL),
    "Body": ('fo:margin-top="0in" fo:margin-bottom="0.09in" fo:line-height="124%"',
             font(SERIF, 10, f'fo:color="{INK}"'), INK),
    "Item Title": ('fo:margin-top="0.08in" fo:margin-bottom="0.01in" fo:keep-with-next="always"',
                   font(SANS, 10, bold(TEAL)), TEAL),
    "Item Text": ('fo:margin-top="0in" fo:margin-bottom="0.08in" fo:line-height="124%"',
                  font(SERIF, 10, f'fo:color="{INK}"'), INK),
    "Promise": ('fo:margin-top="0.16in" fo:margin-bottom="0in" fo:line-height="120%" '
                f'fo:margin-left="0.14in" fo:padding-left="0.12in" '
                f'fo:border-left="0.03in solid {AMBER}" '
                'fo:border-top="none" fo:border-bottom="none" fo:border-right="none"',
                font(SERIF, 12, italic(TEAL)), TEAL),
    "Note Text": ('fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="120%"',
                  font(SERIF, 10, italic(TEAL)), TEAL),
    "Contact Intro": ('fo:margin-top="0in" fo:margin-bottom="0.16in" fo:line-height="124%"',
                      font(SERIF, 10, f'fo:color="{INK}"'), INK),
    "Cover Strap": ('fo:margin-top="0in" fo:margin-bottom="0.05in" fo:line-height="115%"',
                    font(SANS, 8.5, bold(WHITE) + ' fo:letter-spacing="0.01in"'), WHITE),
    "Call Heading": ('fo:margin-top="0in" fo:margin-bottom="0.06in"',
                     font(SANS, 13, bold(AMBER_LIGHT)), AMBER_LIGHT),
    "Call Text": ('fo:margin-top="0in" fo:margin-bottom="0.1in" fo:line-height="120%"',
                  font(SERIF, 11, f'fo:color="{WHITE}"'), WHITE),
    # value paragraphs
    "Cover Name Line": ('fo:margin-top="0in" fo:margin-bottom="0.14in" fo:line-height="100%"',
                        TINY, None),
    "Cover Tag Line": (VALUE_PARA.format(lh=112), TINY, None),
    "Contact Line": (VALUE_PARA.format(lh=125), TINY, None),
    "Call Line": (VALUE_PARA.format(lh=122), TINY, None),
}

# Character styles: name -> (text props, text colour).  Each token run has one.
CHAR_STYLES = {
    "Step Number": (font(SANS, 10, bold(BRONZE)), BRONZE),
    "Cover Name": (font(SANS, 22, bold(WHITE)), WHITE),
    "Cover Tag": (font(SERIF, 14, italic(AMBER_LIGHT)), AMBER_LIGHT),
    "Contact Name": (font(SANS, 15, bold(TEAL)), TEAL),
    "Contact Text": (font(SANS, 11, f'fo:color="{INK}"'), INK),
    "Contact Phone": (font(SANS, 15, bold(TEAL)), TEAL),
    "Call Phone": (font(SANS, 14, bold(WHITE)), WHITE),
    "Call Value": (font(SANS, 10.5, f'fo:color="{WHITE}"'), WHITE),
    # a blank between two values: as wide as a text blank, as tall as 1 pt
    "Value Blank": (font(SANS, 1, 'fo:letter-spacing="0.04in"'), None),
}

# --------------------------------------------------------------------------
# Document content.  A paragraph is (paragraph style, list of runs) where a
# run is a string (plain text in the paragraph's style) or (character style,
# text).  V() is a value line: tokens, each in its own run, with blanks
# between them that disappear with the values.


def P(style, *runs):
    return (style, list(runs))


def V(style, char_style, *tokens):
    runs = []
    for i, token in enumerate(tokens):
        if i:
            runs.append(("Value Blank", " "))
        runs.append((char_style, token))
    return (style, runs)


FLAP = [  # page 1, left panel: the flap seen first when the cover is opened
    P("Kicker", "OUR COMMITMENT"),
    P("Panel Heading", "Why Choose Us"),
    P("Body", "Choosing who to work with is a big decision. Here is what you can "
              "expect every time you come to us."),
    P("Item Title", "Personal attention"),
    P("Item Text", "You deal with real people who take the time to listen, "
                   "remember what matters to you and follow through on what they promise."),
    P("Item Title", "Clear, fair prices"),
    P("Item Text", "You know what to expect before you decide, with no hidden "
                   "extras and no surprises later."),
    P("Item Title", "Care in every detail"),
    P("Item Text", "We take pride in doing things properly and getting the "
                   "details right the first time."),
    P("Item Title", "Respect for your time"),
    P("Item Text", "We keep our promises, keep you informed and make things "
                   "easy for you."),
    P("Item Title", "We stand behind what we do"),
    P("Item Text", "If something isn\u2019t right, just tell us. We will make it right."),
    P("Promise", "Your satisfaction is the measure of our success."),
]

CONTACT = [  # page 1, middle panel: the back of the folded brochure
    P("Kicker", "WE\u2019D LOVE TO HEAR FROM YOU"),
    P("Panel Heading", "Get in Touch"),
    P("Contact Intro", "Call, write or stop by. We are always glad to answer your "
                       "questions."),
    V("Contact Line", "Contact Name", "[CompanyName]"),
    V("Contact Line", "Contact Text", "[StreetAddress]", "[Address2]"),
    V("Contact Line", "Contact Text", "[City]", "[ST]", "[ZIPCode]"),
    V("Contact Line", "Contact Phone", "[PhoneNo]"),
    V("Contact Line", "Contact Text", "[FaxNo]"),
    V("Contact Line", "Contact Text", "[EmailAddress]"),
]

PASS_ON = [  # page 1, middle panel, tinted box under the contact details
    P("Kicker", "PASS IT ON"),
    P("Note Text", "Know someone who could use our help? Hand them this brochure "
                   "\u2014 a recommendation means the world to us."),
]

COVER_TITLE = [
    V("Cover Name Line", "Cover Name", "[CompanyName]"),
    V("Cover Tag Line", "Cover Tag", "[TagLine]"),
]

COVER_STRAP = [
    P("Cover Strap", "FRIENDLY, PERSONAL SERVICE"),
    P("Cover Strap", "FAIR, CLEAR PRICES"),
    P("Cover Strap", "QUALITY YOU CAN COUNT ON"),
]

ABOUT = [  # page 2, left panel
    P("Kicker", "WHO WE ARE"),
    P("Panel Heading", "About Us"),
    P("Body", "We are a locally owned business built on a simple idea: treat every "
              "customer the way we would want to be treated ourselves."),
    P("Body", "What began as a small operation has grown by word of mouth, one "
              "satisfied customer at a time. We have never lost sight of what got "
              "us here \u2014 care, clear communication and a genuine interest in "
              "the people we serve."),
    P("Body", "Our team brings practical experience and real attention to detail to "
              "everything we do. Whether this is your first visit or you have known "
              "us for years, you can expect the same friendly welcome and the same "
              "high standards."),
    P("Body", "We are proud to be part of this community and grateful for the "
              "trust our neighbors place in us."),
]

PROMISE = [  # page 2, left panel, tinted box under the story
    P("Kicker", "OUR PROMISE"),
    P("Note Text", "Honest advice, fair prices and people you can trust \u2014 every "
                   "time you come to us."),
]

OFFER = [  # page 2, middle panel
    P("Kicker", "HOW WE CAN HELP"),
    P("Panel Heading", "What We Offer"),
    P("Body", "Every customer is different, so we take the time to find out what "
              "suits you best."),
    P("Item Title", "Friendly, knowledgeable advice"),
    P("Item Text", "Not sure where to start? Tell us what you have in mind and we "
                   "will help you find the right choice for your needs and budget."),
    P("Item Title", "A carefully chosen range"),
    P("Item Text", "We offer only what we would happily recommend to our own "
                   "family and friends."),
    P("Item Title", "Fair, clear pricing"),
    P("Item Text", "Honest prices, explained up front, so you can decide with "
                   "confidence."),
    P("Item Title", "Special requests"),
    P("Item Text", "Looking for something out of the ordinary? Ask us \u2014 we "
                   "will do our best to help."),
    P("Item Title", "Here when you need us"),
    P("Item Text", "Questions later on? We are only a phone call or an email away."),
]

EXPECT = [  # page 2, right panel
    P("Kicker", "SIMPLE FROM START TO FINISH"),
    P("Panel Heading", "What to Expect"),
    P("Item Title", ("Step Number", "1  "), "A warm welcome"),
    P("Item Text", "Whether you call, write or visit, you will find people who are "
                   "glad to help."),
    P("Item Title", ("Step Number", "2  "), "Time to listen"),
    P("Item Text", "We ask the right questions, so we understand exactly what "
                   "matters to you."),
    P("Item Title", ("Step Number", "3  "), "Honest answers"),
    P("Item Text", "We recommend what suits you best and are clear about the price "
                   "before you decide."),
    P("Item Title", ("Step Number", "4  "), "Care that continues"),
    P("Item Text", "We make sure you are happy and stay available whenever you "
                   "need us."),
]

CALL = [
    P("Call Heading", "Ready to get started?"),
    P("Call Text", "Get in touch today \u2014 we will be glad to help."),
    V("Call Line", "Call Phone", "[PhoneNo]"),
    V("Call Line", "Call Value", "[EmailAddress]"),
]

# Text frames: (name, page, x, y, width, height, graphic style, colour behind
# the text, paragraphs).  Heights are fixed (text boxes come back from a .dot
# with a fixed size), so each frame that holds values has room for the
# longest ones: a 60-character name, a 120-character tag line, 50-character
# address lines, a 40-character city, a 60-character e-mail address and
# 25-character phone numbers.
COVER_CARD_X = panel(1, 2)[0] + GUTTER
COVER_CARD_W = PAGE_W - SAFE - COVER_CARD_X
COVER_X = COVER_CARD_X + 0.28
COVER_W = COVER_CARD_W - 0.56
COVER_BAND_Y = 6.65
COVER_TITLE_Y = 2.0
# Where a company's logo is fitted: across the cover, above the amber accent.
# The program places it (brochure/LogoPicture.h holds the same numbers).
LOGO_AREA = (round(COVER_X + 0.1, 4), 0.58, round(COVER_W - 0.2, 4), 0.95)
BOX_Y, BOX_H = 6.55, 1.2        # tinted note boxes at the foot of a panel
CALL_Y = 5.75
CALL_H = BOX_Y + BOX_H - CALL_Y  # its foot level with the note box beside it
FRAMES = [
    ("Why Choose Us", 1, panel_x(1, 0), TOP, col_w(1, 0), 7.1, "frText", WHITE, FLAP),
    ("Contact", 1, panel_x(1, 1), TOP, col_w(1, 1), BOX_Y - 0.2 - TOP, "frText", WHITE,
     CONTACT),
    ("Pass On Note", 1, panel_x(1, 1) + 0.2, BOX_Y + 0.14, col_w(1, 1) - 0.35, BOX_H - 0.2,
     "frText", PAPER, PASS_ON),
    ("Cover Title", 1, COVER_X, COVER_TITLE_Y, COVER_W, COVER_BAND_Y - 0.2 - COVER_TITLE_Y,
     "frText", TEAL,
     COVER_TITLE),
    ("Cover Strap", 1, COVER_X, COVER_BAND_Y + 0.3, COVER_W, 1.0, "frText", TEAL_DARK,
     COVER_STRAP),
    ("About Us", 2, panel_x(2, 0), TOP, col_w(2, 0), BOX_Y - 0.2 - TOP, "frText", WHITE,
     ABOUT),
    ("Promise Note", 2, panel_x(2, 0) + 0.2, BOX_Y + 0.14, col_w(2, 0) - 0.35, BOX_H - 0.2,
     "frText", PAPER, PROMISE),
    ("What We Offer", 2, panel_x(2, 1), TOP, col_w(2, 1), 7.1, "frText", PAPER, OFFER),
    ("What to Expect", 2, panel_x(2, 2), TOP, col_w(2, 2), CALL_Y - 0.15 - TOP, "frText",
     WHITE, EXPECT),
    ("Call To Action", 2, panel_x(2, 2), CALL_Y, col_w(2, 2), CALL_H, "frCall", TEAL, CALL),
]

# Colour blocks: (name, page, x, y, width, height, fill colour).  All inside
# the SAFE margin; cards stop GUTTER short of the folds, so a fold that is a
# little off does not show a sliver of colour on the wrong panel.
INNER_W = PAGE_W - 2 * SAFE
OUTSIDE_W = FOLDS[1][1] - GUTTER - SAFE
SHAPES = [
    # page 1
    ("Outside Top Band", 1, SAFE, SAFE, OUTSIDE_W, BAR_H, TEAL),
    ("Outside Bottom Band", 1, SAFE, PAGE_H - SAFE - BAR_H, OUTSIDE_W, BAR_H, TEAL),
    ("Pass On Box", 1, panel_x(1, 1), BOX_Y, col_w(1, 1), BOX_H, PAPER),
    ("Pass On Rule", 1, panel_x(1, 1), BOX_Y, 0.05, BOX_H, AMBER),
    ("Cover Card", 1, COVER_CARD_X, SAFE, COVER_CARD_W, PAGE_H - 2 * SAFE, TEAL),
    ("Cover Band", 1, COVER_CARD_X, COVER_BAND_Y, COVER_CARD_W, PAGE_H - SAFE - COVER_BAND_Y,
     TEAL_DARK),
    ("Cover Band Rule", 1, COVER_CARD_X, COVER_BAND_Y, COVER_CARD_W, 0.05, AMBER),
    ("Cover Accent", 1, COVER_X, COVER_TITLE_Y - 0.3, 0.9, 0.09, AMBER),
    # page 2
    ("Inside Top Band", 2, SAFE, SAFE, INNER_W, BAR_H, TEAL),
    ("Offer Card", 2, panel(2, 1)[0] + GUTTER, SAFE + BAR_H, panel(2, 1)[1] - 2 * GUTTER,
     PAGE_H - 2 * (SAFE + BAR_H), PAPER),
    ("Promise Box", 2, panel_x(2, 0), BOX_Y, col_w(2, 0), BOX_H, PAPER),
    ("Promise Rule", 2, panel_x(2, 0), BOX_Y, 0.05, BOX_H, AMBER),
    ("Inside Bottom Band", 2, SAFE, PAGE_H - SAFE - BAR_H, INNER_W, BAR_H, TEAL),
]

# --------------------------------------------------------------------------
# Checks made before anything is written.


def luminance(colour):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (int(colour[i:i + 2], 16) for i in (1, 3, 5))
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)


def contrast(a, b):
    hi, lo = sorted((luminance(a), luminance(b)), reverse=True)
    return (hi + 0.05) / (lo + 0.05)


def check_contrast():
    """Every text colour against the colour behind its frame."""
    pairs = {}
    for name, _page, *_box, _gstyle, ground, paras in FRAMES:
        for style, runs in paras:
            colours = [PARA_STYLES[style][2]] if any(isinstance(r, str) for r in runs) else []
            colours += [CHAR_STYLES[r[0]][1] for r in runs if isinstance(r, tuple)]
            for colour in filter(None, colours):
                pairs.setdefault((colour, ground), set()).add(name)
    failures = []
    for (colour, ground), frames in sorted(pairs.items()):
        ratio = contrast(colour, ground)
        print(f"  contrast {colour} on {ground}: {ratio:5.2f}:1  ({', '.join(sorted(frames))})")
        if ratio < MIN_CONTRAST:
            failures.append(f"{colour} on {ground} is {ratio:.2f}:1")
    if failures:
        raise SystemExit(f"make_brochure: contrast below {MIN_CONTRAST}:1: " + "; ".join(failures))


def check_margins():
    for item in SHAPES + [f[:7] for f in FRAMES]:
        name, _page, x, y, w, h = item[:6]
        if x < SAFE - 1e-9 or y < SAFE - 1e-9 or x + w > PAGE_W - SAFE + 1e-9 \
                or y + h > PAGE_H - SAFE + 1e-9:
            raise SystemExit(f"make_brochure: {name} reaches into the unprintable margin")


def check_panels():
    """Every text frame lies inside one panel of its page, so a fold never
    runs through text."""
    for name, page, x, _y, w, *_rest in FRAMES:
        if not any(panel(page, i)[0] + SAFE - 1e-9 <= x
                   and x + w <= sum(panel(page, i)) - SAFE + 1e-9 for i in range(3)):
            raise SystemExit(f"make_brochure: {name} is not inside one panel of page {page}")


def check_program_numbers():
    """The program's own copies of the numbers that follow the panels, when
    its headers are beside this script's folder: where a logo is fitted, the
    folds a print shop's marks show, and the safe margin whose colour blocks
    run on to the bleed for a print shop."""
    brochure = Path(__file__).resolve().parents[2] / "brochure"
    expected = {
        "LogoPicture.h": {"kLogoAreaLeft": LOGO_AREA[0], "kLogoAreaTop": LOGO_AREA[1],
                          "kLogoAreaWidth": LOGO_AREA[2], "kLogoAreaHeight": LOGO_AREA[3]},
        "PrintShopSheet.h": {"kTrimWidthInches": PAGE_W, "kTrimHeightInches": PAGE_H,
                             "kTemplateSafeMarginInches": SAFE},
    }
    for header, numbers in expected.items():
        path = brochure / header
        if not path.exists():
            continue
        text = path.read_text(encoding="utf-8")
        for name, value in numbers.items():
            found = re.search(rf"\b{name} = ([0-9.]+)", text)
            if not found or abs(float(found.group(1)) - value) > 1e-3:
                raise SystemExit(f"make_brochure: {path} does not give {name} as {value:g}")
        if header == "PrintShopSheet.h":
            folds = re.search(r"kFoldInches\{\s*\{\{([^}]*)\},\s*\{([^}]*)\}\}", text)
            found = folds and tuple(tuple(float(v) for v in g.split(",")) for g in folds.groups())
            if found != (FOLDS[1], FOLDS[2]):
                raise SystemExit(f"make_brochure: {path} does not fold at {FOLDS[1]} and "
                                 f"{FOLDS[2]}")


def check_tokens():
    tokens = ["[CompanyName]", "[City]", "[Address2]", "[PhoneNo]", "[FaxNo]",
              "[EmailAddress]", "[StreetAddress]", "[TagLine]", "[ST]", "[ZIPCode]"]
    page_one = "".join(r[1] if isinstance(r, tuple) else r
                       for f in FRAMES if f[1] == 1 for _s, runs in f[8] for r in runs)
    missing = [t for t in tokens if t not in page_one]
    if missing:
        raise SystemExit(f"make_brochure: not on page 1: {' '.join(missing)}")
    for f in FRAMES:
        for _style, runs in f[8]:
            has_token = any("[" in (r[1] if isinstance(r, tuple) else r) for r in runs)
            fixed = [r for r in runs if isinstance(r, str) or r[0] == "Step Number"]
            if has_token and fixed:
                raise SystemExit(f"make_brochure: a token shares a line with fixed text in {f[0]}")


# --------------------------------------------------------------------------


def inch(v):
    return f"{v:.4f}in"


def attr_escape(s):
    return escape(s, {'"': "&quot;"})


def runs_xml(runs):
    out = []
    for r in runs:
        if isinstance(r, tuple):
            cstyle, txt = r
            out.append(f'<text:span text:style-name="{attr_escape(cstyle)}">'
                       f'{escape(txt)}</text:span>')
        else:
            out.append(escape(r))
    return "".join(out)


def para_xml(p):
    style, runs = p
    return f'<text:p text:style-name="{attr_escape(style)}">{runs_xml(runs)}</text:p>'


def frame_xml(frame, z):
    name, _page, x, y, w, h, gstyle, _ground, paras = frame
    body = "".join(para_xml(p) for p in paras)
    return (f'<draw:frame draw:style-name="{gstyle}" draw:name="{attr_escape(name)}" '
            f'text:anchor-type="paragraph" svg:x="{inch(x)}" svg:y="{inch(y)}" '
            f'svg:width="{inch(w)}" svg:height="{inch(h)}" draw:z-index="{z}">'
            f'<draw:text-box>{body}</draw:text-box>'
            f'</draw:frame>')


def shape_xml(shape, z, gstyle):
    name, _page, x, y, w, h, _colour = shape
    return (f'<draw:custom-shape draw:style-name="{gstyle}" draw:name="{attr_escape(name)}" '
            f'text:anchor-type="paragraph" svg:x="{inch(x)}" svg:y="{inch(y)}" '
            f'svg:width="{inch(w)}" svg:height="{inch(h)}" draw:z-index="{z}">'
            f'<draw:enhanced-geometry svg:viewBox="0 0 21600 21600" draw:type="rectangle" '
            f'draw:enhanced-path="M 0 0 L 21600 0 21600 21600 0 21600 0 0 Z N"/>'
            f'</draw:custom-shape>')


POS_PAGE = ('style:vertical-pos="from-top" style:vertical-rel="page" '
            'style:horizontal-pos="from-left" style:horizontal-rel="page"')


def build():
    named = []
    for name, (pprops, tprops, _colour) in PARA_STYLES.items():
        named.append(
            f'<style:style style:name="{attr_escape(name)}" style:family="paragraph" '
            f'style:class="text"><style:paragraph-properties {pprops}/>'
            f'<style:text-properties {tprops}/></style:style>')
    for name, (tprops, _colour) in CHAR_STYLES.items():
        named.append(f'<style:style style:name="{attr_escape(name)}" style:family="text">'
                     f'<style:text-properties {tprops}/></style:style>')

    colours = []
    for s in SHAPES:
        if s[6] not in colours:
            colours.append(s[6])
    shape_style = {c: f"grFill{i}" for i, c in enumerate(colours)}

    auto = [
        '<style:page-layout style:name="pmBrochure">'
        f'<style:page-layout-properties fo:page-width="{inch(PAGE_W)}" '
        f'fo:page-height="{inch(PAGE_H)}" style:print-orientation="landscape" '
        'style:num-format="1" fo:margin-top="0.5in" fo:margin-bottom="0.5in" '
        'fo:margin-left="0.5in" fo:margin-right="0.5in" style:writing-mode="lr-tb"/>'
        '</style:page-layout>',
        '<style:style style:name="PageTwo" style:family="paragraph" '
        'style:parent-style-name="Anchor"><style:paragraph-properties '
        'fo:break-before="page"/></style:style>',
        # plain text frames: transparent, no border, text flows downward
        '<style:style style:name="frText" style:family="graphic" style:parent-style-name="Frame">'
        '<style:graphic-properties style:wrap="run-through" style:run-through="foreground" '
        'style:number-wrapped-paragraphs="no-limit" '
        f'{POS_PAGE} fo:margin-left="0in" fo:margin-right="0in" fo:margin-top="0in" '
        'fo:margin-bottom="0in" fo:padding="0in" fo:border="none" style:shadow="none" '
        # an explicitly transparent fill: LibreOffice paints frames that
        # merely say draw:fill="none" white when it opens the flat source
        'fo:background-color="#ffffff" style:background-transparency="100%" '
        'draw:fill="solid" draw:fill-color="#ffffff" draw:opacity="0%" '
        'draw:textarea-vertical-align="top" style:flow-with-text="false"/></style:style>',
        # call-to-action frame: filled box with inner padding; the text stays
        # at the top (a Word frame keeps no vertical alignment)
        '<style:style style:name="frCall" style:family="graphic" style:parent-style-name="Frame">'
        '<style:graphic-properties style:wrap="run-through" style:run-through="foreground" '
        'style:number-wrapped-paragraphs="no-limit" '
        f'{POS_PAGE} fo:margin-left="0in" fo:margin-right="0in" fo:margin-top="0in" '
        'fo:margin-bottom="0in" fo:padding="0.16in" fo:border="none" style:shadow="none" '
        f'draw:fill="solid" draw:fill-color="{TEAL}" fo:background-color="{TEAL}" '
        'draw:textarea-vertical-align="top" style:flow-with-text="false"/></style:style>',
    ]
    for colour, sname in shape_style.items():
        auto.append(
            f'<style:style style:name="{sname}" style:family="graphic">'
            '<style:graphic-properties draw:stroke="none" svg:stroke-width="0in" '
            f'draw:fill="solid" draw:fill-color="{colour}" '
            'style:wrap="run-through" style:run-through="background" '
            'style:number-wrapped-paragraphs="no-limit" '
            f'{POS_PAGE} style:flow-with-text="false" '
            'draw:textarea-horizontal-align="center" draw:textarea-vertical-align="middle" '
            'fo:margin-left="0in" fo:margin-right="0in" fo:margin-top="0in" '
            'fo:margin-bottom="0in"/></style:style>')

    pages = {1: [], 2: []}
    z = 0
    for s in SHAPES:  # shapes first: lowest in the stacking order
        pages[s[1]].append(shape_xml(s, z, shape_style[s[6]]))
        z += 1
    for f in FRAMES:
        pages[f[1]].append(frame_xml(f, z))
        z += 1

    body = (f'<text:p text:style-name="Anchor">{"".join(pages[1])}</text:p>'
            f'<text:p text:style-name="PageTwo">{"".join(pages[2])}</text:p>')

    faces = "".join(
        f'<style:font-face style:name="{name}" svg:font-family="&apos;{name}&apos;" '
        f'style:font-family-generic="{generic}" style:font-pitch="variable"/>'
        for name, generic in ((SANS, "swiss"), (SERIF, "roman")))

    # No title, subject or comments: the brochure's properties are the
    # company's, and the run only fills in text.
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/"
 xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
<office:meta/>
<office:font-face-decls>
 {faces}
</office:font-face-decls>
<office:styles>
 <style:default-style style:family="paragraph">
  <style:paragraph-properties fo:hyphenation-ladder-count="no-limit" style:writing-mode="page"/>
  <style:text-properties {font(SERIF, 10)} fo:language="en" fo:country="US" fo:hyphenate="false" fo:color="{INK}"/>
 </style:default-style>
 <style:default-style style:family="graphic">
  <style:graphic-properties draw:shadow="hidden" style:flow-with-text="false"/>
 </style:default-style>
 <style:style style:name="Standard" style:family="paragraph" style:class="text">
  <style:text-properties {font(SERIF, 10)} fo:color="{INK}"/>
 </style:style>
 <style:style style:name="Frame" style:family="graphic">
  <style:graphic-properties text:anchor-type="paragraph" style:wrap="run-through" style:run-through="foreground"/>
 </style:style>
 {"".join(named)}
</office:styles>
<office:automatic-styles>
 {"".join(auto)}
</office:automatic-styles>
<office:master-styles>
 <style:master-page style:name="Standard" style:page-layout-name="pmBrochure"/>
</office:master-styles>
<office:body>
<office:text>
{body}
</office:text>
</office:body>
</office:document>
'''


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("brochure.fodt")
    check_margins()
    check_panels()
    check_program_numbers()
    check_tokens()
    check_contrast()
    out.write_text(build(), encoding="utf-8")
    print(f"wrote {out}")


if __name__ == "__main__":
    main()
