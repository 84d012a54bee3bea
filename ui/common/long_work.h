// A command that runs over many files: while it works the window's menu
// items are disabled, so no other command can start, and a progress box
// counts the files done and keeps the windows painting.
#pragma once

#include "core/document/desc_document.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <vector>

class QAction;
class QProgressDialog;
class QWidget;

namespace dravik::ui {

class LongWork {
public:
    LongWork(QWidget* window, QString label);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // For the core's long commands.
    Progress progress();

private:
    void show(int done, int total);

    QWidget* window_;
    QString label_;
    std::vector<QPointer<QAction>> disabled_;
    QProgressDialog* box_ = nullptr;
    QElapsedTimer sinceShown_;
};

}  // namespace dravik::ui
