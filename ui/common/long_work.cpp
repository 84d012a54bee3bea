#include "ui/common/long_work.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
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

int running = 0;
}  // namespace

bool LongWork::DropInputAndClosing::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        event->ignore();
        return true;
    }
    return DropUserInput::eventFilter(watched, event);
}

LongWork::LongWork(QWidget* window, QString label) : window_(window), label_(std::move(label))
{
    ++running;
    for (QAction* action : window_->findChildren<QAction*>()) {
        if (action->isEnabled()) {
            action->setEnabled(false);
            disabled_.emplace_back(action);
        }
    }
    QCoreApplication::instance()->installEventFilter(&dropInput_);
}

LongWork::~LongWork()
{
    delete box_;
    // What the user clicked and typed meanwhile was meant for a window that
    // was busy; it goes, as after a child process.
    DropQueuedUserInput();
    QCoreApplication::instance()->removeEventFilter(&dropInput_);
    for (const auto& action : disabled_)
        if (action)
            action->setEnabled(true);
    --running;
}

bool LongWork::Running() { return running > 0; }

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
    // Paint and move; the user's keys and clicks wait for the end, and go then.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace dravik::ui
