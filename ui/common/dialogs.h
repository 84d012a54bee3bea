// The dialogs the main window asks the user with. The window talks to this
// interface only, so the tests can answer in its place.
#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace dravik::ui {

// A file filter in the "description|pattern|description|pattern" form.
struct FileDialogRequest {
    QString title;
    QString filter;
    QString defaultSuffix;  // without the dot
    bool multiple = true;   // several files may be chosen (open dialogs only)
};

// "Set selection": an expression typed once, with a preview of what it would
// do that follows the typing.
struct ExpressionRequest {
    QString title;
    QString help;  // the forms the text may take and the rounding rule
    struct Preview {
        QString text;
        bool valid = false;  // whether the text can be applied
    };
    std::function<Preview(const QString& expression)> preview;
};

// One page of "Review changes…": a caption for its tab, a sentence over
// the list, and the list.
struct ReviewPage {
    QString caption;
    QString summary;
    QString details;
};

// The conflicts of a patch: values that both the patch and the open mod
// changed, each answered Take the patch's or Keep mine.
struct ConflictRequest {
    struct Conflict {
        QString file;
        QString key;
        int value = 0;  // from 1
        QString base;
        QString mine;
        QString patch;
    };
    QString title;
    QString summary;
    QList<Conflict> conflicts;
};

// "Open folder": a folder and the names to take below it, with the count of
// matching files shown before anything is loaded.
struct FolderRequest {
    QString title;
    QString folder;   // where the dialog starts
    QString pattern;  // "*.*", "*.desc;*.txt"
    struct Count {
        QString text;
        bool any = false;  // whether there is something to open
    };
    std::function<Count(const QString& folder, const QString& pattern)> count;
};

struct FolderChoice {
    QString folder;  // absolute, with the system's separators
    QString pattern;
};

// New mod set: the base game's folder and the mods, each a folder of desc
// files or a patch file, in the order of loading (the last wins).
struct ModSetMod {
    bool patch = false;
    QString path;
    bool operator==(const ModSetMod&) const = default;
};

struct ModSetChoice {
    QString base;
    QList<ModSetMod> mods;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen files in the dialog's order; empty when cancelled.
    virtual QStringList openFiles(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    // The standard error box: error icon, OK.
    virtual void errorBox(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A plain message box: no icon, OK only.
    virtual void messageBox(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Titled "Confirm", with "&Yes" and "&No"; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // A question with buttons of the caller's; the index of the button
    // pressed, or -1 when the box was closed without one.
    virtual int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons) = 0;
    // The same with a check box under the text, unchecked at first ("Do not
    // ask again"); `checked` takes its state when a button was pressed.
    virtual int askWithCheckBox(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons,
                                const QString& checkBox, bool& checked)
    {
        static_cast<void>(checkBox);
        checked = false;
        return ask(parent, title, text, buttons);
    }
    // Shows long texts (lists of changes), each on a page of its own with
    // its summary above it, and two buttons; true for the first, `accept`.
    virtual bool review(QWidget* parent, const QString& title, const QList<ReviewPage>& pages, const QString& accept,
                        const QString& reject) = 0;
    // The folder of a base game (or of another mod) to compare with;
    // nothing when cancelled.
    virtual std::optional<QString> chooseBaseFolder(QWidget* parent, const QString& title) = 0;
    // For each conflict, in order, true to take the patch's value; nothing
    // when cancelled.
    virtual std::optional<QList<bool>> resolveConflicts(QWidget* parent, const ConflictRequest& request) = 0;
    // The expression the user applies; nothing when cancelled.
    virtual std::optional<QString> askExpression(QWidget* parent, const ExpressionRequest& request) = 0;
    // The folder and pattern the user opens; nothing when cancelled.
    virtual std::optional<FolderChoice> chooseFolder(QWidget* parent, const FolderRequest& request) = 0;
    // The base folder and the ordered mods of a new mod set, starting from
    // `initial`; nothing when cancelled.
    virtual std::optional<ModSetChoice> chooseModSet(QWidget* parent, const ModSetChoice& initial) = 0;
};

}  // namespace dravik::ui
