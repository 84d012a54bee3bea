#include "scripted_dialogs.h"

QStringList ScriptedDialogs::openFiles(QWidget*, const dravik::ui::FileDialogRequest& request)
{
    askedFiles.append({QStringLiteral("open"), request});
    if (openAnswers.isEmpty()) {
        ++unexpected;
        return {};
    }
    return openAnswers.dequeue();
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const dravik::ui::FileDialogRequest& request)
{
    askedFiles.append({QStringLiteral("save"), request});
    if (saveAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return saveAnswers.dequeue();
}

std::optional<QFont> ScriptedDialogs::chooseFont(QWidget*, const QFont&)
{
    if (fontAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return fontAnswers.dequeue();
}

void ScriptedDialogs::errorBox(QWidget*, const QString& caption, const QString& text)
{
    errors.append({caption, text});
}

void ScriptedDialogs::messageBox(QWidget*, const QString& caption, const QString& text)
{
    messages.append({caption, text});
}

bool ScriptedDialogs::confirm(QWidget*, const QString& text)
{
    confirmations.append(text);
    if (confirmAnswers.isEmpty()) {
        ++unexpected;
        return false;
    }
    return confirmAnswers.dequeue();
}

int ScriptedDialogs::ask(QWidget*, const QString& title, const QString& text, const QStringList& buttons)
{
    questions.append({title, text, buttons});
    if (whileAsked)
        whileAsked(questions.last());
    if (askAnswers.isEmpty()) {
        ++unexpected;
        return static_cast<int>(buttons.size()) - 1;  // the button that changes nothing
    }
    return askAnswers.dequeue();
}

int ScriptedDialogs::askWithCheckBox(QWidget* parent, const QString& title, const QString& text,
                                     const QStringList& buttons, const QString& checkBox, bool& checked)
{
    const int answer = ask(parent, title, text, buttons);
    questions.last().checkBox = checkBox;
    checked = !checkAnswers.isEmpty() && checkAnswers.dequeue();
    return answer;
}

bool ScriptedDialogs::review(QWidget*, const QString&, const QList<dravik::ui::ReviewPage>& pages, const QString&,
                             const QString&)
{
    reviews.append({pages.value(0).summary, pages.value(0).details, pages});
    if (reviewAnswers.isEmpty()) {
        ++unexpected;
        return false;
    }
    return reviewAnswers.dequeue();
}

std::optional<QString> ScriptedDialogs::askExpression(QWidget*, const dravik::ui::ExpressionRequest& request)
{
    expressionHelps.append(request.help);
    if (expressionAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    const std::optional<QString> answer = expressionAnswers.dequeue();
    if (answer) {
        // As the user saw it before applying: an answer that cannot be
        // applied is cancelled, as the dialog's Apply would be disabled.
        const auto preview = request.preview(*answer);
        expressionPreviews.append(preview.text);
        if (!preview.valid)
            return std::nullopt;
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::chooseBaseFolder(QWidget*, const QString& title)
{
    baseFolderTitles.append(title);
    if (baseFolderAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return baseFolderAnswers.dequeue();
}

std::optional<QList<bool>> ScriptedDialogs::resolveConflicts(QWidget*, const dravik::ui::ConflictRequest& request)
{
    conflictRequests.append(request);
    if (conflictAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return conflictAnswers.dequeue();
}

std::optional<dravik::ui::ModSetChoice> ScriptedDialogs::chooseModSet(QWidget*, const dravik::ui::ModSetChoice& initial)
{
    if (modSetAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return modSetAnswers.dequeue()(initial);
}

std::optional<dravik::ui::FolderChoice> ScriptedDialogs::chooseFolder(QWidget*, const dravik::ui::FolderRequest& request)
{
    folderRequests.append(request);
    if (folderAnswers.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    const std::optional<dravik::ui::FolderChoice> answer = folderAnswers.dequeue();
    if (answer) {
        // As the dialog shows it: with nothing to open, Open does nothing.
        const auto count = request.count(answer->folder, answer->pattern);
        folderCounts.append(count.text);
        if (!count.any)
            return std::nullopt;
    }
    return answer;
}
