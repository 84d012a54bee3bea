// What "Review changes…" shows of a Save all worked out beforehand: how many
// files and key lines change, and file by file each key line before and
// after, numbered as the file counts its lines.
#pragma once

#include "core/document/desc_document.h"
#include "core/text/code_page.h"

#include <QString>

namespace dravik::ui {

struct SaveReview {
    QString summary;  // one sentence over the details
    QString details;  // only the files whose bytes change
};

SaveReview ReviewOfSave(const SavePlan& plan, const CodePage& codePage);

}  // namespace dravik::ui
