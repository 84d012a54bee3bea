// The About box: its picture, labels and the timed sequence, driven tick by
// tick instead of by the clock.
#include "layout_checks.h"
#include "scripted_dialogs.h"
#include "test_folder.h"
#include "ui/about_unit.h"
#include "ui/main_unit.h"
#include "window_parts.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void layoutAndTexts()
    {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About program"));
        QCOMPARE(box.size(), QSize(292, 153));
        QVERIFY(!box.isModal());
        QCOMPARE(box.ProductName->text(), QStringLiteral("Название:Dravik2"));
        QCOMPARE(box.Version->text(), QStringLiteral("Версия:1.3"));
        QVERIFY(box.Comments->text().startsWith(QStringLiteral("Комментарий:  \"")));
        QVERIFY(box.Comments->text().endsWith('"'));
        // The three lines read from the top down, the OK button below them.
        const QString problem = LayoutProblem({box.ProductName, box.Version, box.Comments, box.OKButton});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(box.ProductName->geometry().bottom() < box.Version->y());
        QVERIFY(box.Version->geometry().bottom() < box.Comments->y());
        QVERIFY(PlaceInWindow(box.Comments).bottom() < box.OKButton->y());
        QVERIFY(box.OKButton->isDefault());
        QCOMPARE(box.Timer1->interval(), 1000);
        QVERIFY(box.Timer1->isActive());
        QCOMPARE(box.tickCount(), 0);
    }

    void titlePictureIsTheCompiledInJpeg()
    {
        const QImage picture(QStringLiteral(":/dravik/title.jpg"));
        QVERIFY2(!picture.isNull(), "the JPEG resource did not decode");
        QCOMPARE(picture.size(), QSize(300, 160));
        TAboutBox box;
        QVERIFY(!box.Image1->pixmap().isNull());
        QVERIFY(box.Image1->hasScaledContents());
        QCOMPARE(box.Image1->geometry(), box.rect());
    }

    void theOkButtonLeavesThePicturesLinesFree()
    {
        TAboutBox box;
        // The picture as the box stretches it over its client area.
        const QImage shown = QImage(QStringLiteral(":/dravik/title.jpg"))
                                 .scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // The lettering is pale; the ground, its stripes and the gold corner are not.
        auto pale = [&](const QRect& area) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QColor c = shown.pixelColor(x, y);
                    count += std::min({c.red(), c.green(), c.blue()}) >= 160 ? 1 : 0;
                }
            return count;
        };
        QVERIFY(pale(shown.rect()) > 300);
        QCOMPARE(pale(box.OKButton->geometry()), 0);
    }

    void theProgramsIconIsCompiledIn()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        TMainForm window(folder.path("dravik2.INI"), dialogs);
        const QIcon icon = window.windowIcon();
        for (int size : {16, 32, 48, 256})
            QCOMPARE(icon.pixmap(size).size(), QSize(size, size));
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
    }

    void timedSequence()
    {
        QPointer<TAboutBox> box = new TAboutBox;
        box->show();
        const bool labelsShown[] = {false, false, true, true, true, false};
        for (int tick = 1; tick <= 5; ++tick) {
            box->Timer1Timer();
            QCOMPARE(box->tickCount(), tick);
            QCOMPARE(box->Panel1->isVisible(), labelsShown[tick]);
            QVERIFY(box->isVisible());
        }
        box->Timer1Timer();
        QVERIFY(!box->isVisible());
        FlushDeletes();
        QVERIFY(box.isNull());
    }

    void okAndEnterCloseAtOnce()
    {
        QPointer<TAboutBox> clicked = new TAboutBox;
        clicked->show();
        clicked->Timer1Timer();
        clicked->Timer1Timer();
        QVERIFY(clicked->Panel1->isVisible());
        QTest::mouseClick(clicked->OKButton, Qt::LeftButton);
        QVERIFY(!clicked->isVisible());
        FlushDeletes();
        QVERIFY(clicked.isNull());

        QPointer<TAboutBox> entered = new TAboutBox;
        entered->show();
        QTest::keyClick(entered, Qt::Key_Return);
        QVERIFY(!entered->isVisible());
        FlushDeletes();
        QVERIFY(entered.isNull());
    }

    void severalBoxesFromTheMainWindow()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        TMainForm window(folder.path("dravik2.INI"), dialogs);
        window.show();
        Action(window, "N12")->trigger();
        Action(window, "N12")->trigger();
        QList<TAboutBox*> boxes = window.findChildren<TAboutBox*>();
        QCOMPARE(boxes.size(), 2);
        for (TAboutBox* box : boxes) {
            QVERIFY(box->isVisible());
            QVERIFY(!box->isModal());
        }
        QCOMPARE(boxes[0]->pos(), boxes[1]->pos());
        QVERIFY(!QApplication::activeModalWidget());

        // Each runs its own sequence; OK closes only its own box.
        boxes[1]->Timer1Timer();
        QCOMPARE(boxes[0]->tickCount(), 0);
        QTest::mouseClick(boxes[0]->OKButton, Qt::LeftButton);
        QVERIFY(!boxes[0]->isVisible());
        QVERIFY(boxes[1]->isVisible());
        FlushDeletes();
        QCOMPARE(window.findChildren<TAboutBox*>().size(), 1);
        QVERIFY(window.isEnabled());
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
