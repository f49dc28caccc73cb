#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes Korvo's user guide, one HTML page with its pictures inside, from README.md.

    make-guide.py README.md OUTPUT.html

The guide is laid down beside the program; the about box opens it. Only what README.md uses of
Markdown is understood: headings, paragraphs, lists, tables, code, links and pictures. Links to
the developers' documents (other .md files) become plain text, since the guide travels alone.
"""

import base64
import html
import os
import re
import sys

PICTURE_TYPES = {".png": "image/png", ".gif": "image/gif", ".jpg": "image/jpeg"}


def inline(text, folder):
    """One line of Markdown text as HTML."""
    out = []
    # Code first, so that nothing inside it is read as Markdown.
    for i, part in enumerate(re.split(r"`([^`]*)`", text)):
        if i % 2:
            out.append("<code>" + html.escape(part) + "</code>")
            continue
        part = html.escape(part, quote=False)
        part = re.sub(r"!\[([^\]]*)\]\(([^)]+)\)", lambda m: picture(m.group(1), m.group(2), folder), part)
        part = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", link, part)
        part = re.sub(r"\*\*([^*]+)\*\*", r"<strong>\1</strong>", part)
        out.append(part)
    return "".join(out)


def picture(alt, path, folder):
    kind = PICTURE_TYPES.get(os.path.splitext(path)[1].lower())
    if kind is None:
        return html.escape(alt)
    with open(os.path.join(folder, html.unescape(path)), "rb") as f:
        data = base64.b64encode(f.read()).decode("ascii")
    return '<img alt="%s" src="data:%s;base64,%s">' % (alt, kind, data)


def link(match):
    text, target = match.group(1), match.group(2)
    if re.match(r"https?://", target):
        return '<a href="%s">%s</a>' % (target, text)
    return text


def convert(lines, folder):
    body = []
    i = 0
    while i < len(lines):
        line = lines[i].rstrip("\n")
        if not line.strip():
            i += 1
        elif line.startswith("```"):
            code = []
            i += 1
            while i < len(lines) and not lines[i].startswith("```"):
                code.append(html.escape(lines[i].rstrip("\n")))
                i += 1
            body.append("<pre>" + "\n".join(code) + "</pre>")
            i += 1
        elif line.startswith("#"):
            level = min(len(line) - len(line.lstrip("#")), 3)
            body.append("<h%d>%s</h%d>" % (level, inline(line.lstrip("#").strip(), folder), level))
            i += 1
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                cells = [c.strip() for c in lines[i].strip().strip("|").split("|")]
                if not all(re.fullmatch(r":?-+:?", c) for c in cells):
                    rows.append(cells)
                i += 1
            table = ["<table>"]
            for n, cells in enumerate(rows):
                tag = "th" if n == 0 else "td"
                table.append("<tr>" + "".join("<%s>%s</%s>" % (tag, inline(c, folder), tag) for c in cells) + "</tr>")
            table.append("</table>")
            body.append("\n".join(table))
        elif line.startswith("- "):
            items = []
            while i < len(lines) and (lines[i].startswith("- ") or lines[i].startswith("  ")):
                if lines[i].startswith("- "):
                    items.append(lines[i][2:].strip())
                else:
                    items[-1] += " " + lines[i].strip()
                i += 1
            body.append("<ul>" + "".join("<li>%s</li>" % inline(item, folder) for item in items) + "</ul>")
        else:
            paragraph = []
            while i < len(lines) and lines[i].strip() and not re.match(r"(#|```|\||- )", lines[i]):
                paragraph.append(lines[i].strip())
                i += 1
            body.append("<p>%s</p>" % inline(" ".join(paragraph), folder))
    return body


STYLE = """body { font-family: sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em;
  line-height: 1.45; color: #202020; }
img { max-width: 100%; border: 1px solid #c0c0c0; }
table { border-collapse: collapse; } th, td { border: 1px solid #c0c0c0; padding: 0.3em 0.5em;
  vertical-align: top; text-align: left; }
code, pre { background: #f0f0f0; } pre { padding: 0.5em; overflow-x: auto; }"""


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        lines = f.readlines()
    body = convert(lines, os.path.dirname(os.path.abspath(source)))
    page = ('<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            "<title>Korvo: user guide</title>\n<style>\n%s\n</style>\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (STYLE, "\n".join(body)))
    # Replaced whole, so that a build never leaves half a page.
    with open(output + ".part", "w", encoding="utf-8") as f:
        f.write(page)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()
