#!/usr/bin/env python3
"""Writes a pseudo-translation of a catalogue: every text becomes its English
spelt in accented letters ("File" reads "Ƒíĺé") and wrapped in "⟦" and "⟧",
its places (%1, %n) and access keys (&) kept, and a counted text gets the two
English forms. A window shown in it reads ⟦Ƒíĺé⟧ wherever a text went
through the catalogue, so a word in plain letters is one that escaped it,
even when it fills a place of a translated text.

    pseudo_catalogue.py CATALOGUE.ts PSEUDO.ts
"""
import html
import re
import sys

source_path, pseudo_path = sys.argv[1:3]
text = open(source_path, encoding="utf-8").read()
# Two forms, as English counts.
text = re.sub(r'(<TS\b[^>]*?\s)language="[^"]*"', r'\1language="en"', text, count=1)


LOWER = "áƀçđéƒĝĥíĵķĺɱñóþʠŕšţúṽŵẋýž"
UPPER = "ÁƁÇĐÉƑĜĤÍĴĶĹṀÑÓÞɊŔŠŢÚṼŴẊÝŽ"
ACCENTED = str.maketrans("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", LOWER + UPPER)
# Places stay as Qt reads them: %1 to %99, %n, %L1.
PLACE = re.compile(r"(%L?\d{1,2}|%n)")


def wrap(form):
    text = html.unescape(form)
    parts = PLACE.split(text)
    text = "".join(part if PLACE.fullmatch(part) else part.translate(ACCENTED) for part in parts)
    return html.escape("\u27e6%s\u27e7" % text, quote=False)


def fill(match):
    block = match.group(0)
    source = re.search(r"<source>(.*?)</source>", block, re.S).group(1)
    if 'numerus="yes"' in block:
        comment = re.search(r"<comment>(.*?)</comment>", block, re.S)
        plural = comment.group(1) if comment else source
        body = "".join("<numerusform>%s</numerusform>" % wrap(form) for form in (source, plural))
    else:
        body = wrap(source)
    return re.sub(r"<translation\b[^>]*?(/>|>.*?</translation>)", lambda _: "<translation>%s</translation>" % body,
                  block, count=1, flags=re.S)


text = re.sub(r"<message\b.*?</message>", fill, text, flags=re.S)
open(pseudo_path, "w", encoding="utf-8").write(text)
