// The find and replace bar under the tables: what to find, how, where, and
// what to put instead. It only holds the user's choices and says what
// happened; FindReplace does the finding.
#pragma once

#include "core/bulk/text_search.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dravik::ui {

class FindBar : public QWidget {
    Q_OBJECT
public:
    enum class Scope { CurrentTable, AllSectionTables, Selection };

    explicit FindBar(QWidget* parent = nullptr);

    QString pattern() const;
    QString replacement() const;
    SearchOptions options() const;
    Scope scope() const;
    void setScope(Scope scope);
    // Shows the replace row or hides it; the pattern gets the focus.
    void showReplace(bool replace);
    void setStatus(const QString& text);
    QString status() const;

    QLineEdit* findEdit = nullptr;
    QLineEdit* replaceEdit = nullptr;
    QCheckBox* regexBox = nullptr;
    QCheckBox* caseBox = nullptr;
    QCheckBox* wholeCellBox = nullptr;
    QComboBox* scopeBox = nullptr;
    QPushButton* previousButton = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* replaceButton = nullptr;
    QPushButton* replaceAllButton = nullptr;

signals:
    void findNext();
    void findPrevious();
    void replaceOne();
    void replaceAll();
    // The pattern, an option or the scope changed.
    void searchChanged();
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* replaceRow_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace dravik::ui
