// What the window benchmarks share: the dialogs a user would answer, and
// running the event loop until what a command changed is on screen.
#pragma once

#include "bench/bench_clock.h"
#include "ui/common/dialogs.h"
#include "ui/tables/grid_view.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QTabWidget>
#include <QScrollBar>
#include <algorithm>

#include <QCoreApplication>
#include <QEvent>
#include <QQueue>
#include <cstdio>
#include <optional>

namespace dravik::bench {

// The main window's tables, tabs and menu items, found by the names it gives
// them, as a user's clicks would reach them.
template <class Part>
Part* WindowPart(const QObject& window, const QString& name)
{
    return window.findChild<Part*>(name);
}
inline ui::GridView* Table(const QObject& window, int number)
{
    return WindowPart<ui::GridView>(window, QStringLiteral("StringGrid%1").arg(number));
}
inline ui::GridView* Table(const QObject& window, GridNumber number) { return Table(window, number.number()); }
inline QTabWidget* Tabs(const QObject& window)
{
    return WindowPart<QTabWidget>(window, QStringLiteral("PageControl1"));
}
inline QAction* Action(const QObject& window, const char* name)
{
    return WindowPart<QAction>(window, QLatin1String(name));
}

// The dialogs a user would answer: the save and open answers are queued by
// the benchmark, and an error box is a failed run.
class BenchDialogs : public ui::Dialogs {
public:
    QQueue<QString> saveAnswers;
    QQueue<QStringList> openAnswers;
    int errors = 0;

    QStringList openFiles(QWidget*, const ui::FileDialogRequest&) override
    {
        return openAnswers.isEmpty() ? QStringList() : openAnswers.dequeue();
    }
    std::optional<QString> saveFile(QWidget*, const ui::FileDialogRequest&) override
    {
        if (saveAnswers.isEmpty())
            return std::nullopt;
        return saveAnswers.dequeue();
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }
    void errorBox(QWidget*, const QString& caption, const QString& text) override
    {
        ++errors;
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    void messageBox(QWidget*, const QString&, const QString&) override {}
    // The benchmark makes no edit it would not go on with.
    bool confirm(QWidget*, const QString&) override { return true; }
    // Unless the benchmark queued another answer, the first button (go on).
    QQueue<int> askAnswers;
    int ask(QWidget*, const QString&, const QString&, const QStringList&) override
    {
        return askAnswers.isEmpty() ? 0 : askAnswers.dequeue();
    }
    bool review(QWidget*, const QString&, const QList<ui::ReviewPage>&, const QString&, const QString&) override
    {
        return false;
    }
    // The base folder queued by the benchmark.
    QQueue<QString> baseFolderAnswers;
    std::optional<QString> chooseBaseFolder(QWidget*, const QString&) override
    {
        if (baseFolderAnswers.isEmpty())
            return std::nullopt;
        return baseFolderAnswers.dequeue();
    }
    // The folder queued by the benchmark. The dialog counted its files while
    // the user chose them, before Open: the count is kept to be timed apart.
    QQueue<ui::FolderChoice> folderAnswers;
    ui::FolderRequest lastFolderRequest;
    std::optional<ui::FolderChoice> chooseFolder(QWidget*, const ui::FolderRequest& request) override
    {
        lastFolderRequest = request;
        if (folderAnswers.isEmpty())
            return std::nullopt;
        return folderAnswers.dequeue();
    }
    // No benchmark builds a mod set through its dialog.
    std::optional<ui::ModSetChoice> chooseModSet(QWidget*, const ui::ModSetChoice&) override { return std::nullopt; }
    // Every conflict keeps the mod's value.
    std::optional<QList<bool>> resolveConflicts(QWidget*, const ui::ConflictRequest& request) override
    {
        return QList<bool>(request.conflicts.size(), false);
    }
    // The expression queued by the benchmark. Its preview ran while the
    // user typed, before Apply: it is not part of applying it.
    QQueue<QString> expressionAnswers;
    std::optional<QString> askExpression(QWidget*, const ui::ExpressionRequest&) override
    {
        if (expressionAnswers.isEmpty())
            return std::nullopt;
        return expressionAnswers.dequeue();
    }
};

// What the event loop would do before the user sees the outcome: posted
// events, zero timers (the views' delayed layouts), paints, deferred deletes.
inline void Settle()
{
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

struct Steps {
    double total = 0;
    double worst = 0;
    int count = 0;

    void add(double seconds)
    {
        total += seconds;
        worst = std::max(worst, seconds);
        ++count;
    }
};

// Scrolls the view down from its top, then across from its left, a screen
// at a time, each step until it is painted timed.
inline void ScrollScreens(QAbstractScrollArea* view, int screens, Steps& down, Steps& across)
{
    for (QScrollBar* bar : {view->verticalScrollBar(), view->horizontalScrollBar()}) {
        Steps& steps = bar == view->verticalScrollBar() ? down : across;
        bar->setValue(0);
        Settle();
        for (int i = 0; i < screens && bar->value() < bar->maximum(); ++i)
            steps.add(Time([&] {
                bar->setValue(bar->value() + bar->pageStep());
                Settle();
            }));
    }
}

}  // namespace dravik::bench
