#!/usr/bin/env python3
"""Writes the texts that the zip holds, for a player with Notepad (UTF-8, CRLF line ends, no line
over 100 characters): the README's part between its player-guide marks as README.txt, the pages
it links to under their names in the zip, the licence, and the sample configuration as it is. Markdown's marks go: headings are
underlined, code blocks indented, code of several words quoted, prose wrapped anew, links name the
file of the zip they point to, pictures are named, tables laid out in columns where they fit a
line, as lists where not. What only a
contributor needs (the tests behind a claim) stands between <!--c--> and <!--/c--> in the sources
and is left out. A link to anything the zip does not hold, or a line too long, stops the build.
Standard library only.

Usage: player-guide.py SOURCE_DIR OUTPUT_DIR"""

import os
import re
import sys
import textwrap

WIDTH = 100
KEEP = "\x1f"  # a space that wrapping keeps
# Each source, and its name in the zip.
PAGES = {
    "README.md": "README.txt",
    "docs/messages.md": "Messages.txt",
    "docs/behaviour.md": "Behaviour.txt",
    "docs/proton-and-steam-deck.md": "Proton-and-Steam-Deck.txt",
    "LICENSE": "LICENSE.txt",
    "VeltoMacro.ini": "VeltoMacro.ini",
    "docs/veltokeys.png": "veltokeys.png",
}


class Page:
    def __init__(self, path):
        self.folder = os.path.dirname(path)

    def target(self, target):
        """The zip's name for a link's target, relative to this page."""
        if re.match(r"[a-z]+://", target):
            return target
        resolved = os.path.normpath(os.path.join(self.folder, target.split("#")[0]))
        if resolved not in PAGES:
            sys.exit(f"player-guide: a link to {target}, which the zip does not hold")
        return PAGES[resolved]

    def link(self, match):
        text, target = match.group(1), self.target(match.group(2))
        return target if os.path.basename(text) in (os.path.basename(match.group(2)), target) \
            else f"{text} ({target})"

    @staticmethod
    def code(match):
        """Code loses its marks. Several words keep quotes (the programs' own lines), and stay on
        one line; punctuation alone is quoted, so that it still reads as a thing."""
        code = match[1]
        if " " in code.strip():
            quote = "'" if '"' in code else '"'
            return quote + code.replace(" ", KEEP) + quote
        return code if re.search(r"\w", code) else f"'{code}'"

    def inline(self, text):
        text = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", self.link, text)
        text = re.sub(r"`([^`]*)`", self.code, text).replace("**", "")
        return re.sub(r"(?<![\w*])\*([^*]+)\*(?![\w*])", r"\1", text)

    def table(self, rows):
        """Columns where they fit a line; else each row a list item, its first cell leading."""
        widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
        if sum(widths) + 3 * (len(widths) - 1) <= WIDTH:
            lines = ["   ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip()
                     for row in rows]
            return lines[:1] + ["-" * len(max(lines, key=len))] + lines[1:]
        lines = []
        for row in rows[1:]:
            lines += textwrap.wrap(row[0], WIDTH, initial_indent="- ", subsequent_indent="  ")
            for cell in filter(None, row[1:]):
                lines += textwrap.wrap(cell, WIDTH, initial_indent="    ",
                                       subsequent_indent="    ")
        return lines

    def plain(self, markdown):
        markdown = re.sub(r"<!--c-->.*?<!--/c-->", "", markdown, flags=re.S)
        out, rows, fenced, caption, prose = [], [], False, False, []

        def flush():
            """Prose, wrapped anew: what was left out shortened its lines."""
            for first, text in prose:
                out.extend(textwrap.wrap(self.inline(text), WIDTH, initial_indent=first,
                                         subsequent_indent=" " * len(first),
                                         break_on_hyphens=False))
            prose.clear()

        for line in markdown.splitlines():
            if (fenced or caption or not line.strip() or line.lstrip().startswith("```")
                    or line.startswith(("|", "#", "<!--", "!["))
                    or line.startswith("*") and not line.startswith("**")):
                flush()
            elif item := re.match(r"\s*(- |\d+\. )", line):
                prose.append((item.group(0), line[item.end():]))
                continue
            elif prose and line.startswith(" "):
                prose[-1] = (prose[-1][0], prose[-1][1] + " " + line.strip())
                continue
            elif prose:
                prose[-1] = (prose[-1][0], prose[-1][1] + " " + line)
                continue
            else:  # a paragraph of its own, or one more of a list item's, indented as it is
                indent = line[:len(line) - len(line.lstrip())]
                prose.append((indent, line.lstrip()))
                continue
            if line.startswith("|"):
                cells = [self.inline(cell.strip()) for cell in line.strip().strip("|").split("|")]
                if not all(re.fullmatch(r"-+", cell) for cell in cells):
                    rows.append(cells)
                continue
            if rows:
                out += self.table(rows)
                rows = []
            if line.lstrip().startswith("```"):
                fenced = not fenced
            elif fenced:
                out.append("    " + line)
            elif line.startswith("<!--"):
                pass
            elif picture := re.match(r"!\[([^\]]*)\]\(([^)]*)\)", line):
                out += textwrap.wrap(f"[A picture: {picture[1]}. It is {self.target(picture[2])},"
                                     " in this folder.]", WIDTH)
            elif caption or line.startswith("*") and not line.startswith("**"):
                caption = not line.rstrip().endswith("*")  # a picture's caption
            elif heading := re.match(r"(#+) (.*)", line):
                title = self.inline(heading.group(2))
                out += [title, ("=" if len(heading.group(1)) <= 2 else "-") * len(title)]
            else:
                out.append(line)  # blank
        flush()
        return out + (self.table(rows) if rows else [])


def write(path, lines):
    text = "\n".join(line.rstrip() for line in lines).strip("\n").replace(KEEP, " ")
    text = re.sub(r"\n{3,}", "\n\n", text)
    for number, line in enumerate(text.splitlines(), 1):
        if len(line) > WIDTH:
            sys.exit(f"player-guide: {path}:{number} is {len(line)} characters wide: {line}")
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(text + "\n")


def main():
    source, output = sys.argv[1:3]
    os.makedirs(output, exist_ok=True)
    for page, name in PAGES.items():
        if not name.endswith((".txt", ".ini")):
            continue
        with open(os.path.join(source, page), encoding="utf-8") as f:
            text = f.read()
        if page == "README.md":
            title = text.splitlines()[0].lstrip("# ")
            text = text.split("<!-- player guide -->")[1].split("<!-- end of player guide -->")[0]
            lines = [title, "=" * len(title), ""] + Page(page).plain(text.strip())
        elif page.endswith(".md"):
            lines = Page(page).plain(text)
        else:
            lines = text.splitlines()
        write(os.path.join(output, name), lines)


if __name__ == "__main__":
    main()
