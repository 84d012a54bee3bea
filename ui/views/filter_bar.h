// The filter bar over the tables: which table the filter reads, which of its
// columns, the filter text (row_filter.h) and whether case matters. It only
// collects the user's choice; the table filter (table_filter.h) applies it.
// Typing is applied after a short pause, so a slow filter (a regular
// expression over a wide table) does not run at every key.
#pragma once

#include "core/document/grid_numbers.h"

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace dravik::ui {

// One entry of the column chooser.
struct FilterColumn {
    QString label;
    QString key;  // the columns of a key, by their header's name (trimmed)
    int col = 0;  // one column of the grid; with no key either: any column
    bool any() const { return key.isEmpty() && col == 0; }
    bool operator==(const FilterColumn&) const = default;
};

class FilterBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTypingDelayMs = 200;

    explicit FilterBar(QWidget* parent = nullptr);

    QString text() const;
    bool matchCase() const;
    // The grid the filter reads: 1 to 10 for the section tables, 11 for the
    // file list.
    GridNumber table() const;
    FilterColumn column() const;

    // Shows the table as chosen, without applying anything.
    void setTable(GridNumber grid);
    // The columns offered for the chosen table; the column chosen stays
    // chosen when it is offered again, else "any column" is.
    void setColumns(const QList<FilterColumn>& columns);
    // Sets the whole filter and applies it at once.
    void setFilter(GridNumber grid, const FilterColumn& column, const QString& text);
    // A filter that cannot be read, or nothing.
    void showMessage(const QString& message);
    QString message() const;

    QLineEdit* textEdit() const { return text_; }
    QComboBox* columnChooser() const { return column_; }
    // Shows the bar and puts the cursor into the filter text.
    void open();
    // Applies what was typed now, without waiting for the pause.
    void applyNow();
    bool applyPending() const { return delay_.isActive(); }

signals:
    // The filter as the bar shows it is to be applied.
    void filterChanged();
    // The user chose another table: its columns are to be offered.
    void tableChosen(GridNumber grid);
    // Escape or the close button: the bar goes, and its filter with it.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* table_;
    QComboBox* column_;
    QLineEdit* text_;
    QCheckBox* case_;
    QToolButton* close_;
    QLabel* message_;
    QTimer delay_;
    QList<FilterColumn> columns_;
    bool settingUp_ = false;
};

}  // namespace dravik::ui
