#include "ui/about_unit.h"

#include "ui/common/string_table.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using dravik::ui::LoadResourceString;
using dravik::ui::StringId;

namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 153;
constexpr int kTickMs = 1000;
constexpr int kShowLabelsAt = 2;
constexpr int kHideLabelsAt = 5;
constexpr int kCloseAt = 6;

const char* const kComment = QT_TRANSLATE_NOOP("TAboutBox", "Bulk editor of SuddenStrike desc files");

QFont CourierNew()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

// The picture lives in a static library, whose resources are registered only
// when asked for by name.
static void RegisterAboutResources() { Q_INIT_RESOURCE(resources); }

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    RegisterAboutResources();
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About program"));
    setFont(CourierNew());
    setFixedSize(kClientWidth, kClientHeight);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/dravik/title.jpg")));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);
    QPalette menuBar = Panel1->palette();
    menuBar.setColor(QPalette::Window, menuBar.color(QPalette::Button));
    Panel1->setPalette(menuBar);
    Panel1->hide();

    auto label = [this](const char* name, int left, int top) {
        auto* l = new QLabel(Panel1);
        l->setObjectName(QLatin1String(name));
        l->move(left, top);
        return l;
    };
    ProductName = label("ProductName", 8, 8);
    Version = label("Version", 8, 32);
    Version->setWordWrap(true);
    Comments = label("Comments", 8, 56);
    Comments->setWordWrap(true);
    Comments->setFixedSize(281, 33);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(116, 116, 75, 25);
    OKButton->setDefault(true);
    OKButton->raise();
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TAboutBox::Timer1Timer);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
    Timer1->start();
}

void TAboutBox::FormCreate()
{
    ProductName->setText(LoadResourceString(StringId::Name) + QStringLiteral(":Dravik2"));
    ProductName->adjustSize();
    Version->setText(LoadResourceString(StringId::Version) + QStringLiteral(":1.3"));
    Version->adjustSize();
    Comments->setText(LoadResourceString(StringId::Comment) + QStringLiteral(":  \"") + tr(kComment) +
                      QLatin1Char('"'));
    tickCount_ = 0;
}

void TAboutBox::Timer1Timer()
{
    ++tickCount_;
    if (tickCount_ == kShowLabelsAt)
        Panel1->show();
    else if (tickCount_ == kHideLabelsAt)
        Panel1->hide();
    else if (tickCount_ == kCloseAt)
        close();
}

void TAboutBox::OKButtonClick() { close(); }
