#include "ui/files/save_all.h"

#include "core/errors.h"
#include "ui/common/long_work.h"
#include "ui/files/problem_cells.h"
#include "ui/files/save_questions.h"

#include <QCoreApplication>
#include <QLabel>
#include <set>
#include <string>

namespace dravik::ui {

namespace {

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(SaveAll)
};

// What a Save all that stopped at a file it could not write had written.
Message StoppedMessage(const SaveStoppedError& stopped)
{
    const size_t written = stopped.written().size();
    if (written == 0)
        return Message(DRAVIK_TR("Save all", "%1; nothing was written"), {stopped.message()});
    return Message(DRAVIK_TR("Save all", "%1; %2 of %3 files had been written before it"),
                   {stopped.message(), std::to_string(written), std::to_string(stopped.toWrite())});
}

// The checks in the files the plan writes.
int ChecksWritten(const CheckList* checks, const SavePlan& plan, const std::set<int>& skip)
{
    if (!checks)
        return 0;
    std::set<int> rows;
    for (const FileSave& file : plan.files)
        if (file.changed && !skip.count(file.row))
            rows.insert(file.row);
    int count = 0;
    checks->eachCheck([&](const Check& check) { count += rows.count(check.row) ? 1 : 0; });
    return count;
}

// One attempt of Save all, from reading the files to writing them; asked
// again when another program changes them meanwhile.
class SaveAttempt {
public:
    SaveAttempt(const CommandHost& host, const SaveAllRequest& request, std::optional<Respelling>& respelling)
        : host_(host), request_(request), respelling_(respelling)
    {
    }

    // Reads the files and finds what Save all would write, with the
    // question about key lines that would change only in spelling, asked at
    // most once a save. False when it was cancelled or failed.
    bool plan()
    {
        if (!makePlan())
            return false;
        if (respelling_ || !RespellsUnchangedValues(plan_))
            return true;
        bool remember = false;
        switch (AskAboutRespelling(host_.dialogs, host_.window, plan_, remember)) {
        case RespellAnswer::RespellThemToo: respelling_ = Respelling::AllKeyLines; break;
        case RespellAnswer::OnlyWhatChanged: respelling_ = Respelling::OnlyChangedLines; break;
        case RespellAnswer::Cancel: return false;
        }
        if (remember)
            request_.rememberedRespelling = respelling_;
        return *respelling_ == Respelling::AllKeyLines || makePlan();
    }

    // The files the user leaves out; nothing when the user cancels.
    std::optional<std::set<int>> rowsToSkip() const { return RowsToSkip(host_.dialogs, host_.window, plan_); }
    int checksWritten(const std::set<int>& skip) const { return ChecksWritten(request_.checks, plan_, skip); }

    enum class Result { Saved, Failed, ChangedMeanwhile };
    // `written` counts the files written before another program's change
    // stopped the save.
    Result write(const std::set<int>& skip, SaveOutcome& outcome, int& written)
    {
        bool changedMeanwhile = false;
        const bool saved = host_.run([&] {
            LongWork work(host_.window, Tr::tr("Save all"));
            try {
                outcome = host_.document.saveAll(plan_, skip, work.progress());
            } catch (const ChangedOnDiskError& changed) {
                changedMeanwhile = true;  // those files were left as they were
                written += static_cast<int>(changed.written().size());
            } catch (const SaveStoppedError& stopped) {
                throw DravikError(StoppedMessage(stopped));
            }
        });
        if (changedMeanwhile)
            return Result::ChangedMeanwhile;
        return saved ? Result::Saved : Result::Failed;
    }

private:
    bool makePlan()
    {
        return host_.run([&] {
            LongWork work(host_.window, Tr::tr("Save all"));
            plan_ = host_.document.planSaveAll(work.progress(), false, respelling_.value_or(Respelling::AllKeyLines));
        });
    }

    const CommandHost& host_;
    const SaveAllRequest& request_;
    std::optional<Respelling>& respelling_;
    SavePlan plan_;
};

}  // namespace

bool SaveAllTables(const CommandHost& host, const SaveAllRequest& request)
{
    if (host.document.variablesChangedSinceOpen() && !MaySaveWithTablesLayout(host.dialogs, host.window))
        return false;
    if (!MaySaveProblemCells(host.dialogs, host.window, host.document, request.profiles))
        return false;
    // Asked at most once a save, even when the files are read again.
    std::optional<Respelling> respelling = request.rememberedRespelling;
    int written = 0;  // by the attempts before, when a file changed while it was being saved
    bool checksAsked = false;
    for (;;) {
        SaveAttempt attempt(host, request, respelling);
        if (!attempt.plan())
            return false;
        const std::optional<std::set<int>> skip = attempt.rowsToSkip();
        if (!skip)
            return false;
        if (!checksAsked && !MaySaveWithChecks(host.dialogs, host.window, attempt.checksWritten(*skip)))
            return false;
        checksAsked = true;
        SaveOutcome outcome;
        switch (attempt.write(*skip, outcome, written)) {
        case SaveAttempt::Result::Failed: return false;
        case SaveAttempt::Result::Saved:
            request.statusPanel->setText(
                Tr::tr("Saved %1 of %2 files").arg(written + outcome.written).arg(outcome.files));
            // Rows skipped still differ from their files.
            if (skip->empty())
                host.history.setClean();
            return true;
        // Another program wrote files while the questions were open, or
        // while they were being saved: asked again, about the files as they
        // are now.
        case SaveAttempt::Result::ChangedMeanwhile: break;
        }
    }
}

}  // namespace dravik::ui
