"""Reads a JSON list of HTML fragments on standard input and prints a JSON
list of the same length: "" for a fragment whose elements are balanced, else
what is wrong with it."""
import json
import sys
from html.parser import HTMLParser

# Elements that never take an end tag.
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class Balance(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.problems = []

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.open.append(tag)

    def handle_startendtag(self, tag, attrs):
        if tag not in VOID:
            self.problems.append("<%s/> is not a void element" % tag)

    def handle_endtag(self, tag):
        if tag in VOID:
            self.problems.append("</%s> closes a void element" % tag)
        elif not self.open or self.open[-1] != tag:
            self.problems.append("</%s> closes %s" % (tag, "<%s>" % self.open[-1] if self.open else "nothing"))
        else:
            self.open.pop()


def check(fragment):
    parser = Balance()
    parser.feed(fragment)
    parser.close()
    problems = parser.problems + ["<%s> is never closed" % tag for tag in parser.open]
    if parser.rawdata:
        problems.append("unparsed: " + parser.rawdata)
    return "; ".join(problems)


json.dump([check(f) for f in json.load(sys.stdin)], sys.stdout)
