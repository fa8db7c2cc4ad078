#!/usr/bin/env python3
"""Write brochure.fodt, the flat ODF source of Leafwright's tri-fold brochure.

The layout lives here as data (panel geometry, colours, copy) so it can be
tuned in one place.  Run it, then build-template.sh turns the .fodt into
resources/brochure.dot.  Standard library only.

    python3 make_brochure.py [output.fodt]

Layout rules that the filling code relies on:
  * every piece of visible text sits in a text frame (draw:frame/draw:text-box)
    anchored to one of the two body paragraphs and positioned relative to the
    page; colour blocks are plain rectangle shapes without text;
  * the body holds only two empty anchor paragraphs, the second one starting
    page 2 with a page break;
  * each bracketed token is written as one plain, unformatted piece of text.
"""

import sys
from pathlib import Path
from xml.sax.saxutils import escape

# --------------------------------------------------------------------------
# Geometry (inches).  Landscape US Letter, three equal panels per page.
PAGE_W, PAGE_H = 11.0, 8.5
PANEL_W = PAGE_W / 3
PAD = 0.45                     # inner margin of every panel
COL_W = PANEL_W - 2 * PAD      # width of a text column inside a panel


def panel_x(i):
    """Left edge of the text column in panel i (0, 1, 2)."""
    return i * PANEL_W + PAD


# Palette: deep teal, warm amber accent, warm paper tint, ink.
TEAL = "#14505C"
TEAL_DARK = "#0E3C45"
TEAL_SOFT = "#1E6573"
AMBER = "#E0913A"
AMBER_LIGHT = "#F4B870"
PAPER = "#F5F0E6"
INK = "#30353A"
MUTED = "#5F676D"
WHITE = "#FFFFFF"

SANS = "Liberation Sans"
SERIF = "Liberation Serif"

# --------------------------------------------------------------------------
# Paragraph and character styles (named, so they show up as styles in Word).
PARA_STYLES = {
    # name: (parent, paragraph props, text props)
    "Anchor": (None,
               'fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="100%"',
               'fo:font-size="2pt" style:font-size-asian="2pt" style:font-size-complex="2pt"'),
    "Kicker": (None,
               'fo:margin-top="0in" fo:margin-bottom="0.04in"',
               f'style:font-name="{SANS}" fo:font-size="8pt" fo:font-weight="bold" '
               f'fo:letter-spacing="0.02in" fo:color="{AMBER}"'),
    "Panel Heading": (None,
                      'fo:margin-top="0in" fo:margin-bottom="0.14in" fo:line-height="105%" '
                      f'fo:padding-bottom="0.08in" fo:border-bottom="0.02in solid {AMBER}" '
                      'fo:border-top="none" fo:border-left="none" fo:border-right="none"',
                      f'style:font-name="{SANS}" fo:font-size="18pt" fo:font-weight="bold" '
                      f'fo:color="{TEAL}"'),
    "Body": (None,
             'fo:margin-top="0in" fo:margin-bottom="0.09in" fo:line-height="124%"',
             f'style:font-name="{SERIF}" fo:font-size="10pt" fo:color="{INK}"'),
    "Item Title": (None,
                   'fo:margin-top="0.08in" fo:margin-bottom="0.01in" fo:keep-with-next="always"',
                   f'style:font-name="{SANS}" fo:font-size="10pt" fo:font-weight="bold" '
                   f'fo:color="{TEAL}"'),
    "Item Text": ("Body",
                  'fo:margin-bottom="0.08in"',
                  ''),
    "Promise": (None,
                'fo:margin-top="0.16in" fo:margin-bottom="0in" fo:line-height="120%" '
                f'fo:margin-left="0.14in" fo:padding-left="0.12in" fo:border-left="0.03in solid {AMBER}" '
                'fo:border-top="none" fo:border-bottom="none" fo:border-right="none"',
                f'style:font-name="{SERIF}" fo:font-size="12pt" fo:font-style="italic" '
                f'fo:color="{TEAL}"'),
    "Contact Label": (None,
                      'fo:margin-top="0.2in" fo:margin-bottom="0.02in" fo:keep-with-next="always"',
                      f'style:font-name="{SANS}" fo:font-size="7.5pt" fo:font-weight="bold" '
                      f'fo:letter-spacing="0.02in" fo:color="{AMBER}"'),
    "Contact Line": (None,
                     'fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="118%"',
                     f'style:font-name="{SANS}" fo:font-size="11pt" fo:color="{INK}"'),
    "Note Text": (None,
                  'fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="120%"',
                  f'style:font-name="{SERIF}" fo:font-size="10pt" fo:font-style="italic" '
                  f'fo:color="{TEAL}"'),
    "Cover Title": (None,
                    'fo:margin-top="0in" fo:margin-bottom="0.16in" fo:line-height="100%"',
                    f'style:font-name="{SANS}" fo:font-size="26pt" fo:font-weight="bold" '
                    f'fo:color="{WHITE}"'),
    "Cover Tagline": (None,
                      'fo:margin-top="0in" fo:margin-bottom="0in" fo:line-height="110%"',
                      f'style:font-name="{SERIF}" fo:font-size="16pt" fo:font-style="italic" '
                      f'fo:color="{AMBER_LIGHT}"'),
    "Cover Strap": (None,
                    'fo:margin-top="0in" fo:margin-bottom="0.05in" fo:line-height="115%"',
                    f'style:font-name="{SANS}" fo:font-size="8.5pt" fo:font-weight="bold" '
                    f'fo:letter-spacing="0.02in" fo:color="{WHITE}"'),
    "Call Heading": (None,
                     'fo:margin-top="0in" fo:margin-bottom="0.06in"',
                     f'style:font-name="{SANS}" fo:font-size="13pt" fo:font-weight="bold" '
                     f'fo:color="{AMBER_LIGHT}"'),
    "Call Text": (None,
                  'fo:margin-top="0in" fo:margin-bottom="0.05in" fo:line-height="120%"',
                  f'style:font-name="{SERIF}" fo:font-size="11pt" fo:color="{WHITE}"'),
}

