// The desc analyzer: lists the key entries of a set of desc files and helps
// the user compose a variables text from them, which it then hands to the
// main window. The entries and their order are the core's (KeyList); the
// window shows them and keeps them as bytes.
#pragma once

#include "ui/common/dialogs.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;

namespace dravik {
class DescDocument;
class KeyList;
}

namespace dravik::ui {
class KeyListModel;

// What the analyzer needs of the window that opens it.
struct AnalyzerHost {
    dravik::DescDocument& document;
    // "Copy to Dravik2" replaced the document's variables text.
    std::function<void()> variablesDrafted;
    // The analyzer's window was closed.
    std::function<void()> closed;
};
}  // namespace dravik::ui

class TdanForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window of its own: the main window hides while it is open,
    // and an owned window would lose its task bar button with it.
    TdanForm(dravik::ui::AnalyzerHost host, dravik::ui::Dialogs& dialogs);
    ~TdanForm() override;

    const dravik::KeyList& keyList() const;
    dravik::ui::KeyListModel* keyListModel() const { return keys_; }
    QString statusPanelText() const;
    // Lists the key entries of these files, as Open does with the files chosen.
    void listKeysOf(const QStringList& paths);

    QWidget* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button3 = nullptr;
    QListView* CheckListBox1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public slots:
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button3Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void FormCreate();
    void FormClose();

    // False when a file could not be read; the entries of the files and
    // lines before it are listed all the same.
    bool gatherKeyEntries(const QStringList& paths);
    void appendLines(const std::vector<std::string>& lines);
    void showEntryCount();

    dravik::ui::AnalyzerHost host_;
    dravik::ui::Dialogs& dialogs_;
    dravik::ui::KeyListModel* keys_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    // No title and no filter: every file may be a desc file.
    dravik::ui::FileDialogRequest openDialog1_;
};
