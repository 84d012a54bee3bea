// The faces the windows draw in. Text typed in Latin letters must be seen in
// every field a user types into, whichever font the settings file names and
// whichever fonts the system has; scripts/test-windows runs this test under
// Wine with the system's own platform too, in a prefix with Wine's fonts
// and in one without them.
#include "core/files/settings_file.h"
#include "dialog_answer.h"
#include "ui/common/display_text.h"
#include "ui/common/qt_dialogs.h"
#include "ui/common/window_font.h"
#include "ui/edits/bulk_edit_actions.h"
#include "ui/edits/find_bar.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

using dravik::ui::GridView;

namespace {

const QString kLatin = QStringLiteral("armor 45 Tiger");

// The pixels of the field's inside drawn clearly apart from its background:
// the glyphs, and the text cursor's few.
int InkPixels(QWidget* field)
{
    const QImage image = field->grab().toImage();
    const QColor base = field->palette().color(QPalette::Base);
    const int margin = static_cast<int>(3 * image.devicePixelRatio());
    int ink = 0;
    for (int y = margin; y < image.height() - margin; ++y) {
        for (int x = margin; x < image.width() - margin; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - base.red()) + std::abs(c.green() - base.green()) +
                    std::abs(c.blue() - base.blue()) > 96)
                ++ink;
        }
    }
    return ink;
}

// Far more than a text cursor, far fewer than the glyphs of kLatin.
constexpr int kGlyphInk = 60;

#define VERIFY_DRAWN(field)                                                                                   \
    do {                                                                                                     \
        const int ink = InkPixels(field);                                                                    \
        QVERIFY2(ink >= kGlyphInk, qPrintable(QStringLiteral("%1 in %2: %3 pixels of ink")                   \
                                                  .arg((field)->objectName(), QFontInfo((field)->font()).family()) \
                                                  .arg(ink)));                                               \
    } while (false)

QString Family(const QWidget* widget) { return QFontInfo(widget->font()).family(); }

}  // namespace

class WindowFontTest : public WindowFixture {
    Q_OBJECT

private slots:
    // With the settings file's default font, "MS Sans Serif".
    void typedLatinLettersAreDrawn()
    {
        openSample();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        GridView* section1 = window->StringGrid(dravik::GridNumber(1));
        window->PageControl1->setCurrentIndex(1);
        const QModelIndex cell = section1->model()->index(0, 1);
        section1->setFocus();
        section1->setCurrentIndex(cell);
        auto* editor = qobject_cast<QLineEdit*>(section1->indexWidget(cell));
        QVERIFY(editor);
        editor->setObjectName(QStringLiteral("CellEditor"));
        editor->selectAll();
        QTest::keyClicks(editor, kLatin);
        QCOMPARE(editor->text(), kLatin);
        VERIFY_DRAWN(editor);
        // For the log of scripts/test-windows.
        qInfo("drawn in %s", qPrintable(Family(editor)));

        window->FilterRows->trigger();
        auto* filter = window->findChild<QLineEdit*>(QStringLiteral("FilterText"));
        QVERIFY(filter && filter->isVisible());
        QTest::keyClicks(filter, kLatin);
        VERIFY_DRAWN(filter);
        QCOMPARE(Family(filter), Family(editor));

        window->bulkEdits()->find->trigger();
        QLineEdit* find = window->bulkEdits()->findBar()->findEdit;
        QVERIFY(find->isVisible());
        QTest::keyClicks(find, kLatin);
        VERIFY_DRAWN(find);
        QCOMPARE(Family(find), Family(editor));

        // The Set selection box as the program shows it.
        dravik::ui::QtDialogs real;
        dravik::ui::ExpressionRequest request;
        request.title = QStringLiteral("Set selection");
        request.preview = [](const QString&) { return dravik::ui::ExpressionRequest::Preview{}; };
        int ink = -1;
        DialogAnswer answers;
        answers.next<QDialog>([&](QDialog* box) {
            auto* expression = box->findChild<QLineEdit*>(QStringLiteral("Expression"));
            QVERIFY(expression);
            QTest::keyClicks(expression, kLatin);
            ink = InkPixels(expression);
            box->reject();
        });
        QVERIFY(!real.askExpression(window.get(), request));
        QCOMPARE(answers.failures(), QStringList());
        QVERIFY2(ink >= kGlyphInk, qPrintable(QStringLiteral("Set selection: %1 pixels of ink").arg(ink)));
    }

    void aFontTheSystemCannotDrawIsKeptButDrawnInTheSystemsFace()
    {
        const QString ini = folder->write("missing.INI", "[Form]\r\nFontName=Dravik Missing Face\r\nFontSize=14\r\n");
        {
            TMainForm shown(ini, *dialogs);
            shown.show();
            QCOMPARE(shown.chosenFont().family(), QStringLiteral("Dravik Missing Face"));
            const QString face = Family(&shown);
            QVERIFY2(dravik::ui::CanDraw(shown.font()), qPrintable(face));
            QCOMPARE(face, dravik::ui::DrawnFamily(QStringLiteral("Dravik Missing Face")));
            QCOMPARE(shown.font().pointSize(), 14);
            for (QWidget* widget : std::initializer_list<QWidget*>{shown.Memo1, shown.Memo2, shown.StringGrid(dravik::GridNumber(1)),
                                                                   shown.StringGrid(dravik::GridNumber(11)), shown.StringGrid(dravik::GridNumber(12)),
                                                                   shown.bulkEdits()->findBar()->findEdit})
                QCOMPARE(Family(widget), face);
            // The other windows and the dialogs take the application's font:
            // the same face, at its own size.
            QCOMPARE(QFontInfo(QApplication::font()).family(), face);
            QVERIFY(shown.close());
        }
        // The settings file keeps the name and size the user chose.
        const dravik::SettingsFile written(dravik::ui::NativeBytes(ini));
        QCOMPARE(written.readString("Form", "FontName", ""), std::string("Dravik Missing Face"));
        QCOMPARE(written.readInteger("Form", "FontSize", 0), 14);
    }
};

QTEST_MAIN(WindowFontTest)
#include "window_font_test.moc"
