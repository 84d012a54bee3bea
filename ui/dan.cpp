#include "ui/dan.h"

#include "core/files/file_io.h"
#include "core/schema/key_entries.h"
#include "core/text/text_lines.h"
#include "ui/common/display_text.h"
#include "ui/common/error_box.h"
#include "ui/tables/key_list_model.h"
#include "ui/common/long_work.h"
#include "ui/common/status_panels.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

using dravik::ui::NativeBytes;

namespace {

const char* const kCaption = "DescANlyzer Dravik 2 v1.3 beta";
constexpr int kInitialWidth = 696;
constexpr int kInitialHeight = 480;
constexpr int kBarHeight = 33;
constexpr int kKeyListWidth = 222;
constexpr int kSplitterWidth = 4;
constexpr int kStatusPanelWidth = 200;
constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 25;
constexpr int kEditTop = 6;
constexpr int kEditHeight = 21;

QPushButton* NewButton(const char* name, const QString& caption, int left, int width, QWidget* bar)
{
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, kButtonTop, width, kButtonHeight);
    return button;
}

}  // namespace

TdanForm::TdanForm(dravik::ui::AnalyzerHost host, dravik::ui::Dialogs& dialogs)
    : QWidget(nullptr), host_(std::move(host)), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("danForm"));
    setWindowTitle(QStringLiteral("DescAnlyzer"));
    createControls();
    FormCreate();
}

TdanForm::~TdanForm() = default;

void TdanForm::createControls()
{
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kBarHeight);
    Button1 = NewButton("Button1", tr("Open"), 7, 60, Panel1);
    Button2 = NewButton("Button2", tr("Section"), 70, 61, Panel1);
    Edit2 = new QLineEdit(Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(136, kEditTop, 65, kEditHeight);
    Button4 = NewButton("Button4", tr("Add"), 206, 61, Panel1);
    Button3 = NewButton("Button3", tr("Copy to Dravik2"), 269, 98, Panel1);
    connect(Button1, &QPushButton::clicked, this, &TdanForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TdanForm::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TdanForm::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TdanForm::Button3Click);

    keys_ = new dravik::ui::KeyListModel(host_.document.codePage(), this);
    CheckListBox1 = new QListView;
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setModel(keys_);
    // Thousands of entries lay out at once when every row has one height.
    CheckListBox1->setUniformItemSizes(true);

    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(CheckListBox1);
    Splitter1->addWidget(Memo1);
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    // The result text takes up any change of the window's size.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kKeyListWidth, kInitialWidth - kKeyListWidth - kSplitterWidth});

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel_ = new dravik::ui::StatusPanel(kStatusPanelWidth, false);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    StatusBar1->addWidget(statusPanel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(StatusBar1);
}

void TdanForm::FormCreate()
{
    setWindowTitle(QLatin1String(kCaption));
    resize(kInitialWidth, kInitialHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void TdanForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TdanForm::FormClose() { host_.closed(); }

const dravik::KeyList& TdanForm::keyList() const { return keys_->keyList(); }

QString TdanForm::statusPanelText() const { return statusPanel_->text(); }

void TdanForm::showEntryCount() { statusPanel_->setText(QString::number(keys_->keyList().size())); }

void TdanForm::Button1Click()
{
    const QStringList paths = dialogs_.openFiles(this, openDialog1_);
    if (!paths.isEmpty() && !gatherKeyEntries(paths))
        return;
    showEntryCount();
}

void TdanForm::listKeysOf(const QStringList& paths)
{
    if (gatherKeyEntries(paths))
        showEntryCount();
}

bool TdanForm::gatherKeyEntries(const QStringList& paths)
{
    dravik::KeyList gathered;
    std::optional<dravik::Message> failure;
    {
        dravik::ui::LongWork work(this, tr("Open"));
        const dravik::Progress progress = work.progress();
        const int total = static_cast<int>(paths.size());
        dravik::TextLines text;
        try {
            for (int i = 0; i < total; ++i) {
                dravik::SplitLinesInto(dravik::ReadFileOrThrow(NativeBytes(paths[i])), text);
                gathered.addLinesOf(text);
                progress(i + 1, total);
            }
        } catch (const std::exception& error) {
            failure = dravik::ui::FailureMessage(error);
        }
    }
    // Listed only now: the view is not laid out again for every file.
    keys_->setKeyList(std::move(gathered));
    if (!failure)
        return true;
    dravik::ui::ShowErrorBox(dialogs_, this, *failure);
    return false;
}

void TdanForm::Button2Click()
{
    const std::string box = dravik::ui::CellBytes(Edit2->text(), host_.document.codePage());
    appendLines({dravik::SectionHeaderFor(box)});
}

void TdanForm::Button4Click()
{
    appendLines(keys_->takeTicked());
    showEntryCount();
}

void TdanForm::Button3Click()
{
    dravik::DescDocument& document = host_.document;
    document.setVariablesText(dravik::ui::MemoLines(Memo1->toPlainText(), document.codePage()));
    host_.variablesDrafted();
}

void TdanForm::appendLines(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    dravik::TextLines added;
    added.lines = lines;
    added.finalBreak = true;
    QString text = dravik::ui::MemoText(added, host_.document.codePage());
    // Each line becomes a new last line: after a last line that has no break
    // yet, but without an empty line after one that has.
    QTextDocument* document = Memo1->document();
    if (!document->lastBlock().text().isEmpty())
        text.prepend(QLatin1Char('\n'));
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}
