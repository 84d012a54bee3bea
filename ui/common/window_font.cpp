#include "ui/common/window_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

namespace dravik::ui {

namespace {

// The installed family `family` names, as the font database spells it; the
// database writes a family made by several foundries as "Name [Foundry]".
QString InstalledFamily(const QString& family)
{
    if (family.isEmpty())
        return {};
    const QString foundry = family + QLatin1String(" [");
    for (const QString& installed : QFontDatabase::families()) {
        if (installed.compare(family, Qt::CaseInsensitive) == 0 ||
            installed.startsWith(foundry, Qt::CaseInsensitive))
            return installed;
    }
    return {};
}

bool CanDrawFamily(const QString& family) { return CanDraw(QFont(family)); }

// Faces of the dialogs of Windows and of the common desktops, tried in this
// order before any other installed one.
const char* const kSansFaces[] = {"Segoe UI", "Tahoma", "Microsoft Sans Serif", "Arial",
                                  "DejaVu Sans", "Liberation Sans", "Noto Sans"};

}  // namespace

bool CanDraw(const QFont& font)
{
    const QString installed = InstalledFamily(font.family());
    // A bitmap font is drawn at the sizes it was drawn at, if at all.
    if (installed.isEmpty() || !QFontDatabase::isSmoothlyScalable(installed))
        return false;
    return QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0;
}

QString DrawnFamily(const QString& family)
{
    if (CanDrawFamily(family))
        return family;
    const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (CanDrawFamily(system))
        return system;
    for (const char* face : kSansFaces) {
        const QString name = QLatin1String(face);
        if (CanDrawFamily(name) && QFontDatabase::writingSystems(name).contains(QFontDatabase::Cyrillic))
            return name;
    }
    for (const QString& installed : QFontDatabase::families(QFontDatabase::Cyrillic)) {
        if (!QFontDatabase::isFixedPitch(installed) &&
            QFontDatabase::writingSystems(installed).contains(QFontDatabase::Latin) && CanDrawFamily(installed))
            return installed;
    }
    // Nothing better is installed.
    return system;
}

QFont DrawnFont(const QFont& chosen)
{
    if (CanDraw(chosen))
        return chosen;
    QFont drawn = chosen;
    drawn.setFamily(DrawnFamily(chosen.family()));
    drawn.setStyleName(QString());
    return drawn;
}

void UseDrawnApplicationFont()
{
    const QFont font = QApplication::font();
    if (!CanDraw(font))
        QApplication::setFont(DrawnFont(font));
}

}  // namespace dravik::ui
