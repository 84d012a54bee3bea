#include "window_fixture.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "tests/core/test_files.h"
#include "ui/common/display_text.h"

#include <QAction>
#include <QtTest>

void WindowFixture::init()
{
    folder = std::make_unique<TestFolder>();
    dialogs = std::make_unique<ScriptedDialogs>();
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
    window->N6->trigger();
    dialogs->openAnswers.enqueue({tank, gun});
    window->N2->trigger();
    QCOMPARE(dialogs->errors.size(), 0);
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
    const std::string message = dravik::CannotOpenFileMessage(
        dravik::ui::NativeBytes(path), dravik::SystemErrorText(dravik::test::kFileNotFound));
    return dravik::ui::MessageText(dravik::ErrorBoxText(message));
}
