// The bulk edits' items of the Edit menu (Copy, Paste, Find, Find next and
// previous, Replace, Set selection) and the find panel under the tables.
#pragma once

#include "ui/common/command_host.h"

#include <QObject>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;

namespace dravik::ui {

class FindBar;
class FindReplace;

class BulkEditActions : public QObject {
    Q_OBJECT
public:
    BulkEditActions(const CommandHost& host, QMainWindow* window, QMenu* editMenu);

    FindBar* findBar() const { return findBar_; }
    QDockWidget* findPanel() const { return findPanel_; }

    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* find = nullptr;
    QAction* findNext = nullptr;
    QAction* findPrevious = nullptr;
    QAction* replace = nullptr;
    QAction* setSelection = nullptr;

private:
    void openFind(bool replace);
    // The table Copy reads: the current tab's, the summary table included.
    GridView* copiedTable() const;

    CommandHost host_;
    FindBar* findBar_ = nullptr;
    QDockWidget* findPanel_ = nullptr;
    FindReplace* findReplace_ = nullptr;
};

}  // namespace dravik::ui
