#include "window_fixture.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "tests/core/mod/merge_scenario.h"
#include "tests/core/test_files.h"
#include "ui/common/display_text.h"
#include "ui/common/error_box.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <algorithm>

void WindowFixture::init()
{
    folder = std::make_unique<TestFolder>();
    dialogs = std::make_unique<ScriptedDialogs>();
    // As a user who answered Save all's question about key lines that would
    // change only in spelling "Respell them too", and had it remembered: the
    // tests save as Save all always has. Tests of the question remove it.
    folder->write(QStringLiteral("dravik2.INI"), "[Other]\r\nRespellKeyLines=1\r\n");
    window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
    window->show();
}

void WindowFixture::cleanup()
{
    QCOMPARE(dialogs->unexpected, 0);
    window.reset();
    dialogs.reset();
    folder.reset();
}

void WindowFixture::openSample()
{
    const QString variables = folder->write("vars.var", sample::Variables());
    const QString tank = folder->write("tank.txt", sample::TankDesc());
    const QString gun = folder->write("gun.txt", sample::GunDesc());
    dialogs->openAnswers.enqueue({variables});
    Action(*window, "N6")->trigger();
    dialogs->openAnswers.enqueue({tank, gun});
    Action(*window, "N2")->trigger();
    QCOMPARE(dialogs->errors.size(), 0);
}

dravik::ui::GridView* WindowFixture::grid(dravik::GridNumber number) const
{
    return named<dravik::ui::GridView>(QStringLiteral("StringGrid%1").arg(number.number()));
}

void WindowFixture::activate()
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void WindowFixture::clickTabOf(QWidget* content)
{
    auto* tabs = named<QTabWidget>(QStringLiteral("PageControl1"));
    QVERIFY(tabs);
    int index = -1;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i) == content || tabs->widget(i)->isAncestorOf(content))
            index = i;
    QVERIFY(index >= 0);
    if (tabs->currentIndex() == index)
        return;
    QTabBar* bar = tabs->tabBar();
    // The tabs do not all fit: the bar's arrow buttons scroll it.
    const auto arrows = bar->findChildren<QToolButton*>();
    auto shown = [&] {
        const QPoint centre = bar->tabRect(index).center();
        if (!bar->rect().contains(centre))
            return false;
        for (const QToolButton* arrow : arrows)
            if (arrow->isVisible() && arrow->geometry().contains(centre))
                return false;
        return true;
    };
    for (int i = 0; i < tabs->count() && !shown(); ++i) {
        const Qt::ArrowType way = bar->tabRect(index).center().x() < 0 ? Qt::LeftArrow : Qt::RightArrow;
        const auto arrow = std::find_if(arrows.begin(), arrows.end(),
                                        [&](const QToolButton* button) { return button->arrowType() == way; });
        QVERIFY(arrow != arrows.end());
        QTest::mouseClick(*arrow, Qt::LeftButton);
    }
    QVERIFY(shown());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
    QCoreApplication::processEvents();
}

void WindowFixture::clickCell(dravik::ui::GridView* grid, int col, int row, Qt::KeyboardModifiers modifiers)
{
    clickTabOf(grid);
    const QModelIndex index = grid->model()->index(row - 1, col - 1);
    grid->scrollTo(index);
    // An editor open on the cell covers it and takes the click.
    const QPoint centre = grid->visualRect(index).center();
    QWidget* target = grid->viewport()->childAt(centre);
    if (target)
        QTest::mouseClick(target, Qt::LeftButton, modifiers, target->mapFrom(grid->viewport(), centre));
    else
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, centre);
    QCoreApplication::processEvents();
    // A working table opens its editor on the current cell; on a cell that
    // was selected already, only once a double-click can no longer come.
    if (grid->kind() == dravik::ui::GridView::Kind::Working)
        QTRY_VERIFY(grid->indexWidget(grid->currentIndex()));
}

