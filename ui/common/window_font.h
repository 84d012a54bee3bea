// The faces text is drawn in. The user's chosen font (kept by name and size
// in the settings file) may be one the system cannot draw: missing, so that
// the system puts another in its place glyph by glyph, or a bitmap font that
// exists at a few sizes only. Text is then drawn in the system's own dialog
// font instead, at the chosen size, and every window draws in that one face.
#pragma once

#include <QFont>
#include <QString>

namespace dravik::ui {

// Whether text in `font` is drawn in that very family: it is installed, it
// is an outline font, and the font the system matches is that family.
bool CanDraw(const QFont& font);

// The family text is drawn in when `family` cannot be: the system's dialog
// font, or when that cannot be drawn either, an installed outline family
// with Latin and Cyrillic letters. `family` itself when it can be drawn.
QString DrawnFamily(const QString& family);

// The font the chosen one is drawn in: the chosen font itself, or its size
// and style in the family DrawnFamily gives.
QFont DrawnFont(const QFont& chosen);

// Gives the application, whose font every window and dialog takes that sets
// none of its own, a face that can be drawn; its size stays.
void UseDrawnApplicationFont();

}  // namespace dravik::ui
