// The languages: counted texts in the forms each language counts with, Qt's
// own buttons in the language chosen, and Settings > Language switching every
// text at once and keeping the choice.
#include "core/files/settings_file.h"
#include "core/message.h"
#include "ui/common/display_text.h"
#include "ui/common/language.h"
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <functional>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Counted {
    const char* context;
    const char* one;
    const char* many;
};

// Counted texts of the windows and of the engine.
const Counted kCounted[] = {
    {"dravik::ui::FindReplace", "%n file", "%n files"},
    {"dravik::ui::ModActions", "%n file differs from the base", "%n files differ from the base"},
    {"SaveQuestions", "%n file changed on disk since it was read:", "%n files changed on disk since they were read:"},
    {"dravik::ui::SummaryPanel", "%1: %n column selected", "%1: %n columns selected"},
    {"Import", "%n cell changed only how a number is written:\n", "%n cells changed only how a number is written:\n"},
};

const int kCounts[] = {1, 2, 5, 11, 21, 22};

QString Translated(const Counted& text, int count)
{
    return QCoreApplication::translate(text.context, text.one, text.many, count);
}

// The text with its count taken out, so that texts of two counts in one form
// compare equal.
QString Form(const Counted& text, int count)
{
    // The count alone, not the digit of a place such as "%1".
    return Translated(text, count)
        .replace(QRegularExpression(QStringLiteral("(?<![%\\d])%1(?!\\d)").arg(count)), QStringLiteral("#"));
}

}  // namespace

class LanguageTest : public WindowFixture {
    Q_OBJECT

private slots:
    void cleanup()
    {
        dravik::ui::UseLanguage(QStringLiteral("en"));
        WindowFixture::cleanup();
    }

    void englishCountsAsItAlwaysDid()
    {
        for (const Counted& text : kCounted)
            for (const int count : kCounts) {
                const QString english = QString::fromLatin1(count == 1 ? text.one : text.many)
                                            .replace(QStringLiteral("%n"), QString::number(count));
                QCOMPARE(Translated(text, count), english);
            }
        // The engine's counted sentence, through the same catalogue.
        const dravik::Message message(DRAVIK_TR_N("Import", "%n cell changed only how a number is written:\n",
                                                  "%n cells changed only how a number is written:\n"),
                                      21);
        const QString english = QStringLiteral("21 cells changed only how a number is written:\n");
        QCOMPARE(dravik::ui::MessageText(message), english);
        QCOMPARE(QString::fromStdString(message.english()), english);
    }

    // 1 and 21 take one form, 2 and 22 another, 5 and 11 a third (a
    // sentence may spell two of them alike: "у 2 ячеек", "у 5 ячеек").
    void russianCountsInThreeForms()
    {
        dravik::ui::UseLanguage(QStringLiteral("ru"));
        for (const Counted& text : kCounted) {
            const QString context = QString::fromLatin1(text.one);
            QCOMPARE(Form(text, 21), Form(text, 1));
            QCOMPARE(Form(text, 22), Form(text, 2));
            QCOMPARE(Form(text, 11), Form(text, 5));
            const QString english = QString::fromLatin1(text.many).replace(QStringLiteral("%n"), QStringLiteral("5"));
            QVERIFY2(Translated(text, 5) != english, qPrintable(context));
        }
        const Counted files = kCounted[0];
        QStringList forms;
        for (const int count : kCounts)
            forms << Translated(files, count);
        QCOMPARE(forms, QStringList({"1 файл", "2 файла", "5 файлов", "11 файлов", "21 файл", "22 файла"}));
    }

