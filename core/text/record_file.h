// The files of records the program writes and reads back (rules, accepted
// checks, patches, mod sets): a header line naming the format and its
// version, then a record a line, its fields separated by TABs.
#pragma once

#include "core/text/text_lines.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// The fields of a line: the texts between its TABs.
std::vector<std::string_view> RecordFields(std::string_view line);
// Whether a text can be a field: a TAB or a line break would split it.
bool FitsField(std::string_view text);
// "version 3": the header's second field.
std::string VersionField(int version);
// The header line, its line break included.
std::string RecordHeader(std::string_view format, int version);
// The whole number above 0 that the field holds; 0 when it holds none.
int PositiveNumber(std::string_view field);

struct RecordLines {
    TextLines text;
    // The version the first line names as the format's header; 0 when the
    // first line is no such header.
    int version = 0;

    // Each line after the header that is not empty, with its number as an
    // editor counts them (the header is line 1) and its fields.
    template <typename Each>
    void forEachRecord(Each&& each) const
    {
        for (size_t i = 1; i < text.lines.size(); ++i)
            if (!text.lines[i].empty())
                each(i + 1, RecordFields(text.lines[i]));
    }
};

// The lines of a record file of the format.
RecordLines ReadRecordLines(std::string_view bytes, std::string_view format);

}  // namespace dravik