CHAR_STYLES = {
    "Step Number": f'style:font-name="{SANS}" fo:font-weight="bold" fo:color="{AMBER}"',
}

# --------------------------------------------------------------------------
# Document content.  Frames are (name, page, x, y, width, min_height, style,
# paragraphs); a paragraph is (paragraph style, list of runs) where a run is a
# string (plain text) or (character style, text).  Tokens are always plain
# strings so that each one stays a single, unformatted piece of text.


def P(style, *runs):
    return (style, list(runs))


FLAP = [  # page 1, left panel: the flap seen first when the cover is opened
    P("Kicker", "OUR COMMITMENT"),
    P("Panel Heading", "Why Choose Us"),
    P("Body", "Choosing who to work with is a big decision. Here is what you can "
              "expect every time you come to us."),
    P("Item Title", "Local and personal"),
    P("Item Text", "You deal with real people who take the time to listen, "
                   "remember your needs and follow through on what they promise."),
    P("Item Title", "Honest, upfront pricing"),
    P("Item Text", "We explain your options and the cost before any work begins, "
                   "so there are no surprises when the bill arrives."),
    P("Item Title", "Quality that lasts"),
    P("Item Text", "We use dependable materials and take the care to get the "
                   "details right the first time."),
    P("Item Title", "On time, as promised"),
    P("Item Text", "We respect your time: we show up when we say we will and keep "
                   "you informed along the way."),
    P("Item Title", "We stand behind our work"),
    P("Item Text", "If something isn\u2019t right, just tell us. We will make it right."),
    P("Promise", "Your satisfaction is the measure of our success."),
]

CONTACT = [  # page 1, middle panel: the back of the folded brochure
    P("Kicker", "WE\u2019D LOVE TO HEAR FROM YOU"),
    P("Panel Heading", "Get in Touch"),
    P("Body", "Stop by, give us a call or drop us a line. We are always happy to "
              "answer questions and talk through what you need."),
    P("Contact Label", "VISIT US"),
    P("Contact Line", "[StreetAddress]"),
    P("Contact Line", "[Address2]"),
    P("Contact Line", "[City], [ST] [ZIPCode]"),
    P("Contact Label", "PHONE"),
    P("Contact Line", "[PhoneNo]"),
    P("Contact Label", "FAX"),
    P("Contact Line", "[FaxNo]"),
    P("Contact Label", "E-MAIL"),
    P("Contact Line", "[EmailAddress]"),
]

NOTE = [  # page 1, middle panel, tinted box under the contact details
    P("Kicker", "FREE ESTIMATES"),
    P("Note Text", "Ask us for a clear, written quote \u2014 no obligation and no "
                   "pressure. We look forward to working with you."),
]

