#!/usr/bin/env python3
"""Compiles Dustvane's manual (docs/help/*.md) into the HTML Help file help.chm.

    make_chm.py SOURCE_DIR OUTPUT.chm        write the help file
    make_chm.py --check HELP.chm SOURCE_DIR  read a help file back and compare it

The topics come from manual.py, as for help.hlp: one page <context>.htm each, with the
same links, the stylesheet help.css from SOURCE_DIR, a table of contents laid out as
the contents topic's headings and lists, and an index of the topics' titles and
headings. chmcmd (Debian's fp-utils) compiles them; --check reads the file back with
chmlib's extract_chmLib (Debian's libchm-bin), which shares no code with chmcmd.
"""
import html
import re
import shutil
import struct
import subprocess
import sys
import tempfile
from html.parser import HTMLParser
from pathlib import Path

from manual import BOLD, CODE, CONTENTS_CONTEXT, HELP_TITLE, read_manual

STYLESHEET = "help.css"
CONTENTS_TREE = "help.hhc"
INDEX = "help.hhk"
WINDOW = "main"
ENCODING = "cp1252"
CHARSET = '<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">\n'


def page_of(context):
    return context + ".htm"


def text(s):
    return html.escape(s, quote=False)


def attribute(s):
    return text(s).replace('"', "&quot;")


def anchor_of(heading, taken):
    """A heading's id within its page: its words, lower case, joined by "-"."""
    base = re.sub(r"[^a-z0-9]+", "-", heading.lower()).strip("-") or "section"
    anchor, n = base, 2
    while anchor in taken:
        anchor, n = f"{base}-{n}", n + 1
    taken.add(anchor)
    return anchor


def headings(topic):
    """[(heading, anchor)] of a topic, in order."""
    taken = set()
    return [(runs[0][1], anchor_of(runs[0][1], taken))
            for kind, runs in topic.paragraphs if kind == "heading"]


# ---------------------------------------------------------------------------
# Pages.

def inline(runs):
    out = []
    for style, s, target in runs:
        s = text(s)
        if target:
            s = f'<a href="{page_of(target)}">{s}</a>'
        elif style == BOLD:
            s = f"<b>{s}</b>"
        elif style == CODE:
            s = f"<code>{s}</code>"
        out.append(s)
    return "".join(out)


def topic_page(topic):
    anchors = iter(headings(topic))
    body, open_list = [], None

    def close_list():
        nonlocal open_list
        if open_list:
            body.append(f"</{open_list}>")
            open_list = None

    for kind, runs in topic.paragraphs:
        list_tag = "ul" if kind == "bullet" else "ol" if kind.startswith("numbered") else None
        if list_tag != open_list:
            close_list()
            if list_tag == "ol":
                start = int(kind.split()[1].rstrip("."))
                body.append("<ol>" if start == 1 else f'<ol start="{start}">')
            elif list_tag:
                body.append("<ul>")
            open_list = list_tag
        if kind == "title":
            body.append(f"<h1>{text(topic.title)}</h1>")
        elif kind == "heading":
            body.append(f'<h2 id="{next(anchors)[1]}">{inline(runs)}</h2>')
        elif list_tag:
            body.append(f"<li>{inline(runs)}</li>")
        else:
            body.append(f"<p>{inline(runs)}</p>")
    close_list()
    return ('<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN">\n<html><head>\n' + CHARSET +
            f'<link rel="stylesheet" type="text/css" href="{STYLESHEET}">\n'
            f"<title>{text(topic.title)}</title>\n</head><body>\n" + "\n".join(body) +
            "\n</body></html>\n")


# ---------------------------------------------------------------------------
# Table of contents and index: lists of sitemap objects.

def sitemap_entry(name, *targets):
    """One entry; targets are pages, or (title, page) pairs for an index keyword."""
    params = [f'<param name="Name" value="{attribute(name)}">']
    for target in targets:
        if isinstance(target, tuple):
            params.append(f'<param name="Name" value="{attribute(target[0])}">')
            target = target[1]
        params.append(f'<param name="Local" value="{attribute(target)}">')
    return f'<LI><OBJECT type="text/sitemap">{"".join(params)}</OBJECT>'


