"""Dustvane's manual (docs/help/*.md) read into topics, for make_help.py and make_chm.py.

The manual is a small Markdown subset, one topic per file: a first line "# Title",
paragraphs separated by blank lines, "## Heading" lines, "- " bullet items, "1. "
numbered items, **bold**, `code` and links [text](other.md) to other topics.
README.md is the contents topic; every other file must be linked from somewhere.
Standard library only.
"""
import re
from pathlib import Path

HELP_TITLE = "Dustvane Help"
CONTENTS_FILE = "README.md"
CONTENTS_CONTEXT = "contents"

# The style of a run of text.
BODY, BOLD, TITLE, HEADING, CODE = range(5)


class Topic:
    def __init__(self, context, title, paragraphs):
        self.context = context        # context name, the target of links
        self.title = title
        # [(kind, runs)]: kind is "title", "heading", "para", "bullet" or "numbered N.";
        # a run is (style, text, target context or None).
        self.paragraphs = paragraphs

    def links(self):
        return [target for _, runs in self.paragraphs for _, _, target in runs if target]


def context_of(file_name):
    """A topic's name: letters, digits, "." and "_", which every help format can hold."""
    if file_name == CONTENTS_FILE:
        return CONTENTS_CONTEXT
    context = Path(file_name).stem.replace("-", "_")
    if not re.fullmatch(r"[A-Za-z0-9._]+", context):
        raise SystemExit(f"{file_name}: a topic file name may hold letters, digits, '.', '-' "
                         "and '_' only")
    return context


INLINE = re.compile(r"\*\*(.+?)\*\*|`(.+?)`|\[(.+?)\]\(([^)\s]+)\)")


def parse_runs(text, where):
    """Inline markup of one paragraph -> runs."""
    runs, pos = [], 0
    for m in INLINE.finditer(text):
        if m.start() > pos:
            runs.append((BODY, text[pos:m.start()], None))
        if m.group(1):
            runs.append((BOLD, m.group(1), None))
        elif m.group(2):
            runs.append((CODE, m.group(2), None))
        else:
            target = m.group(4)
            if not target.endswith(".md") or "/" in target:
                raise SystemExit(f"{where}: a link must name another topic file: {target}")
            runs.append((BODY, m.group(3), context_of(target)))
        pos = m.end()
    if pos < len(text):
        runs.append((BODY, text[pos:], None))
    return runs


def parse_topic(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    while lines and not lines[0].strip():
        lines.pop(0)
    if not lines or not lines[0].startswith("# "):
        raise SystemExit(f"{path}: the first line must be '# Title'")
    title = lines[0][2:].strip()
    paragraphs = [("title", [(TITLE, title, None)])]
    block = []  # (kind, text) of the paragraph being gathered

    def flush():
        for kind, text in block:
            paragraphs.append((kind, parse_runs(text, path)))
        block.clear()

    for n, line in enumerate(lines[1:], start=2):
        where = f"{path}:{n}"
        stripped = line.strip()
        numbered = re.match(r"(\d+)\.\s+(.*)", stripped)
        if not stripped:
            flush()
        elif stripped.startswith("## "):
            flush()
            paragraphs.append(("heading", [(HEADING, stripped[3:], None)]))
        elif stripped.startswith("#"):
            raise SystemExit(f"{where}: only '#' and '##' headings are known")
        elif stripped.startswith("- "):
            block.append(("bullet", stripped[2:]))
        elif numbered and not line.startswith(" "):
            block.append(("numbered " + numbered.group(1) + ".", numbered.group(2)))
        elif block and (line.startswith(" ") or block[-1][0] == "para"):
            kind, text = block[-1]
            block[-1] = (kind, text + " " + stripped)
        else:
            block.append(("para", stripped))
    flush()
    return Topic(context_of(path.name), title, paragraphs)


def read_manual(source_dir):
    """All topics, the contents first, then in the order links first reach them."""
    source_dir = Path(source_dir)
    files = {p.name: p for p in source_dir.glob("*.md")}
    if CONTENTS_FILE not in files:
        raise SystemExit(f"{source_dir}: no {CONTENTS_FILE} (the contents topic)")
    by_context = {context_of(name): parse_topic(p) for name, p in files.items()}
    order, queue = [], [CONTENTS_CONTEXT]
    while queue:
        context = queue.pop(0)
        if context in order:
            continue
        order.append(context)
        for target in by_context[context].links():
            if target not in by_context:
                raise SystemExit(f"{context}: link to a missing topic: {target}")
            queue.append(target)
    unlinked = sorted(set(by_context) - set(order))
    if unlinked:
        raise SystemExit(f"{source_dir}: topics no link leads to: {', '.join(unlinked)}")
    return [by_context[c] for c in order]
