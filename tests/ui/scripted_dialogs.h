// Dialogs answered by the test: each question takes the next scripted answer
// of its kind and is recorded; a question with no answer left is cancelled
// and counted as unexpected.
#pragma once

#include "ui/common/dialogs.h"

#include <QList>
#include <QQueue>
#include <functional>

struct AskedFile {
    QString kind;  // "open" or "save"
    dravik::ui::FileDialogRequest request;
};

struct ShownError {
    QString caption;
    QString text;
};

struct Question {
    QString title;
    QString text;
    QStringList buttons;
    QString checkBox;  // of askWithCheckBox; empty for ask
};

struct Review {
    QString summary;  // of the first page
    QString details;
    QList<dravik::ui::ReviewPage> pages;
};

class ScriptedDialogs : public dravik::ui::Dialogs {
public:
    // Answers, taken in order. An empty list answers an open dialog with Cancel.
    QQueue<QStringList> openAnswers;
    QQueue<std::optional<QString>> saveAnswers;
    QQueue<std::optional<QFont>> fontAnswers;
    QQueue<bool> confirmAnswers;
    QQueue<int> askAnswers;      // the index of the button pressed
    QQueue<bool> checkAnswers;   // askWithCheckBox's box; unchecked when none is left
    QQueue<bool> reviewAnswers;  // true: the review's accept button
    QQueue<std::optional<QString>> expressionAnswers;
    QQueue<std::optional<QString>> baseFolderAnswers;
    // For each conflict, true for Take the patch's; nothing for Cancel.
    QQueue<std::optional<QList<bool>>> conflictAnswers;
    QQueue<std::optional<dravik::ui::FolderChoice>> folderAnswers;
    // New mod set: each answer is given the question's starting set and
    // returns the set chosen, or nothing for Cancel.
    QQueue<std::function<std::optional<dravik::ui::ModSetChoice>(const dravik::ui::ModSetChoice&)>> modSetAnswers;
    // Runs while a question is open, before it is answered: what another
    // program does meanwhile.
    std::function<void(const Question&)> whileAsked;

    QList<AskedFile> askedFiles;
    QList<ShownError> errors;
    QList<ShownError> messages;  // plain message boxes
    QStringList confirmations;
    QList<Question> questions;  // of ask()
    QList<Review> reviews;
    // The help of each expression question, and the preview of each answer.
    QStringList expressionHelps;
    QStringList expressionPreviews;
    QStringList baseFolderTitles;
    QList<dravik::ui::ConflictRequest> conflictRequests;
    // Each folder question, and the count it showed for the answer given.
    QList<dravik::ui::FolderRequest> folderRequests;
    QStringList folderCounts;
    int unexpected = 0;

    QStringList openFiles(QWidget* parent, const dravik::ui::FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const dravik::ui::FileDialogRequest& request) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    void errorBox(QWidget* parent, const QString& caption, const QString& text) override;
    void messageBox(QWidget* parent, const QString& caption, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons) override;
    int askWithCheckBox(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons,
                        const QString& checkBox, bool& checked) override;
    bool review(QWidget* parent, const QString& title, const QList<dravik::ui::ReviewPage>& pages,
                const QString& accept, const QString& reject) override;
    std::optional<QString> chooseBaseFolder(QWidget* parent, const QString& title) override;
    std::optional<QList<bool>> resolveConflicts(QWidget* parent, const dravik::ui::ConflictRequest& request) override;
    std::optional<QString> askExpression(QWidget* parent, const dravik::ui::ExpressionRequest& request) override;
    std::optional<dravik::ui::ModSetChoice> chooseModSet(QWidget* parent, const dravik::ui::ModSetChoice& initial) override;
    std::optional<dravik::ui::FolderChoice> chooseFolder(QWidget* parent,
                                                         const dravik::ui::FolderRequest& request) override;
};
