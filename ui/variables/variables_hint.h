// Over the section tables while there is no variables text: the tables show
// only the values of keys a variables file names, so files opened first come
// up as empty tables of narrow empty columns. Each empty table says so and
// offers the two ways on, one click each: open a variables file, or draft
// one with the analyzer from the files that are open.
#pragma once

#include "core/document/desc_document.h"

#include <QObject>
#include <QTimer>
#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace dravik::ui {

class GridView;

class VariablesHint : public QObject, private DocumentListener {
    Q_OBJECT
public:
    VariablesHint(DescDocument& document, const std::array<GridView*, kSectionCount>& tables, QObject* parent);

    // The hint over section `section`'s table (shown or not), for the tests.
    QWidget* over(SectionNumber section) const { return panels_[section.index()].frame; }

signals:
    void openVariables();
    void draftVariables();

private:
    struct Panel {
        QWidget* frame = nullptr;
        QPushButton* draft = nullptr;
    };

    // Shown where the variables text names no key and the table has no key
    // column; worked out once the document's notices of a change are over.
    void update();
    void place(SectionNumber section);
    bool eventFilter(QObject* watched, QEvent* event) override;

    void cellsChanged(GridNumber grid, int, int firstRow, int, int) override;
    void rowsInserted(GridNumber grid, int, int) override;
    void rowsRemoved(GridNumber grid, int, int) override;
    void columnsInserted(GridNumber, int, int) override { later_.start(); }
    void columnsRemoved(GridNumber, int, int) override { later_.start(); }
    void variablesTextChanged() override { later_.start(); }

    DescDocument& document_;
    std::array<GridView*, kSectionCount> tables_;
    std::array<Panel, kSectionCount> panels_;
    QTimer later_;
    DocumentConnection connection_;
};

}  // namespace dravik::ui