def sitemap(entries):
    return ('<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML><HEAD>\n' + CHARSET +
            "</HEAD><BODY>\n" + "\n".join(entries) + "\n</BODY></HTML>\n")


def contents_tree(topics):
    """The contents topic, then a book for each of its headings holding the topics its
    lists there link to; topics it does not link to come last."""
    by_context = {t.context: t for t in topics}
    contents = by_context[CONTENTS_CONTEXT]
    anchors = iter(headings(contents))
    placed = {CONTENTS_CONTEXT}
    entries = ["<UL>", sitemap_entry(contents.title, page_of(CONTENTS_CONTEXT))]
    in_book = False
    for kind, runs in contents.paragraphs:
        if kind == "heading":
            entries.append("</UL>" if in_book else "")
            heading, anchor = next(anchors)
            entries += [sitemap_entry(heading, f"{page_of(CONTENTS_CONTEXT)}#{anchor}"), "<UL>"]
            in_book = True
        for _, _, target in runs:
            if target and target not in placed:
                placed.add(target)
                entries.append(sitemap_entry(by_context[target].title, page_of(target)))
    if in_book:
        entries.append("</UL>")
    entries += [sitemap_entry(t.title, page_of(t.context)) for t in topics
                if t.context not in placed]
    entries.append("</UL>")
    return sitemap(e for e in entries if e)


def index(topics):
    """Every topic's title and headings as keywords, sorted without regard to case."""
    keywords = {}
    for t in topics:
        keywords.setdefault(t.title, []).append((t.title, page_of(t.context)))
        for heading, anchor in headings(t):
            keywords.setdefault(heading, []).append((t.title, f"{page_of(t.context)}#{anchor}"))
    entries = [sitemap_entry(k, *keywords[k]) for k in sorted(keywords, key=str.casefold)]
    return sitemap(["<UL>"] + entries + ["</UL>"])


def project(topics):
    files = "\n".join([page_of(t.context) for t in topics] + [STYLESHEET])
    contents = page_of(CONTENTS_CONTEXT)
    # The window: caption, contents, index, first page, Home page; its properties (tabs
    # beside the page, following the page in the contents, a Search tab, the position
    # given), the width of the tabs, the toolbar's buttons (hide the tabs, back, forward,
    # home, options, print) and the position on the screen.
    window = (f'"{HELP_TITLE}","{CONTENTS_TREE}","{INDEX}","{contents}","{contents}",,,,,'
              "0x40520,240,0x304E,[60,40,860,640],,,,,,,0")
    return f"""[OPTIONS]
Compatibility=1.1 or later
Compiled file=help.chm
Contents file={CONTENTS_TREE}
Index file={INDEX}
Default topic={contents}
Default Window={WINDOW}
Display compile progress=No
Full-text search=Yes
Language=0x409 English (United States)
Title={HELP_TITLE}

[WINDOWS]
{WINDOW}={window}

[FILES]
{files}
"""


def write_sources(topics, source_dir, folder):
    def write(name, s):
        (folder / name).write_bytes(s.encode(ENCODING, "xmlcharrefreplace"))
    for t in topics:
        write(page_of(t.context), topic_page(t))
    write(CONTENTS_TREE, contents_tree(topics))
    write(INDEX, index(topics))
    write("help.hhp", project(topics))
    shutil.copyfile(Path(source_dir) / STYLESHEET, folder / STYLESHEET)


def tool(name, package):
    found = shutil.which(name)
    if not found:
        raise SystemExit(f"{name} is missing: run scripts/deps.sh (Debian package {package})")
    return found


def compile_chm(source_dir, output):
    topics = read_manual(source_dir)
    chmcmd = tool("chmcmd", "fp-utils")
    with tempfile.TemporaryDirectory() as tmp:
        folder = Path(tmp)
        write_sources(topics, source_dir, folder)
        run = subprocess.run([chmcmd, "--no-html-scan", "help.hhp"], cwd=folder,
                             capture_output=True, text=True)
        made = folder / "help.chm"
        if run.returncode != 0 or not made.is_file():
            raise SystemExit(f"chmcmd failed:\n{run.stdout}{run.stderr}")
        shutil.move(str(made), output)
    check(output, source_dir)  # never ship a file that does not read back