COVER_TITLE = [
    P("Cover Title", "[CompanyName]"),
    P("Cover Tagline", "[TagLine]"),
]

COVER_STRAP = [
    P("Cover Strap", "FRIENDLY SERVICE"),
    P("Cover Strap", "FAIR, UPFRONT PRICES"),
    P("Cover Strap", "WORK WE STAND BEHIND"),
]

ABOUT = [  # page 2, left panel
    P("Kicker", "WHO WE ARE"),
    P("Panel Heading", "About Us"),
    P("Body", "We are a locally owned business built on a simple idea: treat every "
              "customer the way we would want to be treated ourselves."),
    P("Body", "What began as a small operation has grown by word of mouth, one "
              "satisfied customer at a time. We have never lost sight of what got "
              "us here \u2014 careful work, clear communication and a genuine "
              "interest in the people we serve."),
    P("Body", "Our team brings practical experience and real attention to detail to "
              "every job, large or small. Whether this is your first visit or you "
              "have known us for years, you can expect the same friendly welcome "
              "and the same high standards."),
    P("Body", "We are proud to be part of this community and grateful for the "
              "trust our neighbours place in us."),
]

PROMISE = [  # page 2, left panel, tinted box under the story
    P("Kicker", "OUR PROMISE"),
    P("Note Text", "Good work, fair prices and people you can trust \u2014 every "
                   "time you come to us."),
]

SERVICES = [  # page 2, middle panel
    P("Kicker", "WHAT WE DO"),
    P("Panel Heading", "Our Services"),
    P("Body", "Every customer is different, so we offer a range of services that "
              "can be tailored to what you need."),
    P("Item Title", "Advice and consultation"),
    P("Item Text", "Not sure where to start? Tell us what you have in mind and we "
                   "will help you find the right solution for your budget."),
    P("Item Title", "Free estimates"),
    P("Item Text", "Clear, written quotes with no obligation and no pressure."),
    P("Item Title", "Quality products"),
    P("Item Text", "A carefully chosen range of reliable products, with honest "
                   "guidance to help you pick the right one."),
    P("Item Title", "Installation and repair"),
    P("Item Text", "Skilled, careful work, done neatly and cleaned up afterwards."),
    P("Item Title", "Special requests"),
    P("Item Text", "Looking for something out of the ordinary? Ask us \u2014 we "
                   "will do our best to find it or make it happen."),
    P("Item Title", "Ongoing support"),
    P("Item Text", "Questions after the job is finished? We are only a phone call "
                   "away, long after the work is done."),
]

HOW = [  # page 2, right panel
    P("Kicker", "SIMPLE FROM START TO FINISH"),
    P("Panel Heading", "How We Work"),
    P("Item Title", ("Step Number", "1  "), "Tell us what you need"),
    P("Item Text", "We listen first and ask the right questions, so we understand "
                   "exactly what matters to you."),
    P("Item Title", ("Step Number", "2  "), "Get a clear plan"),
    P("Item Text", "We recommend the best options and give you an honest price "
                   "before anything starts."),
    P("Item Title", ("Step Number", "3  "), "We get it done"),
    P("Item Text", "Our team does the work with care, on schedule and to a high "
                   "standard."),
    P("Item Title", ("Step Number", "4  "), "We follow up"),
    P("Item Text", "We check that you are completely happy and stay available "
                   "whenever you need us."),
]

CALL = [
    P("Call Heading", "Ready to get started?"),
    P("Call Text", "Call [CompanyName] today at [PhoneNo]."),
    P("Call Text", "We will be glad to help."),
]

# Text frames: (name, page, x, y, width, height, graphic style, paragraphs).
# Heights are fixed (Word text boxes come back from a .dot with a fixed
# size), so every frame is sized generously for filled-in values of any
# reasonable length; transparent frames cost nothing visually.
COVER_X = 2 * PANEL_W + 0.40
COVER_W = PANEL_W - 0.40 - 0.27
FRAMES = [
    ("Why Choose Us", 1, panel_x(0), 0.62, COL_W, 7.25, "frText", FLAP),
    ("Contact", 1, panel_x(1), 0.62, COL_W, 5.75, "frText", CONTACT),
    ("Estimate Note", 1, panel_x(1) + 0.2, 6.73, COL_W - 0.35, 0.8, "frText", NOTE),
    ("Cover Title", 1, COVER_X, 2.9, COVER_W, 3.65, "frText", COVER_TITLE),
    ("Cover Strap", 1, COVER_X, 7.02, COVER_W, 1.0, "frText", COVER_STRAP),
    ("About Us", 2, panel_x(0), 0.62, COL_W, 5.75, "frText", ABOUT),
    ("Our Services", 2, panel_x(1), 0.62, COL_W, 7.25, "frText", SERVICES),
    ("Promise Note", 2, panel_x(0) + 0.2, 6.73, COL_W - 0.35, 0.8, "frText", PROMISE),
    ("How We Work", 2, panel_x(2), 0.62, COL_W, 4.8, "frText", HOW),
    ("Call To Action", 2, panel_x(2), 5.7, COL_W, 1.5, "frCall", CALL),
]

