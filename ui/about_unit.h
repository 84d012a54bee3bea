// The About box: the title picture, then for a few seconds the program's
// name, version and a comment over it, then closed. Each box is its own
// window with its own sequence; none blocks the main window.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    int tickCount() const { return tickCount_; }

    QLabel* Image1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void Timer1Timer();
    void OKButtonClick();

private:
    void FormCreate();

    int tickCount_ = 0;
};
