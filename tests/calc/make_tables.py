#!/usr/bin/python3
"""Makes the tables of this folder with LibreOffice Calc itself.

Exports the desc files of this folder with dravik2-batch, then opens the
table in Calc the way a modder would (Text Import with a character set,
column types and a language), types edits into cells as a modder types
them, and saves it as Text CSV. Each route gives one table here; the tests
read them, so they need no Calc to run.

Run with Debian's Python, which has Calc's bridge (packages
libreoffice-calc-nogui, libreoffice-l10n-de, python3-uno):

    /usr/bin/python3 tests/calc/make_tables.py build/app/dravik2-batch

The desc files are exported from /tmp/dravik-calc, the folder whose paths
the tables name; the tests put their own folder in its place.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.table import TableSortField

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDER = "/tmp/dravik-calc"
DESCS = ["a.desc", "b.desc", "c.desc", "d.desc"]

# CSV filter options: field separator (9 = TAB), string delimiter (none),
# character set (34 = windows-1251, 1 = windows-1252), first line, column
# types (1 Standard, 2 Text), language (1033 English, 1031 German), quoted
# fields as text, detect special numbers; on saving the ninth is "save cell
# content as shown".
CYRILLIC, WESTERN = 34, 1
ENGLISH, GERMAN = 1033, 1031


def text_columns(count=16):
    return "/".join("%d/2" % c for c in range(1, count + 1))


def opening(charset, language, columns=""):
    return "9,,%d,1,%s,%d,false,true" % (charset, columns, language)


def saving(charset, language, separator=9):
    return "%d,,%d,1,,%d,false,false,true" % (separator, charset, language)


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


class Calc:
    """A headless Calc of its own profile, in the given locale."""

    def __init__(self, locale):
        self.profile = tempfile.mkdtemp(prefix="dravik-calc-profile-")
        pipe = "dravikcalc%d" % os.getpid()
        env = dict(os.environ, LC_ALL=locale, LANG=locale)
        self.process = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo",
             "-env:UserInstallation=" + uno.systemPathToFileUrl(self.profile),
             "--accept=pipe,name=%s;urp;" % pipe], env=env)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        for _ in range(120):
            try:
                context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except Exception:
                time.sleep(0.5)
        else:
            raise RuntimeError("Calc did not start")
        self.desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
        self.dispatcher = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.DispatchHelper", context)

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:
            pass
        self.process.wait(timeout=120)
        shutil.rmtree(self.profile, ignore_errors=True)

    def route(self, table, out, opened, saved, steps=()):
        doc = self.desktop.loadComponentFromURL(
            uno.systemPathToFileUrl(table), "_blank", 0,
            (prop("FilterName", "Text - txt - csv (StarCalc)"), prop("FilterOptions", opened), prop("Hidden", True)))
        try:
            for step in steps:
                step(self, doc)
            doc.storeToURL(uno.systemPathToFileUrl(out),
                           (prop("FilterName", "Text - txt - csv (StarCalc)"), prop("FilterOptions", saved)))
        finally:
            doc.close(True)

    def type(self, doc, col, row, text):
        """Types the text into a cell and presses Enter, as the modder would."""
        doc.CurrentController.select(doc.Sheets.getByIndex(0).getCellByPosition(col, row))
        self.dispatcher.executeDispatch(doc.CurrentController.Frame, ".uno:EnterString", "", 0,
                                        (prop("StringName", text),))


def where(lines, path, key, value=1):
    """The column and row of a key's value in the row of a desc file."""
    path = FOLDER + "/" + path
    for label in range(len(lines)):
        cells = lines[label].split("\t")
        if len(cells) > 2 and cells[1] == "File name" and key in cells:
            columns = [c for c, name in enumerate(cells) if name == key]
            for row in range(label + 1, len(lines)):
                if lines[row].split("\t")[1:2] == [path]:
                    return columns[value - 1], row
    raise KeyError((path, key, value))


def typed(lines, path, key, text, value=1):
    col, row = where(lines, path, key, value)
    return lambda calc, doc: calc.type(doc, col, row, text)


def whole_sheet_text(calc, doc):
    """Format > Cells > Numbers > Category: Text on the whole sheet."""
    sheet = doc.Sheets.getByIndex(0)
    formats = doc.NumberFormats
    locale = uno.createUnoStruct("com.sun.star.lang.Locale")
    text = formats.getStandardFormat(uno.getConstantByName("com.sun.star.util.NumberFormat.TEXT"), locale)
    sheet.getCellRangeByName("A1:AMJ1048576").NumberFormat = text


