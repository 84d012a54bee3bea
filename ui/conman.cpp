#include "ui/conman.h"

#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/files/settings_file.h"
#include "tools/process_runner.h"
#include "ui/common/application_title.h"
#include "ui/common/child_wait.h"
#include "ui/common/display_text.h"
#include "ui/common/error_box.h"
#include "ui/common/status_panels.h"
#include "ui/conman_system.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using conman::DriveDirectory;
using conman::DriveRoots;
using conman::MakeCurrent;
using conman::SameRoot;
using dravik::ui::NativeBytes;
using dravik::ui::NativeText;

namespace conman {

std::string UnpackArguments(const std::string& archiveName)
{
    return archiveName + " __" + archiveName + dravik::kPathSeparator;
}

std::string PackArguments(const std::string& packName)
{
    const std::string archiveName = packName.size() > 2 ? packName.substr(2) : std::string();
    return archiveName + " " + packName + dravik::kPathSeparator;
}

}  // namespace conman

namespace {

const char* const kCaption = "CONMANager Dravik 2 v1.3 beta";
constexpr int kWidth = 682;
constexpr int kHeight = 486;
constexpr int kBorderWidth = 3;
constexpr int kPanel2Width = 373;
constexpr int kPanel1Height = 64;
constexpr int kSplitterWidth = 5;
constexpr int kStatusBarHeight = 25;
constexpr int kItemHeight = 16;
constexpr int kIndentPerLevel = 8;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole;

// Bytes as the tools and the settings file see a path: native separators.
std::string PathBytes(const QString& path) { return NativeBytes(QDir::toNativeSeparators(path)); }

// Draws each folder indented by its depth, as a tree without lines.
class IndentedFolders : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(indent(index), 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width() + indent(index), kItemHeight};
    }

private:
    static int indent(const QModelIndex& index) { return index.data(kDepthRole).toInt() * kIndentPerLevel; }
};

QSplitter* NewSplitter(const char* name, Qt::Orientation orientation)
{
    auto* splitter = new QSplitter(orientation);
    splitter->setObjectName(QLatin1String(name));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);
    return splitter;
}

void DarkenHandle(QSplitter* splitter)
{
    QWidget* handle = splitter->handle(1);
    QPalette shadow = handle->palette();
    shadow.setColor(QPalette::Window, shadow.color(QPalette::Shadow));
    handle->setPalette(shadow);
    handle->setAutoFillBackground(true);
}

QPushButton* NewButton(const char* name, const QString& caption, const QRect& place, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    return button;
}

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new IndentedFolders(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit folderOpened(folderOf(item)); });
}

QString DirectoryListBox::folderOf(const QListWidgetItem* item) { return item->data(kFolderRole).toString(); }

void DirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit folderOpened(folderOf(currentItem()));
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirectoryListBox::showDirectory(const QString& directory)
{
    directory_ = QDir::cleanPath(directory);
    clear();

    // From the root down to the directory itself.
    QStringList ancestors;
    for (QDir dir(directory_);;) {
        ancestors.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QString& folder, const QString& text, const QIcon& icon, int depth) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(kFolderRole, folder);
        item->setData(kDepthRole, depth);
        return item;
    };
    QListWidgetItem* current = nullptr;
    for (int depth = 0; depth < ancestors.size(); ++depth) {
        const QString& folder = ancestors[depth];
        const QString text = depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
        current = add(folder, text, open, depth);
    }
    const QDir dir(directory_);
    for (const QString& child : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(dir.absoluteFilePath(child), child, closed, static_cast<int>(ancestors.size()));
    setCurrentItem(current);
}

TFormCM::TFormCM(std::string settingsPath, dravik::ui::Dialogs& dialogs, QAction* quickPack, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window),
      settingsPath_(std::move(settingsPath)),
      dialogs_(dialogs),
      quickPack_(quickPack),
      mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("FormCM"));
    setWindowTitle(QStringLiteral("ConsoleManager"));
    createControls();
    FormCreate();
}

