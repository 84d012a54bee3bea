#include "ui/files/folder_actions.h"

#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"
#include "ui/common/error_box.h"
#include "ui/common/recent_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>
#include <utility>

namespace dravik::ui {

namespace {

const char* const kSection = "Folders";
// How many folders a message names before it only counts the rest.
constexpr int kNamedFolders = 8;
// More files and folders than any mod has: a folder above that (a whole
// disk, chosen by mistake) is refused rather than walked while the user waits.
constexpr size_t kMostEntries = 300000;

std::string Numbered(const char* key, int n) { return key + std::to_string(n); }

QString Named(const QStringList& names)
{
    QString text = names.mid(0, kNamedFolders).join(QLatin1Char('\n'));
    if (names.size() > kNamedFolders)
        text += QLatin1Char('\n') + QObject::tr("and %1 more").arg(names.size() - kNamedFolders);
    return text;
}

QString MatchCount(size_t files)
{
    return QObject::tr("%n file below this folder matches.", "%n files below this folder match.",
                       static_cast<int>(files));
}

}  // namespace

FolderActions::FolderActions(const FolderHost& host, QMenu* fileMenu, QAction* before)
    : QObject(fileMenu), host_(host), pattern_(kEveryName)
{
    openFolder_ = new QAction(tr("Open &folder\u2026"), fileMenu);
    openFolder_->setObjectName(QStringLiteral("OpenFolder"));
    openFolder_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    openFolder_->setShortcutContext(Qt::WindowShortcut);
    connect(openFolder_, &QAction::triggered, this, &FolderActions::chooseFolder);
    fileMenu->insertAction(before, openFolder_);

    recent_ = new QMenu(tr("Recent fol&ders"), fileMenu);
    recent_->setObjectName(QStringLiteral("RecentFolders"));
    AddRecentItems(recent_, QStringLiteral("RecentFolder"), kRecentCount, this, [this](int i) { openRecent(i); });
    fileMenu->insertMenu(before, recent_);
    showRecent();
}

FolderRequest::Count FolderActions::count(const QString& folder, const QString& pattern) const
{
    if (folder.trimmed().isEmpty())
        return {tr("Choose the folder to open."), false};
    try {
        const FolderListing listing =
            ListFolder(NativeBytes(folder), NamePattern(NativeBytes(pattern)), CodePage::Default(), kMostEntries);
        if (listing.files.empty())
            return {tr("No file below this folder matches \"%1\".").arg(pattern), false};
        QString text = MatchCount(listing.files.size());
        if (!listing.unreadableFolders.empty())
            text += QLatin1Char('\n') + MessageText(listing.unreadableMessage());
        return {text, true};
    } catch (const std::exception& error) {
        return {MessageText(FailureMessage(error)), false};
    }
}

void FolderActions::chooseFolder()
{
    FolderRequest request;
    request.title = tr("Open folder");
    // Where the user last was: the last folder opened, else the open files' own.
    if (!recentFolders_.empty())
        request.folder = NativeText(recentFolders_.front().folder);
    else if (!host_.openedRoot().empty())
        request.folder = NativeText(host_.openedRoot());
    else
        request.folder = QDir::toNativeSeparators(QDir::currentPath());
    request.pattern = NativeText(pattern_);
    request.count = [this](const QString& folder, const QString& pattern) { return count(folder, pattern); };
    const std::optional<FolderChoice> choice = host_.dialogs.chooseFolder(host_.window, request);
    if (!choice)
        return;
    pattern_ = choice->pattern.trimmed().isEmpty() ? std::string(kEveryName) : NativeBytes(choice->pattern);
    openPaths({choice->folder}, pattern_);
}

bool FolderActions::list(const QStringList& paths, const std::string& pattern, Listed& listed)
{
    std::vector<std::string> items;
    for (const QString& path : paths)
        items.push_back(NativeBytes(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    const NamePattern names(pattern);
    int folders = 0;
    try {
        for (const std::string& item : items) {
            if (!IsFolder(item)) {
                listed.files.push_back(item);
                continue;
            }
            ++folders;
            FolderListing listing = ListFolder(item, names, CodePage::Default(), kMostEntries);
            listed.files.insert(listed.files.end(), listing.files.begin(), listing.files.end());
            for (const FolderListing::Unreadable& below : listing.unreadableFolders)
                listed.unreadable << NativeText(below.folder);
        }
    } catch (const std::exception& error) {
        ShowErrorBox(host_.dialogs, host_.window, FailureMessage(error));
        return false;
    }
    if (listed.files.empty()) {
        const QString text = folders == 1 ? tr("No file below %1 matches \"%2\".").arg(NativeText(items.front()))
                                          : tr("No file below these %1 folders matches \"%2\".").arg(folders);
        host_.dialogs.messageBox(host_.window, ApplicationTitle(), text.arg(NativeText(pattern)));
        return false;
    }
    listed.oneFolder = items.size() == 1 && folders == 1;
    listed.root = listed.oneFolder ? items.front() : CommonFolder(items);
    // Several things dropped at once come in no order of their own.
    if (items.size() > 1) {
        SortInPathOrder(listed.files);
        listed.files.erase(std::unique(listed.files.begin(), listed.files.end()), listed.files.end());
    }
    return true;
}

void FolderActions::load(const Listed& listed, const std::string& pattern)
{
    if (!host_.load(listed.files, listed.root))
        return;
    if (!listed.unreadable.isEmpty())
        host_.dialogs.messageBox(host_.window, ApplicationTitle(),
                                 tr("%1 could not be read; the files in them were not opened:")
                                         .arg(listed.unreadable.size() == 1
                                                  ? tr("1 folder")
                                                  : tr("%1 folders").arg(listed.unreadable.size())) +
                                     QLatin1Char('\n') + Named(listed.unreadable));
    if (listed.oneFolder)
        remember(listed.root, pattern);
}

void FolderActions::openPaths(const QStringList& paths, const std::string& pattern)
{
    Listed listed;
    if (paths.isEmpty() || !list(paths, pattern, listed) || !host_.mayDropEdits())
        return;
    load(listed, pattern);
}

void FolderActions::openCommandLine(const QStringList& paths)
{
    // Without a schema the tables would hold nothing but paths.
    const std::string variables = host_.variablesPath();
    if (QFileInfo(NativeText(variables)).isFile())
        host_.openVariables(variables);
    openPaths(paths);
}

void FolderActions::openRecent(int index)
{
    if (index < 0 || index >= static_cast<int>(recentFolders_.size()))
        return;
    const RecentFolder chosen = recentFolders_[static_cast<size_t>(index)];
    Listed listed;
    if (!list({NativeText(chosen.folder)}, chosen.pattern, listed) || !host_.mayDropEdits())
        return;
    // The folder's own schema, once nothing unsaved stands in the way.
    if (!chosen.variables.empty() && chosen.variables != host_.variablesPath() &&
        !host_.openVariables(chosen.variables))
        return;
    pattern_ = chosen.pattern;
    load(listed, chosen.pattern);
}

void FolderActions::remember(const std::string& folder, const std::string& pattern)
{
    auto same = [&](const RecentFolder& entry) { return SamePathText(entry.folder, folder); };
    std::erase_if(recentFolders_, same);
    // A variables text typed in and never saved has no file: choosing the
    // folder again keeps the schema shown then.
    std::string variables = host_.variablesPath();
    if (!QFileInfo(NativeText(variables)).isFile())
        variables.clear();
    PutFirst(recentFolders_, RecentFolder{folder, pattern, std::move(variables)}, kRecentCount);
    showRecent();
}

void FolderActions::showRecent()
{
    std::vector<RecentItem> items;
    for (const RecentFolder& entry : recentFolders_) {
        QString shown = NativeText(entry.folder) + QStringLiteral("  (") + NativeText(entry.pattern);
        if (!entry.variables.empty())
            shown += QStringLiteral(", ") + QFileInfo(NativeText(entry.variables)).fileName();
        shown += QLatin1Char(')');
        items.push_back({shown, entry.variables.empty() ? QString()
                                                        : tr("Variables file: %1").arg(NativeText(entry.variables))});
    }
    ShowRecentItems(recent_, items);
}

void FolderActions::readSettings(const SettingsFile& settings)
{
    stored_ = settings.readRaw(kSection, "Pattern").has_value();
    pattern_ = settings.readString(kSection, "Pattern", kEveryName);
    recentFolders_.clear();
    for (int n = 1; n <= kRecentCount; ++n) {
        const std::optional<std::string> folder = settings.readRaw(kSection, Numbered("Folder", n));
        stored_ = stored_ || folder.has_value();
        if (!folder || folder->empty())
            continue;
        recentFolders_.push_back({*folder, settings.readString(kSection, Numbered("Pattern", n), kEveryName),
                                  settings.readString(kSection, Numbered("Variables", n), "")});
    }
    showRecent();
}

bool FolderActions::writeSettings(SettingsFile& settings) const
{
    if (!stored_ && recentFolders_.empty() && pattern_ == kEveryName)
        return true;
    std::vector<std::pair<std::string, std::string>> values{{"Pattern", pattern_}};
    for (int n = 1; n <= static_cast<int>(recentFolders_.size()); ++n) {
        const RecentFolder& entry = recentFolders_[static_cast<size_t>(n) - 1];
        values.emplace_back(Numbered("Folder", n), entry.folder);
        values.emplace_back(Numbered("Pattern", n), entry.pattern);
        values.emplace_back(Numbered("Variables", n), entry.variables);
    }
    return settings.writeStrings(kSection, values);
}

}  // namespace dravik::ui