def insert_column(index, header_at=None, header=""):
    def step(calc, doc):
        sheet = doc.Sheets.getByIndex(0)
        sheet.Columns.insertByIndex(index, 1)
        if header_at is not None:
            calc.type(doc, index, header_at, header)
    return step


def sort_whole_sheet(by):
    def step(calc, doc):
        sheet = doc.Sheets.getByIndex(0)
        cursor = sheet.createCursor()
        cursor.gotoEndOfUsedArea(False)
        end = cursor.RangeAddress
        area = sheet.getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow)
        field = TableSortField()
        field.Field = by
        field.IsAscending = True
        area.sort((prop("SortFields", uno.Any("[]com.sun.star.table.TableSortField", (field,))),
                   prop("ContainsHeader", False)))
    return step


def main():
    batch = os.path.abspath(sys.argv[1])
    shutil.rmtree(FOLDER, ignore_errors=True)
    os.makedirs(FOLDER)
    for name in DESCS + ["variables.var"]:
        shutil.copy(os.path.join(HERE, name), FOLDER)
    exported = os.path.join(FOLDER, "table.txt")
    subprocess.run([batch, "export", "--vars", os.path.join(FOLDER, "variables.var"), "--out", exported]
                   + [os.path.join(FOLDER, d) for d in DESCS], check=True)
    lines = open(exported, "rb").read().decode("cp1251").split("\r\n")
    out = lambda name: os.path.join(HERE, name)

    calc = Calc("en_US.UTF-8")
    try:
        # Standard columns: what the careless routes of the recipe give.
        calc.route(exported, out("english-standard.txt"), opening(CYRILLIC, ENGLISH), saving(CYRILLIC, ENGLISH),
                   [typed(lines, "c.desc", "health ", "42"), typed(lines, "a.desc", "mass ", "7")])
        # The recipe: Text columns, every cell Text, then the edits.
        calc.route(exported, out("english-text.txt"), opening(CYRILLIC, ENGLISH, text_columns()),
                   saving(CYRILLIC, ENGLISH),
                   [whole_sheet_text, typed(lines, "b.desc", "health ", "1.10"),
                    typed(lines, "c.desc", "armor ", "008", 4), typed(lines, "c.desc", "speed ", "1/2/3", 2),
                    typed(lines, "c.desc", "name ", "\u0422\u0430\u043d\u043a"),
                    typed(lines, "a.desc", "mass ", "7")])
        # Saved as Western: the Cyrillic letters, old and typed, become "?".
        calc.route(exported, out("saved-western.txt"), opening(CYRILLIC, ENGLISH, text_columns()),
                   saving(WESTERN, ENGLISH), [typed(lines, "c.desc", "name ", "\u0422\u0430\u043d\u043a")])
        # Opened as Western, saved as Cyrillic: the letters read wrongly become "?".
        calc.route(exported, out("opened-western.txt"), opening(WESTERN, ENGLISH, text_columns()),
                   saving(CYRILLIC, ENGLISH))
        # A sheet column inserted between armor's second and third values, one
        # before speed holding a note without a header, and an edit.
        armor3, header = where(lines, "a.desc", "armor ", 3)
        speed, _ = where(lines, "a.desc", "speed ", 1)
        _, row_c = where(lines, "c.desc", "speed ", 1)
        calc.route(exported, out("inserted-columns.txt"), opening(CYRILLIC, ENGLISH, text_columns()),
                   saving(CYRILLIC, ENGLISH),
                   [whole_sheet_text, typed(lines, "a.desc", "armor ", "9", 3),
                    insert_column(speed), lambda calc, doc: calc.type(doc, speed, row_c, "check this"),
                    insert_column(armor3, header - 1, "note")])
        calc.route(exported, out("comma-separated.txt"), opening(CYRILLIC, ENGLISH, text_columns()),
                   saving(CYRILLIC, ENGLISH, ord(",")))
        calc.route(exported, out("sorted-sheet.txt"), opening(CYRILLIC, ENGLISH, text_columns()),
                   saving(CYRILLIC, ENGLISH), [sort_whole_sheet(2)])
    finally:
        calc.close()

    calc = Calc("de_DE.UTF-8")
    try:
        # Calc in German: 2.250 is read as 2250, and numbers are written with a decimal comma.
        calc.route(exported, out("german-standard.txt"), opening(CYRILLIC, GERMAN), saving(CYRILLIC, GERMAN),
                   [typed(lines, "a.desc", "mass ", "2,5")])
        # Calc in German with the Text Import's language left at English.
        calc.route(exported, out("german-english-import.txt"), opening(CYRILLIC, ENGLISH),
                   saving(CYRILLIC, ENGLISH))
    finally:
        calc.close()


if __name__ == "__main__":
    main()