# ---------------------------------------------------------------------------
# Reading back.

class Page(HTMLParser):
    """What the checks need of a page or sitemap: title, h1, ids, links, params."""

    def __init__(self, data):
        super().__init__(convert_charrefs=True)
        self.title, self.h1, self.ids, self.links, self.params = "", "", set(), [], []
        self._in = None
        self.feed(data.decode(ENCODING))

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        elif tag == "param":
            self.params.append((attrs.get("name"), attrs.get("value")))
        elif tag in ("title", "h1"):
            self._in = tag

    def handle_endtag(self, tag):
        self._in = None

    def handle_data(self, data):
        if self._in == "title":
            self.title += data
        elif self._in == "h1":
            self.h1 += data


def system_entries(data):
    """#SYSTEM: a version, then records of (code, length, data); text ends with a NUL."""
    entries, pos = {}, 4
    while pos + 4 <= len(data):
        code, length = struct.unpack_from("<HH", data, pos)
        entries[code] = data[pos + 4:pos + 4 + length].split(b"\0")[0].decode("latin-1")
        pos += 4 + length
    return entries


def targets_of(sitemap_page):
    return [value for name, value in sitemap_page.params if name == "Local"]


def check(chm_path, source_dir):
    topics = read_manual(source_dir)
    extract = tool("extract_chmLib", "libchm-bin")
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp)
        run = subprocess.run([extract, str(chm_path), str(out)], capture_output=True, text=True)
        if run.returncode != 0:
            raise SystemExit(f"{chm_path}: extract_chmLib failed:\n{run.stdout}{run.stderr}")
        pages = {p.name: Page(p.read_bytes()) for p in out.glob("*.htm")}

        def resolves(target, where):
            page, _, anchor = target.partition("#")
            if page not in pages or (anchor and anchor not in pages[page].ids):
                raise SystemExit(f"{chm_path}: {where} leads to {target}, which is not there")

        for t in topics:
            page = pages.get(page_of(t.context))
            if page is None:
                raise SystemExit(f"{chm_path}: no page {page_of(t.context)} for {t.title!r}")
            if (page.title, page.h1) != (t.title, t.title):
                raise SystemExit(f"{chm_path}: {page_of(t.context)} is titled {page.title!r}")
            if page.links != [page_of(target) for target in t.links()]:
                raise SystemExit(f"{chm_path}: {page_of(t.context)} links {page.links}")
            for link in page.links:
                resolves(link, page_of(t.context))
        if len(pages) != len(topics):
            raise SystemExit(f"{chm_path}: {len(pages)} pages for {len(topics)} topics")

        system = system_entries((out / "#SYSTEM").read_bytes())
        # #SYSTEM codes: 0 contents file, 1 index file, 2 first page, 3 title.
        if [system.get(c) for c in (0, 1, 2, 3)] != [CONTENTS_TREE, INDEX,
                                                    page_of(CONTENTS_CONTEXT), HELP_TITLE]:
            raise SystemExit(f"{chm_path}: #SYSTEM names {system}")
        found = {}
        for name in (CONTENTS_TREE, INDEX):
            if not (out / name).is_file():
                raise SystemExit(f"{chm_path}: no {name}")
            found[name] = targets_of(Page((out / name).read_bytes()))
            for target in found[name]:
                resolves(target, name)
            missing = {page_of(t.context) for t in topics} - set(found[name])
            if missing:
                raise SystemExit(f"{chm_path}: {name} leaves out {sorted(missing)}")
    links = sum(len(p.links) for p in pages.values())
    return (f"{chm_path}: {HELP_TITLE!r}, first page {system[2]}, {len(topics)} topics, "
            f"{links} links, {len(found[CONTENTS_TREE])} contents entries, "
            f"{len(found[INDEX])} index targets")


def main(argv):
    if len(argv) == 4 and argv[1] == "--check":
        print(check(argv[2], argv[3]))
    elif len(argv) == 3:
        compile_chm(argv[1], argv[2])
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
