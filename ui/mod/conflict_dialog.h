// The conflicts of Apply patch: one row per value that both the patch and
// the open mod changed (file, key, value number, the base's value, this
// mod's, the patch's), each answered in its last two columns by a click on
// "Take the patch's" or "Keep mine", or all at once by the buttons under
// the list. Every conflict starts as Keep mine: nothing the mod changed is
// replaced unless the user says so.
#pragma once

#include "ui/common/dialogs.h"

#include <QDialog>

class QPushButton;
class QTableView;

namespace dravik::ui {

class ConflictModel;

class ConflictDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConflictDialog(const ConflictRequest& request, QWidget* parent = nullptr);

    // True where the patch's value is taken, in the request's order.
    QList<bool> choices() const;

    QTableView* table() const { return table_; }
    // The columns a click answers in.
    static constexpr int kTakePatchColumn = 6;
    static constexpr int kKeepMineColumn = 7;

private:
    // As wide as every column needs, the answers included, as far as the
    // screen has room: texts too long for it are cut in their middle.
    void fitToScreen(QWidget* parent);

    ConflictModel* model_;
    QTableView* table_;
};

}  // namespace dravik::ui
