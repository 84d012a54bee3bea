#include "core/checks/accept_step.h"

namespace dravik {

namespace {

EditStep KindOf(const AcceptedEntry& entry)
{
    switch (entry.what) {
    case AcceptedEntry::What::Value: return EditStep::AcceptValue;
    case AcceptedEntry::What::Group: return EditStep::RelaxRule;
    case AcceptedEntry::What::Column: break;
    }
    return EditStep::StopCheckingColumn;
}

}  // namespace

AcceptStep::AcceptStep(AcceptedEntry entry, std::function<CheckList*()> checks, std::function<void()> changed)
    : HistoryStep(KindOf(entry)), entry_(std::move(entry)), checks_(std::move(checks)), changed_(std::move(changed))
{
}

void AcceptStep::set(bool accepted)
{
    CheckList* list = checks_();
    if (!list)
        return;
    accepted ? list->accept(entry_) : list->unaccept(entry_);
    if (changed_)
        changed_();
}

}  // namespace dravik
