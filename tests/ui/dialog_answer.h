// Answers the next modal dialog from inside its own event loop, as the user
// would, and makes sure the dialog ends whatever happens: a dialog of
// another kind and a dialog the answer left open (a failed QVERIFY returns
// from the answer early) are closed at once, and so is any modal dialog still
// open when the helper goes. Each failure is recorded for the test to check
// once the dialog has returned; a dialog that never comes is one too. A test
// that goes wrong thus fails instead of waiting for ever.
#pragma once

#include <QDeadlineTimer>
#include <QDialog>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class DialogAnswer : public QObject {
public:
    // How long the helper looks for the dialog before it gives up; only a
    // broken test waits it out.
    static constexpr int kDeadlineMs = 10000;

    DialogAnswer();
    ~DialogAnswer() override;

    // The next modal dialog must be a `Dialog`; `answer` runs once it is
    // shown and must close it.
    template <class Dialog>
    void next(const std::function<void(Dialog*)>& answer)
    {
        expect(Dialog::staticMetaObject.className(), [answer](QDialog* dialog) {
            answer(qobject_cast<Dialog*>(dialog));
        });
    }

    // Everything that went wrong so far, and the answer still waiting for
    // its dialog.
    QStringList failures() const;

private:
    void expect(const char* kind, std::function<void(QDialog*)> answer);
    void look();

    QTimer poll_;
    QDeadlineTimer deadline_;
    QString kind_;
    std::function<void(QDialog*)> answer_;
    QStringList failures_;
};
