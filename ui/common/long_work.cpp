#include "ui/common/long_work.h"

#include <QAction>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

namespace dravik::ui {

namespace {
// Short loads finish before the box would be worth showing.
constexpr int kShowAfterMs = 500;
// A box update and a pass through the event loop take longer than a small
// file does: done for every file they would double a long command's time.
// The count moves as often as a screen is usually refreshed, and at the end.
constexpr int kRefreshMs = 40;
}

LongWork::LongWork(QWidget* window, QString label) : window_(window), label_(std::move(label))
{
    for (QAction* action : window_->findChildren<QAction*>()) {
        if (action->isEnabled()) {
            action->setEnabled(false);
            disabled_.emplace_back(action);
        }
    }
}

LongWork::~LongWork()
{
    delete box_;
    for (const auto& action : disabled_)
        if (action)
            action->setEnabled(true);
}

Progress LongWork::progress()
{
    return [this](int done, int total) { show(done, total); };
}

void LongWork::show(int done, int total)
{
    if (box_ && done < total && !sinceShown_.hasExpired(kRefreshMs))
        return;
    sinceShown_.start();
    if (!box_) {
        box_ = new QProgressDialog(window_);
        box_->setWindowTitle(window_->windowTitle());
        box_->setCancelButton(nullptr);
        box_->setWindowModality(Qt::WindowModal);
        box_->setMinimumDuration(kShowAfterMs);
        box_->setAutoClose(false);
        box_->setAutoReset(false);
        box_->setRange(0, total);
        box_->setValue(0);
    }
    box_->setLabelText(QStringLiteral("%1: %2 of %3 files done").arg(label_).arg(done).arg(total));
    box_->setValue(done);
    // Paint and move, but keep the user's keys and clicks for later.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace dravik::ui
