#include "ui/common/long_work.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
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
// A search or filter that takes longer than this becomes stoppable; one
// that ends sooner leaves what the user types alone.
constexpr int kStoppableAfterMs = 250;

int running = 0;
bool longAtOnce = false;
}  // namespace

bool LongWork::DropInputAndClosing::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == work_.box_)
        work_.boxShown_ = true;
    if (event->type() == QEvent::Close && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        // Closing a stoppable work's box is its Cancel; the box goes at the end.
        if (work_.stop_ == Stop::EscOrCancel && watched == work_.box_)
            work_.stopAsked_ = true;
        event->ignore();
        return true;
    }
    if (work_.stop_ == Stop::EscOrCancel && IsUserInput(event)) {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            work_.stopAsked_ = true;
            return true;
        }
        QWidget* box = work_.box_;
        if (box && watched->isWidgetType() && (watched == box || box->isAncestorOf(static_cast<QWidget*>(watched))))
            return false;
    }
    return DropUserInput::eventFilter(watched, event);
}

LongWork::LongWork(QWidget* window, QString label, Stop stop, QString counted)
    : window_(window), label_(std::move(label)), stop_(stop), counted_(std::move(counted)),
      focus_(QApplication::focusWidget())
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
    // The box took the focus; the user goes on where they were.
    if (boxShown_ && focus_ && focus_->isVisible()) {
        focus_->activateWindow();
        focus_->setFocus(Qt::OtherFocusReason);
    }
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
    return [this](int done, int total) {
        show(done, total);
        if (stopAsked_)
            throw WorkStopped{};
    };
}

void LongWork::show(int done, int total)
{
    if (box_ && done < total && !sinceShown_.hasExpired(kRefreshMs))
        return;
    sinceShown_.start();
    if (!box_) {
        box_ = new QProgressDialog(window_);
        box_->setWindowTitle(window_->windowTitle());
        if (stop_ == Stop::No)
            box_->setCancelButton(nullptr);
        box_->setWindowModality(Qt::WindowModal);
        box_->setMinimumDuration(longAtOnce ? 0 : kShowAfterMs);
        box_->setAutoClose(false);
        box_->setAutoReset(false);
        box_->setRange(0, total);
        box_->setValue(0);
    }
    box_->setLabelText(QStringLiteral("%1: %2 of %3 %4 done").arg(label_).arg(done).arg(total).arg(counted_));
    box_->setValue(done);
    if (stop_ == Stop::No) {
        // Paint and move; the user's keys and clicks wait for the end, and go then.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    // Esc and the box's Cancel are seen now; the rest is dropped.
    QCoreApplication::processEvents();
    if (box_->wasCanceled())
        stopAsked_ = true;
}

StoppableWork::StoppableWork(QWidget* window, QString label, QString counted)
    : window_(window), label_(std::move(label)), counted_(std::move(counted))
{
    started_.start();
}

Progress StoppableWork::progress()
{
    return [this](int done, int total) {
        if (!work_) {
            if (!longAtOnce && !started_.hasExpired(kStoppableAfterMs))
                return;
            work_.emplace(window_, label_, LongWork::Stop::EscOrCancel, counted_);
            report_ = work_->progress();
        }
        report_(done, total);
    };
}

void StoppableWork::SetLongAtOnceForTesting(bool atOnce) { longAtOnce = atOnce; }

}  // namespace dravik::ui
