#include "ui/views/filter_bar.h"

#include "core/document/desc_document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace dravik::ui {

namespace {

// The tables in the order of the tabs.
std::vector<GridNumber> TableOrder()
{
    std::vector<GridNumber> tables{kFileListGrid};
    for (GridNumber table : SectionTables())
        tables.push_back(table);
    return tables;
}

QString TableName(GridNumber grid)
{
    if (grid == kFileListGrid)
        return FilterBar::tr("File list");
    if (grid == kTextSectionTable)
        return FilterBar::tr("Text section");
    return FilterBar::tr("Section %1").arg(grid.number());
}

}  // namespace

FilterBar::FilterBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FilterBar"));
    table_ = new QComboBox;
    table_->setObjectName(QStringLiteral("FilterTable"));
    table_->setToolTip(tr("The table the filter reads"));
    for (GridNumber grid : TableOrder())
        table_->addItem(TableName(grid), grid.number());
    column_ = new QComboBox;
    column_->setObjectName(QStringLiteral("FilterColumn"));
    column_->setToolTip(tr("The column the filter reads"));
    column_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    column_->setMinimumContentsLength(8);
    text_ = new QLineEdit;
    text_->setObjectName(QStringLiteral("FilterText"));
    text_->setClearButtonEnabled(true);
    text_->setPlaceholderText(tr("Filter: text, /regex/, > 100, 50..80, empty, changed, differs"));
    text_->setToolTip(tr("text or /regular expression/; > 100, <= 5, = 0, <> 3, 50..80; = text (whole cell);\n"
                         "empty, changed, differs (from the column's most common value); 'text: as written"));
    text_->installEventFilter(this);
    case_ = new QCheckBox(tr("Match &case"));
    case_->setObjectName(QStringLiteral("FilterMatchCase"));
    close_ = new QToolButton;
    close_->setObjectName(QStringLiteral("FilterClose"));
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setToolTip(tr("Close the filter bar and show every row (Esc)"));
    message_ = new QLabel;
    message_->setObjectName(QStringLiteral("FilterMessage"));
    message_->setWordWrap(true);
    QPalette warning = message_->palette();
    warning.setColor(QPalette::WindowText, QColor(170, 0, 0));
    message_->setPalette(warning);
    message_->hide();

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(table_);
    row->addWidget(column_);
    row->addWidget(text_, 1);
    row->addWidget(case_);
    row->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(row);
    layout->addWidget(message_);
    setColumns({});

    delay_.setSingleShot(true);
    delay_.setInterval(kTypingDelayMs);
    connect(&delay_, &QTimer::timeout, this, &FilterBar::filterChanged);
    connect(text_, &QLineEdit::textEdited, this, [this] { delay_.start(); });
    connect(text_, &QLineEdit::returnPressed, this, &FilterBar::applyNow);
    connect(case_, &QCheckBox::toggled, this, [this] {
        if (!settingUp_)
            applyNow();
    });
    connect(column_, &QComboBox::currentIndexChanged, this, [this] {
        if (!settingUp_)
            applyNow();
    });
    connect(table_, &QComboBox::currentIndexChanged, this, [this] {
        if (settingUp_)
            return;
        emit tableChosen(table());
        applyNow();
    });
    connect(close_, &QToolButton::clicked, this, &FilterBar::closeRequested);
}

QString FilterBar::text() const { return text_->text(); }

bool FilterBar::matchCase() const { return case_->isChecked(); }

GridNumber FilterBar::table() const { return GridNumber(table_->currentData().toInt()); }

FilterColumn FilterBar::column() const
{
    const int index = column_->currentIndex();
    return index >= 0 && index < columns_.size() ? columns_[index] : FilterColumn{};
}

void FilterBar::setTable(GridNumber grid)
{
    const int index = table_->findData(grid.number());
    if (index < 0 || index == table_->currentIndex())
        return;
    settingUp_ = true;
    table_->setCurrentIndex(index);
    settingUp_ = false;
}

void FilterBar::setColumns(const QList<FilterColumn>& columns)
{
    const FilterColumn chosen = column();
    columns_ = columns;
    if (columns_.isEmpty() || !columns_.front().any())
        columns_.prepend({tr("any column"), {}, 0});
    settingUp_ = true;
    column_->clear();
    for (const FilterColumn& column : columns_)
        column_->addItem(column.label);
    const auto found = std::find(columns_.begin(), columns_.end(), chosen);
    column_->setCurrentIndex(found == columns_.end() ? 0 : static_cast<int>(found - columns_.begin()));
    settingUp_ = false;
}

void FilterBar::setFilter(GridNumber grid, const FilterColumn& column, const QString& text)
{
    if (grid != table()) {
        setTable(grid);
        emit tableChosen(grid);
    }
    settingUp_ = true;
    auto found = std::find(columns_.begin(), columns_.end(), column);
    if (found == columns_.end()) {
        columns_.append(column);
        column_->addItem(column.label);
        found = columns_.end() - 1;
    }
    column_->setCurrentIndex(static_cast<int>(found - columns_.begin()));
    text_->setText(text);
    settingUp_ = false;
    applyNow();
}

void FilterBar::showMessage(const QString& message)
{
    message_->setText(message);
    message_->setVisible(!message.isEmpty());
}

QString FilterBar::message() const { return message_->text(); }

void FilterBar::open()
{
    show();
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

void FilterBar::applyNow()
{
    delay_.stop();
    emit filterChanged();
}

bool FilterBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        emit closeRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace dravik::ui