void WindowFixture::doubleClickCell(dravik::ui::GridView* grid, int col, int row)
{
    clickTabOf(grid);
    const QModelIndex index = grid->model()->index(row - 1, col - 1);
    grid->scrollTo(index);
    // What the system sends: a click, then a second press as a double-click.
    const QPoint centre = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre);
    QCoreApplication::processEvents();
}

void WindowFixture::typeIntoCell(dravik::ui::GridView* grid, int col, int row, const QString& text)
{
    clickCell(grid, col, row);
    QVERIFY(grid->indexWidget(grid->model()->index(row - 1, col - 1)));
    // A click on the cell already current puts the cursor into its text.
    press(Qt::Key_End);
    press(Qt::Key_Home, Qt::ShiftModifier);
    type(text);
    // The editor hands its text to the table once the loop runs.
    press(Qt::Key_Return);
}

void WindowFixture::type(const QString& text)
{
    // Key by key: the first key may open an editor that takes the rest.
    for (const QChar c : text) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        if (c == QLatin1Char('\n'))
            QTest::keyClick(focus, Qt::Key_Return);
        else
            QTest::keyClicks(focus, QString(c));
        QCoreApplication::processEvents();
    }
}

void WindowFixture::press(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

void WindowFixture::clickMenuItem(QAction* item)
{
    QMenu* menu = nullptr;
    for (QObject* holder : item->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(holder))
            menu = m;
    QVERIFY(menu);
    // The window system gives the window its activation and focus back when
    // the menu closes; the offscreen platform does not.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QVERIFY(menu->isVisible());
    QVERIFY2(item->isEnabled(), qPrintable(item->text()));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != window.get())
        QApplication::setActiveWindow(window.get());
    QVERIFY(!menu->isVisible());
    if (!QApplication::focusWidget() && focus)
        focus->setFocus();
}

QStringList WindowFixture::Cells(dravik::ui::GridView* grid, const QList<QPoint>& cells)
{
    QStringList texts;
    for (const QPoint& cell : cells)
        texts << Cell(grid, cell.x(), cell.y());
    return texts;
}

QString WindowFixture::Cell(dravik::ui::GridView* grid, int col, int row)
{
    return grid->model()->data(grid->model()->index(row - 1, col - 1)).toString();
}

bool WindowFixture::SetCell(dravik::ui::GridView* grid, int col, int row, const QString& text)
{
    return grid->model()->setData(grid->model()->index(row - 1, col - 1), text);
}

QString WindowFixture::Header(dravik::ui::GridView* grid, int col)
{
    return grid->model()->headerData(col - 1, Qt::Horizontal).toString();
}

QString WindowFixture::RowNumber(dravik::ui::GridView* grid, int row)
{
    return grid->model()->headerData(row - 1, Qt::Vertical).toString();
}

QString WindowFixture::OpenFailure(const QString& path)
{
    // The system's own reason, in its language, shown as the error box shows it.
    const dravik::Message message = dravik::CannotOpenFileMessage(
        dravik::ui::NativeBytes(path), dravik::SystemErrorText(dravik::test::kFileNotFound));
    return dravik::ui::ErrorBoxText(dravik::ui::MessageText(message));
}

QList<int> WindowFixture::Shown(dravik::ui::GridView* view)
{
    QList<int> rows;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        if (!view->isRowHidden(r))
            rows << r + 1;
    return rows;
}

void WindowFixture::typeFilter(const QString& text)
{
    QTest::mouseClick(named<QLineEdit>(QStringLiteral("FilterText")), Qt::LeftButton);
    press(Qt::Key_A, Qt::ControlModifier);
    press(Qt::Key_Delete);
    type(text);
    press(Qt::Key_Return);
}

QString WindowFixture::writeMergeFolders()
{
    auto bytes = [](std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); };
    for (const auto& [name, text] : dravik::merge::kFolderFiles) {
        QDir().mkpath(QFileInfo(folder->path(QLatin1String(name))).absolutePath());
        folder->write(QLatin1String(name), bytes(text));
    }
    return folder->write("v.var", bytes(dravik::merge::kVariables));
}