void TFormCM::createControls()
{
    createToolPanel();
    createFolderPanel();

    Memo2 = new QPlainTextEdit;
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // One empty line, which the tools' output then follows.
    Memo2->setPlainText(QStringLiteral("\n"));

    Splitter1 = NewSplitter("Splitter1", Qt::Horizontal);
    Splitter1->addWidget(Panel2);
    Splitter1->addWidget(Memo2);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    DarkenHandle(Splitter1);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->setSizeGripEnabled(false);
    dravik::ui::AddStatusPanels(StatusBar1, statusPanels_, {250, 50});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    layout->setSpacing(0);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(StatusBar1);

    resize(kWidth, kHeight);
    Splitter1->setSizes({kPanel2Width, kWidth - 2 * kBorderWidth - kPanel2Width - kSplitterWidth});
    Splitter2->setSizes({kPanel1Height, kHeight - 2 * kBorderWidth - kStatusBarHeight - kPanel1Height - kSplitterWidth});

    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, DriveComboBox1);
    QWidget::setTabOrder(DriveComboBox1, Button3);
    QWidget::setTabOrder(Button3, Button4);
    QWidget::setTabOrder(Button4, DirectoryListBox1);
    QWidget::setTabOrder(DirectoryListBox1, Memo2);

    if (const QScreen* desktop = screen()) {
        const QRect area = desktop->availableGeometry();
        move(area.topLeft() + QPoint((area.width() - kWidth) / 2, (area.height() - kHeight) / 2));
    }
}

void TFormCM::createToolPanel()
{
    Panel1 = new QFrame;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setMinimumHeight(1);

    DriveComboBox1 = new QComboBox(Panel1);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    // It must leave room for the two tool buttons below it.
    DriveComboBox1->setGeometry(8, 8, 145, std::min(DriveComboBox1->sizeHint().height(), 24));
    for (const QString& root : DriveRoots())
        DriveComboBox1->addItem(QDir::toNativeSeparators(root), root);
    connect(DriveComboBox1, &QComboBox::activated, this, &TFormCM::DriveComboBox1Change);

    Button1 = NewButton("Button1", tr("Unpack"), {160, 8, 75, 41}, Panel1);
    Button2 = NewButton("Button2", tr("Pack"), {240, 8, 81, 41}, Panel1);
    Button4 = NewButton("Button4", QStringLiteral("UNSUE"), {16, 32, 50, 25}, Panel1);
    Button3 = NewButton("Button3", QStringLiteral("SUE"), {80, 32, 50, 25}, Panel1);
    connect(Button1, &QPushButton::clicked, this, &TFormCM::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormCM::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFormCM::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TFormCM::Button4Click);
}

void TFormCM::createFolderPanel()
{
    DirectoryListBox1 = new DirectoryListBox;
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    QPalette light = DirectoryListBox1->palette();
    light.setColor(QPalette::Base, light.color(QPalette::Light));
    DirectoryListBox1->setPalette(light);
    connect(DirectoryListBox1, &DirectoryListBox::folderOpened, this, &TFormCM::openFolder);

    Splitter2 = NewSplitter("Splitter2", Qt::Vertical);
    Splitter2->addWidget(Panel1);
    Splitter2->addWidget(DirectoryListBox1);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    DarkenHandle(Splitter2);

    Panel2 = new QFrame;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* panel2Layout = new QVBoxLayout(Panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    panel2Layout->addWidget(Splitter2);
}

void TFormCM::FormCreate()
{
    setWindowTitle(QLatin1String(kCaption));

    const dravik::SettingsFile ini(settingsPath_);
    conman::SUEPath = ini.readString("Path", "SUEPath", conman::kDefaultPath);
    conman::UNSUEPath = ini.readString("Path", "UNSUEPath", conman::kDefaultPath);
    conman::PackPath = ini.readString("Path", "PackPath", conman::kDefaultPath);

    // A pack folder that has gone opens the window where the program is.
    if (!openFolder(NativeText(conman::PackPath))) {
        DirectoryListBox1->showDirectory(QDir::currentPath());
        showDriveOf(DirectoryListBox1->directory());
    }
}

void TFormCM::closeEvent(QCloseEvent* event)
{
    FormClose();
    // Hidden, not destroyed: QuickPack still packs with this window.
    event->accept();
}

void TFormCM::FormClose()
{
    dravik::SettingsFile ini(settingsPath_);
    const bool written = ini.writeString("Path", "SUEPath", conman::SUEPath) &&
                         ini.writeString("Path", "UNSUEPath", conman::UNSUEPath) &&
                         ini.writeString("Path", "PackPath", conman::PackPath);
    if (!written)
        showError(dravik::UnableToWriteMessage(settingsPath_));
    if (mainWindow_)
        mainWindow_->show();
}

bool TFormCM::openFolder(const QString& folder)
{
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(QDir::fromNativeSeparators(folder)));
    if (const int error = MakeCurrent(absolute)) {
        showError(dravik::CannotOpenFolderMessage(PathBytes(absolute), dravik::SystemErrorText(error)));
        return false;
    }
    DirectoryListBox1->showDirectory(absolute);
    showDriveOf(absolute);
    return true;
}

