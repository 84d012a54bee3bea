// Texts that follow the language: a window, a panel or a group of menu
// items shows its texts when it is made and again whenever the language
// changes (Settings > Language), without being made anew.
#pragma once

#include <QString>
#include <functional>

class QLabel;
class QObject;
class QWidget;

namespace dravik::ui {

// Runs `show` now, and again whenever `watched` hears that the language
// changed, for as long as `owner` lives.
void ShowTranslated(QWidget* watched, QObject* owner, std::function<void()> show);

// A label's text made by `text`, now and after every change of language:
// a status that reports a command keeps reporting it in the new language.
// Replaces the label's earlier live text.
void SetLiveText(QLabel* label, std::function<QString()> text);

}  // namespace dravik::ui
