// The page of "Review changes…" that shows what a mod changes against its
// base game: file by file, each key line whose values differ from the base
// file's, as the base file has it and as the tables have it.
#pragma once

#include "core/mod/base_comparison.h"
#include "ui/common/dialogs.h"

namespace dravik::ui {

ReviewPage ReviewAgainstBase(const DescDocument& mod, const BaseComparison& base);

}  // namespace dravik::ui