# Colour blocks: (name, page, x, y, width, height, fill colour)
SHAPES = [
    # page 1
    ("Flap Tint", 1, 0.0, 0.0, PANEL_W, PAGE_H, PAPER),
    ("Outside Top Band", 1, 0.0, 0.0, 2 * PANEL_W, 0.16, TEAL),
    ("Outside Bottom Band", 1, 0.0, PAGE_H - 0.3, 2 * PANEL_W, 0.3, TEAL),
    ("Estimate Box", 1, panel_x(1), 6.6, COL_W, 0.98, PAPER),
    ("Estimate Rule", 1, panel_x(1), 6.6, 0.05, 0.98, AMBER),
    ("Cover Panel", 1, 2 * PANEL_W, 0.0, PANEL_W, PAGE_H, TEAL),
    ("Cover Band", 1, 2 * PANEL_W, 6.72, PANEL_W, PAGE_H - 6.72, TEAL_DARK),
    ("Cover Band Rule", 1, 2 * PANEL_W, 6.72, PANEL_W, 0.05, AMBER),
    ("Cover Accent", 1, COVER_X, 2.57, 0.9, 0.09, AMBER),
    # page 2
    ("Inside Top Band", 2, 0.0, 0.0, PAGE_W, 0.16, TEAL),
    ("Services Tint", 2, PANEL_W, 0.16, PANEL_W, PAGE_H - 0.16 - 0.3, PAPER),
    ("Promise Box", 2, panel_x(0), 6.6, COL_W, 0.98, PAPER),
    ("Promise Rule", 2, panel_x(0), 6.6, 0.05, 0.98, AMBER),
    ("Inside Bottom Band", 2, 0.0, PAGE_H - 0.3, PAGE_W, 0.3, TEAL),
]

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
    name, _page, x, y, w, h, gstyle, paras = frame
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
    for name, (parent, pprops, tprops) in PARA_STYLES.items():
        par = f' style:parent-style-name="{parent}"' if parent else ""
        named.append(
            f'<style:style style:name="{attr_escape(name)}" style:family="paragraph"{par} '
            f'style:class="text"><style:paragraph-properties {pprops}/>'
            + (f'<style:text-properties {tprops}/>' if tprops else "")
            + '</style:style>')
    for name, tprops in CHAR_STYLES.items():
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
        # call-to-action frame: filled box with inner padding
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
<office:meta>
 <dc:title>Tri-fold brochure</dc:title>
 <dc:description>Leafwright brochure template. Bracketed tokens are replaced with company details.</dc:description>
</office:meta>
<office:font-face-decls>
 <style:font-face style:name="{SANS}" svg:font-family="&apos;{SANS}&apos;" style:font-family-generic="swiss" style:font-pitch="variable"/>
 <style:font-face style:name="{SERIF}" svg:font-family="&apos;{SERIF}&apos;" style:font-family-generic="roman" style:font-pitch="variable"/>
</office:font-face-decls>
<office:styles>
 <style:default-style style:family="paragraph">
  <style:paragraph-properties fo:hyphenation-ladder-count="no-limit" style:writing-mode="page"/>
  <style:text-properties style:font-name="{SERIF}" fo:font-size="10pt" fo:language="en" fo:country="US" fo:hyphenate="false" fo:color="{INK}"/>
 </style:default-style>
 <style:default-style style:family="graphic">
  <style:graphic-properties draw:shadow="hidden" style:flow-with-text="false"/>
 </style:default-style>
 <style:style style:name="Standard" style:family="paragraph" style:class="text"/>
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
    out.write_text(build(), encoding="utf-8")
    print(f"wrote {out}")


if __name__ == "__main__":
    main()