void TFormCM::showDriveOf(const QString& directory)
{
    const QString root = QStorageInfo(directory).rootPath();
    for (int i = 0; i < DriveComboBox1->count(); ++i) {
        if (SameRoot(DriveComboBox1->itemData(i).toString(), root)) {
            DriveComboBox1->setCurrentIndex(i);
            return;
        }
    }
    DriveComboBox1->setCurrentIndex(-1);
}

void TFormCM::DriveComboBox1Change(int index)
{
    if (!openFolder(DriveDirectory(DriveComboBox1->itemData(index).toString())))
        showDriveOf(DirectoryListBox1->directory());
}

QString TFormCM::statusPanelText(int panel) const { return statusPanels_.at(static_cast<size_t>(panel))->text(); }

std::optional<std::string> TFormCM::askFile(const QString& title)
{
    dravik::ui::FileDialogRequest request;
    request.title = title;
    request.multiple = false;
    const QStringList files = dialogs_.openFiles(this, request);
    if (files.isEmpty())
        return std::nullopt;
    // The tools rely on the dialog leaving the chosen file's folder current.
    QDir::setCurrent(QFileInfo(files.first()).absolutePath());
    return PathBytes(QFileInfo(files.first()).absoluteFilePath());
}

void TFormCM::Button3Click()
{
    if (const auto path = askFile(tr("Path to sue.exe")))
        conman::SUEPath = *path;
}

void TFormCM::Button4Click()
{
    if (const auto path = askFile(tr("Path to unsue.exe")))
        conman::UNSUEPath = *path;
}

void TFormCM::Button1Click()
{
    const auto archive = askFile(tr("Path to .sue archive"));
    if (!archive)
        return;
    const std::string arguments = conman::UnpackArguments(dravik::NameOfFile(*archive));
    if (runTool(dravik::PathOfFile(*archive), conman::UNSUEPath, arguments))
        statusPanels_[0]->setText(NativeText(*archive));
}

void TFormCM::Button2Click()
{
    conman::PackPath = PathBytes(DirectoryListBox1->directory());
    conman::PackName = dravik::NameOfFile(conman::PackPath);
    statusPanels_[0]->setText(NativeText(conman::PackName));
    const std::string arguments = conman::PackArguments(conman::PackName);
    statusPanels_[1]->setText(NativeText(arguments));
    // The folder is named without its path, so the tool runs where it lies.
    if (runTool(dravik::PathOfFile(conman::PackPath), conman::SUEPath, arguments) && quickPack_)
        quickPack_->setEnabled(true);
}

bool TFormCM::runTool(const std::string& directory, const std::string& program, const std::string& arguments)
{
    std::vector<std::string> lines;
    std::optional<std::pair<dravik::Message, dravik::Message>> message;
    std::optional<dravik::Message> failure;
    {
        const dravik::ui::ChildWait wait(program);
        try {
            dravik::RunCaptured(lines, directory, program, arguments,
                                [&message](const dravik::Message& caption, const dravik::Message& text) {
                                    message.emplace(caption, text);
                                });
        } catch (const std::exception& error) {
            failure = dravik::ui::FailureMessage(error);
        }
    }
    // The boxes come once the wait is over, under the usual cursor.
    if (message)
        dialogs_.messageBox(this, dravik::ui::MessageText(message->first), dravik::ui::MessageText(message->second));
    if (failure) {
        showError(*failure);
        return false;
    }
    appendToMemo(lines);
    // The newest output is what the user ran the tool for.
    QScrollBar* bar = Memo2->verticalScrollBar();
    bar->setValue(bar->maximum());
    return true;
}

void TFormCM::appendToMemo(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    // Each line goes in as a line of its own, like an added memo line: behind
    // a final line break, or after a new one when the user removed it.
    QTextCursor cursor(Memo2->document());
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    for (const std::string& line : lines) {
        const QString text = dravik::ui::MemoText({{line}, false}, dravik::CodePage::Default());
        if (Memo2->document()->isEmpty() || Memo2->document()->lastBlock().text().isEmpty())
            cursor.insertText(text + QLatin1Char('\n'));
        else
            cursor.insertText(QLatin1Char('\n') + text);
    }
    cursor.endEditBlock();
}

void TFormCM::showError(const dravik::Message& message)
{
    dravik::ui::ShowErrorBox(dialogs_, this, message);
}
