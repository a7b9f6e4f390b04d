#!/usr/bin/env python3
"""Writes docs/CurvaliaHelp.html, the HTML twin of docs/CurvaliaHelp.doc that
the program shows in its own help window. Run it after editing the document:
    python3 tools/help_html.py
It reads only the few RTF constructs the document uses: paragraphs (\\pard ...
\\par), bold, the two colours, the title and heading sizes, the mono font,
indented and hanging-indent (list) paragraphs, \\bullet\\tab, \\'xx escapes and
\\uN? for the characters that cp1252 lacks."""
import html
import pathlib
import re

root = pathlib.Path(__file__).resolve().parent.parent
rtf = (root / "docs" / "CurvaliaHelp.doc").read_text(encoding="ascii")

title = re.sub(r"\\'([0-9a-fA-F]{2})", lambda m: bytes([int(m.group(1), 16)]).decode("cp1252"),
               re.search(r"\{\\title ([^}]*)\}", rtf).group(1))
body = rtf[rtf.index(r"\pard"):]
token = re.compile(r"\\u(-?\d+)\??|\\'([0-9a-fA-F]{2})|\\([a-z]+)(-?\d+)? ?|\\([{}\\])|([{}])|([^\\{}]+)")


def text_of(s):
    return html.escape(bytes([int(s, 16)]).decode("cp1252"), quote=False)


def convert(paragraph):
    """(kind, inner html) of one paragraph's source, from \\pard to \\par."""
    props, out = set(), []
    stack = []  # saved (bold, colour, mono) at each {
    bold = colour = mono = False
    opened = []  # tags open in out

    def set_style(b, c, m):
        nonlocal bold, colour, mono
        while opened:
            out.append("</%s>" % opened.pop())
        bold, colour, mono = b, c, m
        for on, tag in ((m, "code"), (b, "b"), (c, "span")):
            if on:
                out.append('<span class="msg">' if tag == "span" else "<%s>" % tag)
                opened.append(tag)

    for m in token.finditer(paragraph):
        code, hexcode, word, num, escaped, brace, plain = m.groups()
        if code:
            out.append(html.escape(chr(int(code) % 65536), quote=False))
        elif hexcode:
            out.append(text_of(hexcode))
        elif word:
            n = int(num) if num else None
            if word == "b":
                set_style(n != 0, colour, mono)
            elif word == "cf":
                set_style(bold, n == 2, mono)
            elif word == "f":
                set_style(bold, colour, n == 1)
            elif word == "fs":
                if n in (40, 30, 24):
                    props.add("fs%d" % n)
            elif word == "bullet":
                props.add("bullet")
            elif word == "tab":
                pass
            elif word in ("fi", "li", "qc", "keepn"):
                props.add(word)
        elif escaped:
            out.append(html.escape(escaped))
        elif brace == "{":
            stack.append((bold, colour, mono))
        elif brace == "}":
            set_style(*stack.pop())
        elif plain:
            out.append(html.escape(plain.replace("\n", ""), quote=False))
    set_style(False, False, False)
    inner = "".join(out).strip()
    # Style switches that enclose nothing, or close and reopen at once.
    previous = None
    while previous != inner:
        previous = inner
        inner = re.sub(r'<(b|code|span)( class="msg")?></\1>|</(b|code|span)><\3( class="msg")?>', "",
                       inner)
    if props & {"fs40", "fs30", "fs24"}:
        inner = re.sub(r"</?(b|code|span)[^>]*>", "", inner)  # headings have their own style
    if "fs40" in props:
        return "h1", inner
    if "fs30" in props:
        return "h2", inner
    if "fs24" in props:
        return "h3", inner
    if "fi" in props:
        return "li", inner
    if "keepn" in props:
        return "dt", inner
    if "li" in props:
        return "dd" if '<code>' not in inner else "pre", inner
    return "p", inner


paragraphs = [p for p in re.split(r"\\par(?![a-z])", body) if r"\pard" in p]
lines = []
open_list = None
for source in paragraphs:
    kind, inner = convert(source)
    want = {"li": "ul", "dt": "dl", "dd": "dl"}.get(kind)
    if open_list and open_list != want:
        lines.append("</%s>" % open_list)
        open_list = None
    if want and not open_list:
        lines.append("<%s>" % want)
        open_list = want
    if kind == "pre":
        inner = inner.replace("<code>", "").replace("</code>", "")
        lines.append('<p class="example"><code>%s</code></p>' % inner)
    else:
        lines.append("<%s>%s</%s>" % (kind, inner, kind))
if open_list:
    lines.append("</%s>" % open_list)

page = """<!DOCTYPE html>
<!-- Generated from CurvaliaHelp.doc by tools/help_html.py; edit the document, not this file. -->
<html lang="it">
<head>
<meta charset="utf-8">
<title>%s</title>
<style>
body { font-family: "Liberation Sans", Arial, sans-serif; }
h1 { color: #000080; text-align: center; }
h2, h3 { color: #000080; }
.msg { color: #800000; }
dd { margin-bottom: 8px; }
p.example { margin-left: 28px; }
</style>
</head>
<body>
%s
</body>
</html>
""" % (html.escape(title), "\n".join(lines))
(root / "docs" / "CurvaliaHelp.html").write_text(page, encoding="utf-8")
