// How the tables behave under the mouse.
#include "window_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

using dravik::ui::GridView;

class TableViewTest : public WindowFixture {
    Q_OBJECT

private slots:
    void clickKeepsTheEditorOpen()
    {
        openSample();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        GridView* files = window->StringGrid(11);
        window->PageControl1->setCurrentIndex(0);
        window->Memo1->setFocus();
        // Each click selects a row and loads its file into the preview.
        for (auto [row, col] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{0, 1}}) {
            const QModelIndex cell = files->model()->index(row, col);
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(cell).center());
            QTest::qWait(20);
            QCOMPARE(files->currentIndex(), cell);
            auto* editor = qobject_cast<QLineEdit*>(files->indexWidget(cell));
            QVERIFY(editor);
            QVERIFY(editor->isVisible());
            QVERIFY(editor->hasFocus());
        }
    }

};

QTEST_MAIN(TableViewTest)
#include "table_view_test.moc"
