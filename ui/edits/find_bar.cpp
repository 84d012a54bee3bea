#include "ui/edits/find_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravik::ui {

namespace {

QPushButton* Button(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* Box(const QString& caption, const char* name)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    return box;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FindBar"));
    findEdit = new QLineEdit;
    findEdit->setObjectName(QStringLiteral("FindText"));
    findEdit->setClearButtonEnabled(true);
    replaceEdit = new QLineEdit;
    replaceEdit->setObjectName(QStringLiteral("ReplaceText"));
    regexBox = Box(tr("Re&gular expression"), "FindRegex");
    caseBox = Box(tr("Match &case"), "FindMatchCase");
    wholeCellBox = Box(tr("&Whole cell"), "FindWholeCell");
    scopeBox = new QComboBox;
    scopeBox->setObjectName(QStringLiteral("FindScope"));
    scopeBox->addItems({tr("Current table"), tr("All section tables"), tr("Selection")});
    previousButton = Button(tr("&Previous"), "FindPrevious");
    nextButton = Button(tr("&Next"), "FindNext");
    replaceButton = Button(tr("&Replace"), "ReplaceOne");
    replaceAllButton = Button(tr("Replace &all"), "ReplaceAll");
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("FindStatus"));

    auto* findLabel = new QLabel(tr("&Find:"));
    findLabel->setBuddy(findEdit);
    auto* replaceLabel = new QLabel(tr("Replace &with:"));
    replaceLabel->setBuddy(replaceEdit);
    // The two labels line up, so the two text fields do.
    findLabel->setMinimumWidth(replaceLabel->sizeHint().width());
    auto* scopeLabel = new QLabel(tr("&In:"));
    scopeLabel->setBuddy(scopeBox);

    auto* findRow = new QHBoxLayout;
    findRow->addWidget(findLabel);
    findRow->addWidget(findEdit, 1);
    findRow->addWidget(previousButton);
    findRow->addWidget(nextButton);
    findRow->addWidget(regexBox);
    findRow->addWidget(caseBox);
    findRow->addWidget(wholeCellBox);
    findRow->addWidget(scopeLabel);
    findRow->addWidget(scopeBox);

    replaceRow_ = new QWidget;
    auto* replaceRow = new QHBoxLayout(replaceRow_);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    replaceRow->addWidget(replaceLabel);
    replaceRow->addWidget(replaceEdit, 1);
    replaceRow->addWidget(replaceButton);
    replaceRow->addWidget(replaceAllButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(findRow);
    layout->addWidget(replaceRow_);
    layout->addWidget(status_);

    connect(findEdit, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(replaceEdit, &QLineEdit::returnPressed, this, &FindBar::replaceOne);
    connect(nextButton, &QPushButton::clicked, this, &FindBar::findNext);
    connect(previousButton, &QPushButton::clicked, this, &FindBar::findPrevious);
    connect(replaceButton, &QPushButton::clicked, this, &FindBar::replaceOne);
    connect(replaceAllButton, &QPushButton::clicked, this, &FindBar::replaceAll);
    connect(findEdit, &QLineEdit::textChanged, this, &FindBar::searchChanged);
    for (QCheckBox* box : {regexBox, caseBox, wholeCellBox})
        connect(box, &QCheckBox::toggled, this, &FindBar::searchChanged);
    connect(scopeBox, &QComboBox::currentIndexChanged, this, &FindBar::searchChanged);
}

QString FindBar::pattern() const { return findEdit->text(); }
QString FindBar::replacement() const { return replaceEdit->text(); }

SearchOptions FindBar::options() const
{
    SearchOptions options;
    options.regex = regexBox->isChecked();
    options.matchCase = caseBox->isChecked();
    options.wholeCell = wholeCellBox->isChecked();
    return options;
}

FindBar::Scope FindBar::scope() const { return static_cast<Scope>(scopeBox->currentIndex()); }
void FindBar::setScope(Scope scope) { scopeBox->setCurrentIndex(static_cast<int>(scope)); }

void FindBar::showReplace(bool replace)
{
    replaceRow_->setVisible(replace);
    findEdit->setFocus(Qt::ShortcutFocusReason);
    findEdit->selectAll();
}

void FindBar::setStatus(const QString& text) { status_->setText(text); }
QString FindBar::status() const { return status_->text(); }

void FindBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace dravik::ui
