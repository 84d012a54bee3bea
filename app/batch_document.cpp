#include "app/batch_document.h"

#include "core/bulk/column_profiles.h"
#include "core/bulk/value_checks.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/bulk/unified_diff.h"
#include "core/text/text_lines.h"

#include <ostream>

namespace dravik {

std::unique_ptr<DescDocument> LoadDocument(const std::string& variablesFile, const std::vector<std::string>& descFiles,
                                           const CodePage& codePage, std::ostream& err)
{
    auto document = std::make_unique<DescDocument>(codePage);
    document->startUp();
    document->loadVariables(variablesFile);
    document->openDesc(descFiles);
    for (const PathAlias& alias : document->openedAliases())
        err << "note: " << PathText(alias.path) << " is the same file as " << PathText(alias.file)
            << "; opened once\n";
    return document;
}

std::vector<std::string> OpenedFiles(const DescDocument& document)
{
    std::vector<std::string> files;
    for (int r = 1; r <= document.descFileCount(); ++r)
        files.push_back(document.filePath(FileRow(r)));
    return files;
}

namespace {

// Files the save would need and cannot read or write: a batch writes none
// of the others either, so that running it again once they are mended
// applies its edits to every file once.
void RefuseBlockedFiles(const SavePlan& plan, const std::set<int>& skip)
{
    std::string lines;
    size_t count = 0;
    for (const FileSave* file : plan.blocked()) {
        if (skip.count(file->row))
            continue;
        ++count;
        lines += "\n  " + file->error.english();
    }
    if (count > 0)
        throw DravikError(std::to_string(count) + (count == 1 ? " desc file cannot" : " desc files cannot") +
                          " be saved:" + lines + "\nNothing was written");
}

// Files another program changed while the save read or wrote them, each
// named, so that a second run can be given exactly the files it left.
std::string ChangedMessage(const ChangedOnDiskError& changed)
{
    const std::vector<std::string>& paths = changed.paths();
    if (paths.size() == 1)
        return changed.what();
    std::string text = std::to_string(paths.size()) +
                       (changed.written().empty() ? " desc files changed on disk since they were read:"
                                                  : " desc files changed on disk while they were being saved and "
                                                    "were left as they are:");
    for (const std::string& path : paths)
        text += "\n  " + PathText(path);
    if (changed.written().empty())
        return text + "\nNothing was written";
    return text + "\nThe other " + std::to_string(changed.written().size()) + " of " +
           std::to_string(changed.toWrite()) + " files were written";
}

// Which files a save that stopped part way had written.
std::string StoppedMessage(const SaveStoppedError& stopped)
{
    const std::vector<std::string>& written = stopped.written();
    if (written.empty())
        return std::string(stopped.what()) + "; nothing was written";
    std::string text = std::string(stopped.what()) + "; " + std::to_string(written.size()) + " of " +
                       std::to_string(stopped.toWrite()) + " files had been written before it:";
    for (const std::string& path : written)
        text += "\n  " + PathText(path);
    return text + "\nThe others are as they were";
}

}  // namespace

bool WarnOfProblemCells(DescDocument& document, CellNoun edited, bool dryRun, std::ostream& err)
{
    ColumnProfiles profiles(document);
    const ProblemReport report = ReportProblemCells(document, profiles);
    if (report.count == 0)
        return true;
    const bool one = report.count == 1;
    err << (report.stopsSaveAll ? "error: " : "warning: ") << report.count << ' ' << (one ? edited.one : edited.many)
        << (one ? " looks wrong; " : " look wrong; ");
    if (report.stopsSaveAll)
        err << "a value holding " << report.stoppedBy << " cannot be written, nothing was written:\n";
    else
        err << (dryRun ? "would be written" : "written") << (one ? " as it is:\n" : " as they are:\n");
    for (const std::string& line : report.lines)
        err << "  " << line << '\n';
    if (report.count > report.lines.size())
        err << "  and " << report.count - report.lines.size() << " more\n";
    return !report.stopsSaveAll;
}

int WritePlannedFiles(DescDocument& document, const SavePlan& plan, const std::set<int>& skip, bool dryRun,
                      std::ostream& out)
{
    if (!plan.error.empty())
        throw DravikError(plan.error.english() + "; nothing was written");
    RefuseBlockedFiles(plan, skip);
    int files = 0;
    std::vector<std::string_view> before, after;
    for (const FileSave& file : plan.files) {
        if (skip.count(file.row) || !file.changed)
            continue;
        // Someone else's edit since the files were read is not overwritten.
        if (file.changedOnDisk)
            throw DravikError(ChangedMessage(ChangedOnDiskError({file.path})));
        ++files;
        if (dryRun) {
            // The lines as views into the bytes: a file's text is not copied.
            const std::string bytes = ReadFileOrThrow(file.path);
            SplitLineViewsInto(bytes, before);
            SplitLineViewsInto(file.bytes, after);
            const std::string name = PathText(file.path);
            // Lines equal but bytes not: only the line breaks become CR LF.
            if (!WriteUnifiedDiff(out, name, before, after))
                out << "--- " << name << "\n+++ " << name << "\n";
        }
    }
    if (dryRun)
        return files;
    try {
        return document.saveAll(plan, skip).written;
    } catch (const SaveStoppedError& stopped) {
        throw DravikError(StoppedMessage(stopped));
    } catch (const ChangedOnDiskError& changed) {
        throw DravikError(ChangedMessage(changed));
    }
}

}  // namespace dravik
