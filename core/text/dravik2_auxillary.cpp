#include "core/text/dravik2_auxillary.h"

namespace dravik {

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string_view TrimWhere(std::string_view text, bool (*drop)(char))
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && drop(text[begin]))
        ++begin;
    while (end > begin && drop(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string_view Trim(std::string_view text) { return TrimWhere(text, IsBlankOrControl); }

std::string GetWord(char delimiter, std::string_view text, int n)
{
    // S is the trimmed text with one delimiter appended; positions from 0 here.
    std::string s(Trim(text));
    s += delimiter;
    const size_t len = s.size();

    size_t start = 0;
    if (n > 0) {
        int found = 0;
        for (size_t p = 1; p < len; ++p) {
            if (s[p] != delimiter && s[p - 1] == delimiter) {
                start = p;
                if (++found == n)
                    break;
            }
        }
    }
    for (size_t q = start; q + 1 < len; ++q)
        if (s[q] != delimiter && s[q + 1] == delimiter)
            return s.substr(start, q - start + 1);
    return s.substr(start);
}

int WordCount(std::string_view text)
{
    std::string_view trimmed = Trim(text);
    if (trimmed.empty())
        return 0;
    int count = 1;
    for (size_t p = 1; p < trimmed.size(); ++p)
        if (trimmed[p] != ' ' && trimmed[p - 1] == ' ')
            ++count;
    return count;
}

std::string PathOfFile(std::string_view path)
{
    const size_t last = path.rfind(kPathSeparator);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string NameOfFile(std::string_view path)
{
    const size_t last = path.rfind(kPathSeparator);
    return last == std::string_view::npos ? std::string(path) : std::string(path.substr(last + 1));
}

}  // namespace dravik
