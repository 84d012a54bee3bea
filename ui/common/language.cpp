#include "ui/common/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace dravik::ui {

namespace {

const char* const kCatalogues = ":/i18n";
const char* const kEnglish = "en";

struct Installed {
    QString code;
    std::vector<std::unique_ptr<QTranslator>> translators;
};

Installed& State()
{
    static Installed installed;
    return installed;
}

std::optional<QStringList>& SystemOverride()
{
    static std::optional<QStringList> codes;
    return codes;
}

QString CatalogueFile(const QString& prefix, const QString& code)
{
    return QStringLiteral("%1/%2_%3.qm").arg(QLatin1String(kCatalogues), prefix, code);
}

bool HasCatalogue(const QString& code) { return QFileInfo::exists(CatalogueFile(QStringLiteral("dravik2"), code)); }

QStringList SystemLanguages()
{
    if (SystemOverride())
        return *SystemOverride();
    QStringList codes;
    // "ru-RU", "en-US": the language is the part before the first dash.
    for (const QString& name : QLocale::system().uiLanguages())
        codes << name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
    return codes;
}

}  // namespace

QList<Language> Languages()
{
    QStringList codes;
    for (const QString& file :
         QDir(QLatin1String(kCatalogues)).entryList({QStringLiteral("dravik2_*.qm")}, QDir::Files, QDir::Name))
        codes << file.mid(8, file.size() - 8 - 3);
    std::stable_partition(codes.begin(), codes.end(), [](const QString& code) { return code == QLatin1String(kEnglish); });
    QList<Language> languages;
    for (const QString& code : codes) {
        QTranslator catalogue;
        QString name;
        if (catalogue.load(CatalogueFile(QStringLiteral("dravik2"), code)))
            name = catalogue.translate("Language", "English");
        //: The name of the catalogue's own language, in that language, as the
        //: Language menu lists it: "Deutsch", "Русский".
        const char* const english = QT_TRANSLATE_NOOP("Language", "English");
        languages.append({code, name.isEmpty() ? QString::fromLatin1(english) : name});
    }
    return languages;
}

QString StartLanguage(const QString& stored)
{
    if (!stored.isEmpty() && HasCatalogue(stored))
        return stored;
    for (const QString& code : SystemLanguages())
        if (HasCatalogue(code))
            return code;
    return QString::fromLatin1(kEnglish);
}

void UseLanguage(const QString& code)
{
    Installed& installed = State();
    const QString language = HasCatalogue(code) ? code : QString::fromLatin1(kEnglish);
    if (installed.code == language)
        return;
    for (const auto& translator : installed.translators)
        QCoreApplication::removeTranslator(translator.get());
    installed.translators.clear();
    // Qt's own catalogue first, so that the program's, installed later, is
    // asked first.
    for (const QString& prefix : {QStringLiteral("qtbase"), QStringLiteral("dravik2")}) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(CatalogueFile(prefix, language))) {
            QCoreApplication::installTranslator(translator.get());
            installed.translators.push_back(std::move(translator));
        }
    }
    installed.code = language;
}

QString CurrentLanguage() { return State().code; }

void EnsureLanguage()
{
    if (CurrentLanguage().isEmpty())
        UseLanguage(StartLanguage());
}

void SetSystemLanguagesForTesting(const QStringList& codes) { SystemOverride() = codes; }

}  // namespace dravik::ui