    // Qt's own words come from Qt's catalogue of the language.
    void qtButtonsSpeakTheLanguage()
    {
        const auto buttons = [] {
            QMessageBox box(QMessageBox::Question, QString(), QString(),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QStringList texts;
            for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                texts << box.button(button)->text().remove(QLatin1Char('&'));
            return texts;
        };
        QCOMPARE(buttons(), QStringList({"Yes", "No", "Cancel"}));
        dravik::ui::UseLanguage(QStringLiteral("ru"));
        QCOMPARE(buttons(), QStringList({"Да", "Нет", "Отмена"}));
    }

    // The choice is kept in the settings file and takes effect at the next
    // start, as the menu says in both languages; English comes back exactly
    // as it was.
    void theMenuChoiceHoldsFromTheNextStart()
    {
        const auto choose = [this](const char* code) {
            auto* action = window->findChild<QAction*>(QStringLiteral("Language_%1").arg(QLatin1String(code)));
            QVERIFY(action);
            action->trigger();
            QVERIFY(window->close());
            window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
            window->show();
        };
        const auto stored = [this] {
            return dravik::SettingsFile(folder->path("dravik2.INI").toStdString()).readRaw("Form", "Language");
        };
        QCOMPARE(window->findChild<QAction*>(QStringLiteral("Language_ru"))->text(), QStringLiteral("Русский"));
        QCOMPARE(window->findChild<QAction*>(QStringLiteral("Language_en"))->text(), QStringLiteral("English"));
        const QString note = window->findChild<QAction*>(QStringLiteral("LanguageNote"))->text();
        QVERIFY(note.contains(QStringLiteral("next start")) && note.contains(QStringLiteral("запуске")));
        QVERIFY(!stored());

        choose("ru");
        QCOMPARE(stored(), std::optional<std::string>("ru"));
        QCOMPARE(dravik::ui::CurrentLanguage(), QStringLiteral("ru"));
        QVERIFY(Menu(*window, "N1")->title() != QStringLiteral("&File"));
        QVERIFY(window->findChild<QAction*>(QStringLiteral("Language_ru"))->isChecked());

        choose("en");
        QCOMPARE(stored(), std::optional<std::string>("en"));
        QCOMPARE(Menu(*window, "N1")->title(), QStringLiteral("&File"));
        QCOMPARE(Action(*window, "N2")->text(), QStringLiteral("&Open desc"));
    }

    // In Russian each menu's access keys are Russian letters, one item each;
    // the tools named by their own Latin names keep theirs.
    void russianAccessKeysAreUniquePerMenu()
    {
        folder->write(QStringLiteral("dravik2.INI"), "[Form]\r\nLanguage=ru\r\n");
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
        QStringList faults;
        int checked = 0;
        const std::function<void(const QString&, const QList<QAction*>&)> menu = [&](const QString& where,
                                                                                      const QList<QAction*>& items) {
            QSet<QChar> keys;
            for (QAction* item : items) {
                const QString text = item->text();
                const qsizetype amp = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
                if (item->isSeparator() || amp < 0)
                    continue;
                const QChar key = text[amp + 1].toLower();
                const bool latinName = text.contains(QRegularExpression(QStringLiteral("^[A-Za-z&]+$")));
                if ((!latinName && (key.unicode() < 0x0430 || key.unicode() > 0x044F) && key != QChar(0x0451)) ||
                    keys.contains(key))
                    faults << where + QStringLiteral(": ") + text;
                keys.insert(key);
                ++checked;
                if (item->menu())
                    menu(where + QLatin1Char('/') + text, item->menu()->actions());
            }
        };
        menu(QStringLiteral("menu bar"), window->menuBar()->actions());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY2(checked > 30, qPrintable(QString::number(checked)));
    }

    // The files a language's window writes are the same bytes: the language
    // is the window's, never the files'.
    void saveAllWritesTheSameBytesInEveryLanguage()
    {
        QList<QByteArray> written;
        for (const char* language : {"en", "ru"}) {
            window.reset();
            folder->write(QStringLiteral("dravik2.INI"),
                          QByteArray("[Other]\r\nRespellKeyLines=1\r\n[Form]\r\nLanguage=") + language + "\r\n");
            window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
            window->show();
            QCOMPARE(dravik::ui::CurrentLanguage(), QLatin1String(language));
            openSample();
            typeIntoCell(grid(1), 2, 1, "150");
            typeIntoCell(grid(10), 2, 2, "Pak 40");
            activate();
            press(Qt::Key_E, Qt::ControlModifier);
            QCOMPARE(dialogs->errors.size(), 0);
            written << folder->read("tank.txt") + folder->read("gun.txt");
        }
        QCOMPARE(written[0], QByteArray("; a tank\r\n[section1]\r\nhealth 150 \r\narmor 10 20 30 \r\n"
                                        "[section2]\r\nspeed 5 7 \r\n[section_text]\r\nname Tiger tank \r\n"
                                        "[section1]\r\nhealth 40 \r\narmor 2 3 \r\n[section2]\r\nspeed 1 1 \r\n"
                                        "[section_text]\r\nname Pak 40 "));
        QCOMPARE(written[1], written[0]);
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
