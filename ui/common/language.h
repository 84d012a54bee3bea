// The language the windows speak: the program's catalogue and Qt's own for
// it (compiled in under :/i18n, see translations/translations.cmake),
// installed for the whole application. Switching tells every window, which
// shows its texts anew (QEvent::LanguageChange).
#pragma once

#include <QList>
#include <QString>

namespace dravik::ui {

struct Language {
    QString code;  // the catalogue's language, as the settings file keeps it: "en", "ru"
    QString name;  // the language's name in itself: "English", "Русский"
};

// Every language a catalogue is compiled in for: English first, the others
// by their codes.
QList<Language> Languages();

// The language the program starts in: `stored` (the settings file's) when
// a catalogue speaks it, else the system's first user-interface language
// that one does, else English.
QString StartLanguage(const QString& stored = {});

// Installs the language's catalogues in place of the ones before; an
// unknown code installs English.
void UseLanguage(const QString& code);
// The installed language; empty before the first UseLanguage.
QString CurrentLanguage();
// A window made before any language was installed (the tests make windows
// on their own) installs the start language first.
void EnsureLanguage();

// Test seam: the system's languages, in order of preference, in place of
// what the system says. The tests run in English, whatever the machine's
// language, unless a test chooses otherwise.
void SetSystemLanguagesForTesting(const QStringList& codes);

}  // namespace dravik::ui
