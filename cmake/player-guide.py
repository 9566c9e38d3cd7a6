#!/usr/bin/env python3
"""Writes the player guide that the zip holds, README.txt: the README's part between its
player-guide marks, then the page of messages, as plain text for Notepad (UTF-8, CRLF line ends).
Markdown's marks go: headings are underlined, code blocks indented, links and pictures written
out, tables laid out in columns where they fit a line, as lists where not. Standard library only.

Usage: player-guide.py README.md MESSAGES.md OUTPUT"""

import re
import sys
import textwrap

WIDTH = 110
APPENDED = "docs/messages.md"  # this page comes after the guide


def link(match):
    text, target = match.group(1), match.group(2)
    if target == APPENDED:
        return text + " (below)"
    if target.startswith("docs/") or target.endswith(".md") or target == "LICENSE":
        return text + " (not in this zip)"
    return text if text == target else f"{text} ({target})"


def inline(text):
    text = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", link, text)
    # Code loses its marks; punctuation alone is quoted, so that it still reads as a thing.
    text = re.sub(r"`([^`]*)`", lambda code: code[1] if re.search(r"\w", code[1]) else f"'{code[1]}'",
                  text).replace("**", "")
    return re.sub(r"(?<![\w*])\*([^*]+)\*(?![\w*])", r"\1", text)


def table(rows):
    """Columns where they fit a line; else each row a list item, its first cell leading."""
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    if sum(widths) + 3 * (len(widths) - 1) <= WIDTH:
        lines = ["   ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip()
                 for row in rows]
        return lines[:1] + ["-" * len(max(lines, key=len))] + lines[1:]
    lines = []
    for row in rows[1:]:
        lines.append("- " + row[0])
        for cell in filter(None, row[1:]):
            lines += textwrap.wrap(cell, WIDTH - 10, initial_indent="    ", subsequent_indent="    ")
    return lines


def plain(markdown):
    out, rows, fenced, caption = [], [], False, False
    for line in markdown.splitlines():
        if line.startswith("|"):
            cells = [inline(cell.strip()) for cell in line.strip().strip("|").split("|")]
            if not all(re.fullmatch(r"-+", cell) for cell in cells):
                rows.append(cells)
            continue
        if rows:
            out += table(rows)
            rows = []
        if line.startswith("```"):
            fenced = not fenced
        elif fenced:
            out.append("    " + line)
        elif line.startswith("<!--"):
            pass
        elif picture := re.match(r"!\[([^\]]*)\]", line):
            out.append(f"[A picture: {picture[1]}. It is in the README on the project's page.]")
        elif caption or line.startswith("*") and not line.startswith("**"):
            caption = not line.rstrip().endswith("*")  # a picture's caption
        elif heading := re.match(r"(#+) (.*)", line):
            title = inline(heading.group(2))
            out += [title, ("=" if len(heading.group(1)) <= 2 else "-") * len(title)]
        else:
            out.append(inline(line))
    return out + (table(rows) if rows else [])


def main():
    readme, messages, output = sys.argv[1:4]
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    title = text.splitlines()[0].lstrip("# ")
    guide = text.split("<!-- player guide -->")[1].split("<!-- end of player guide -->")[0].strip()
    with open(messages, encoding="utf-8") as f:
        lines = [title, "=" * len(title), ""] + plain(guide) + [""] + plain(f.read())
    with open(output, "w", encoding="utf-8", newline="\r\n") as f:
        text = "\n".join(line.rstrip() for line in lines).strip("\n")
        f.write(re.sub(r"\n{3,}", "\n\n", text) + "\n")


if __name__ == "__main__":
    main()
