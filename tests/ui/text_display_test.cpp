// Memo texts keep the line structure of the text they show: the last line's
// break, an empty text and empty lines all come back as they were.
#include "core/text/code_page.h"
#include "ui/common/display_text.h"

#include <QPlainTextEdit>
#include <QtTest>

using dravik::TextLines;

class TextDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void lineStructureSurvivesTheEditor_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one break") << QByteArray("\r\n");
        QTest::newRow("no final break") << QByteArray("a\r\nb");
        QTest::newRow("final break") << QByteArray("a\r\nb\r\n");
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n\r\n");
        QTest::newRow("nbsp and tab") << QByteArray("a\xA0" "b\tc\r\n");
    }

    void lineStructureSurvivesTheEditor()
    {
        QFETCH(QByteArray, bytes);
        const auto& codePage = dravik::CodePage::Default();
        const TextLines text = dravik::SplitLines(bytes.toStdString());
        QPlainTextEdit memo;
        memo.setPlainText(dravik::ui::MemoText(text, codePage));
        const TextLines back = dravik::ui::MemoLines(memo.toPlainText(), codePage);
        QVERIFY(back == text);
        QCOMPARE(QByteArray::fromStdString(dravik::JoinLines(back)), bytes);
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks()
    {
        const auto& codePage = dravik::CodePage::Named("windows-1251");
        QCOMPARE(dravik::ui::CellBytes(QStringLiteral("Танк €字"), codePage),
                 std::string("\xD2\xE0\xED\xEA \x88?"));
    }
};

QTEST_MAIN(TextDisplayTest)
#include "text_display_test.moc"
