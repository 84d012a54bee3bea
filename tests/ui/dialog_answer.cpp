#include "dialog_answer.h"

#include <QApplication>
#include <QtTest>

namespace {

// At every turn of the event loop: the answer runs as soon as the dialog's
// own loop starts, before the dialog's slower work (a file dialog reading its
// folder) can change what it shows.
constexpr int kPollMs = 0;

// The modal widget in front; a modal dialog that is shown but not active
// counts too.
QWidget* ModalWidget()
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->isModal())
            return widget;
    return nullptr;
}

void CloseModalWidgets()
{
    // One modal dialog may stand over another; each close ends one loop.
    for (int i = 0; i < 10; ++i) {
        QWidget* modal = ModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

}  // namespace

DialogAnswer::DialogAnswer()
{
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &DialogAnswer::look);
}

DialogAnswer::~DialogAnswer()
{
    poll_.stop();
    CloseModalWidgets();
}

void DialogAnswer::expect(const char* kind, std::function<void(QDialog*)> answer)
{
    if (answer_)
        failures_ << QStringLiteral("a %1 was to be answered before the next one").arg(kind_);
    kind_ = QLatin1String(kind);
    answer_ = std::move(answer);
    deadline_.setRemainingTime(kDeadlineMs);
    poll_.start();
}

QStringList DialogAnswer::failures() const
{
    QStringList all = failures_;
    if (answer_)
        all << QStringLiteral("no %1 was shown").arg(kind_);
    return all;
}

void DialogAnswer::look()
{
    QWidget* modal = ModalWidget();
    if (!modal) {
        if (deadline_.hasExpired()) {
            poll_.stop();
            failures_ << QStringLiteral("no %1 was shown within %2 ms").arg(kind_).arg(kDeadlineMs);
            answer_ = nullptr;
        }
        return;
    }
    // The answer may wait inside the dialog's loop: it must not run twice.
    poll_.stop();
    const std::function<void(QDialog*)> answer = std::move(answer_);
    answer_ = nullptr;
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog || !dialog->inherits(kind_.toLatin1().constData())) {
        failures_ << QStringLiteral("a %1 came instead of a %2").arg(QLatin1String(modal->metaObject()->className()),
                                                                    kind_);
        CloseModalWidgets();
        return;
    }
    const bool failedBefore = QTest::currentTestFailed();
    answer(dialog);
    if (QTest::currentTestFailed() && !failedBefore)
        failures_ << QStringLiteral("the answer to the %1 failed").arg(kind_);
    if (dialog->isVisible()) {
        failures_ << QStringLiteral("the answer left the %1 open").arg(kind_);
        CloseModalWidgets();
    }
}
