#include "core/text/record_file.h"

#include <charconv>

namespace dravik {

std::vector<std::string_view> RecordFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

bool FitsField(std::string_view text) { return text.find_first_of("\t\r\n") == std::string_view::npos; }

std::string VersionField(int version) { return "version " + std::to_string(version); }

std::string RecordHeader(std::string_view format, int version)
{
    return std::string(format) + '\t' + VersionField(version) + "\r\n";
}

int PositiveNumber(std::string_view field)
{
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && value > 0 ? value : 0;
}

RecordLines ReadRecordLines(std::string_view bytes, std::string_view format)
{
    RecordLines read{SplitLines(bytes), 0};
    if (read.text.lines.empty())
        return read;
    const auto fields = RecordFields(read.text.lines.front());
    constexpr std::string_view kVersion = "version ";
    if (fields.size() == 2 && fields[0] == format && fields[1].substr(0, kVersion.size()) == kVersion)
        read.version = PositiveNumber(fields[1].substr(kVersion.size()));
    return read;
}

}  // namespace dravik
