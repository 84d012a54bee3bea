// A command that runs over many files: while it works the window's menu
// items are disabled and the user's clicks, keys and close requests are
// dropped, so no other command can start, and a progress box counts the
// files done and keeps the windows painting. What the event loop still
// reaches meanwhile (a focus change, a timer) finds the tables half done:
// a handler that would start a command or ask about them asks Running() first.
//
// A search or a filter only reads the tables, and may be stopped: Esc, or
// the progress box's Cancel, makes its progress throw WorkStopped.
#pragma once

#include "core/document/desc_document.h"
#include "ui/common/user_input.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

class QAction;
class QProgressDialog;
class QWidget;

namespace dravik::ui {

// Thrown out of a stoppable work's progress when the user stops it.
struct WorkStopped {};

class LongWork {
public:
    enum class Stop { No, EscOrCancel };

    // `counted` names what the box counts ("files", "table rows").
    LongWork(QWidget* window, QString label, Stop stop = Stop::No, QString counted = QStringLiteral("files"));
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // For the core's long commands. A stoppable work's throws WorkStopped
    // once the user has asked to stop.
    Progress progress();

    // Whether a long command is under way.
    static bool Running();

private:
    // A close request would ask about the half-done tables: it is dropped
    // with the clicks and keys. A stoppable work lets the box's Cancel
    // through, and takes Esc as a Cancel.
    class DropInputAndClosing : public DropUserInput {
    public:
        explicit DropInputAndClosing(LongWork& work) : work_(work) {}

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        LongWork& work_;
    };

    void show(int done, int total);

    QWidget* window_;
    QString label_;
    Stop stop_;
    QString counted_;
    bool stopAsked_ = false;
    bool boxShown_ = false;
    QPointer<QWidget> focus_;
    std::vector<QPointer<QAction>> disabled_;
    QProgressDialog* box_ = nullptr;
    QElapsedTimer sinceShown_;
    DropInputAndClosing dropInput_{*this};
};

// A search or a filter: quick as a rule, long over large cells with a costly
// regular expression. Until it has run for a moment it runs as any handler
// does (nothing the user types meanwhile is dropped); from then on it is a
// stoppable LongWork.
class StoppableWork {
public:
    StoppableWork(QWidget* window, QString label, QString counted);
    StoppableWork(const StoppableWork&) = delete;
    StoppableWork& operator=(const StoppableWork&) = delete;

    // Throws WorkStopped once the user has asked to stop.
    Progress progress();

    // Test seam: every work counts as long from its first report on, and
    // shows its box at once.
    static void SetLongAtOnceForTesting(bool atOnce);

private:
    QWidget* window_;
    QString label_;
    QString counted_;
    QElapsedTimer started_;
    std::optional<LongWork> work_;
    Progress report_;
};

}  // namespace dravik::ui
