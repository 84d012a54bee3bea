// Text crosses into Qt here and only here: the program's text is bytes in
// its code page, Qt's is Unicode. Cells and memo lines go through the code
// page so that every byte comes back as it was; paths and messages go
// through the system's file-name encoding, as the files were opened with it.
#pragma once

#include "core/text/code_page.h"
#include "core/message.h"
#include "core/text/text_lines.h"

#include <QString>
#include <string>
#include <string_view>

namespace dravik::ui {

// A grid cell: each byte becomes its own code-page character.
QString CellText(std::string_view bytes, const CodePage& codePage);
std::string CellBytes(const QString& text, const CodePage& codePage);

// A memo's content. A plain-text editor breaks lines at CR and LF and turns a
// no-break space into a blank, so those bytes are shown as private-use
// characters (U+E000 + byte) that it leaves alone.
QString MemoText(const TextLines& text, const CodePage& codePage);
TextLines MemoLines(const QString& text, const CodePage& codePage);

// Paths: the bytes the file system takes (UTF-8 off Windows); on Windows
// the path form of core/files/native_path.h, the code page's bytes with what
// it cannot write escaped, so that every name Qt gives comes back whole.
QString NativeText(const std::string& bytes);
std::string NativeBytes(const QString& text);

// An error message: its paths are in the file-name encoding but a quoted
// schema text is in the code page, so text that is not valid UTF-8 is read
// through the code page instead (on Windows the two are the same).
QString MessageText(const std::string& bytes);

// A message of the program in the user's language: each sentence as the
// installed translations have it, its places filled with the values, which
// are shown as they are (as MessageText above shows bytes).
QString MessageText(const Message& message);
// The same for a message of lines each ended by LF, as the engine's checks
// write them, for a message box: without the last line breaks.
QString MessageLines(const Message& message);
// A header the program writes in its own columns ("File name", "Path") in
// the user's language; the grid keeps the English, which the exported table
// holds.
QString ProgramHeaderText(std::string_view header);
// Fills "%1" to "%9" in one pass, as the engine's English does: a place
// without an argument stays, and the arguments' own text is never read for
// places (QString::arg would fill a "%1" that an argument brings along).
QString FillPlaces(const QString& pattern, const QStringList& args);

}  // namespace dravik::ui
