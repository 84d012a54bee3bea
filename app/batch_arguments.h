// The words of a batch command line: the options a command knows, each
// applied as it comes, and the other words in order. "--" ends the options.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace dravik {

// One option: a switch sets `flag`; an option with a value stores the next
// word in `value`, or hands it to `take`, which may refuse it by throwing.
struct BatchOption {
    std::string name;
    bool* flag = nullptr;
    std::string* value = nullptr;
    std::function<void(const std::string&)> take;

    static BatchOption Switch(std::string name, bool& flag) { return {std::move(name), &flag, nullptr, {}}; }
    static BatchOption Value(std::string name, std::string& value) { return {std::move(name), nullptr, &value, {}}; }
    static BatchOption Taken(std::string name, std::function<void(const std::string&)> take)
    {
        return {std::move(name), nullptr, nullptr, std::move(take)};
    }
};

// From args[first] on. `word` gets each word that is no option, and whether
// it came after "--". False for a word that starts with "--" but names no
// option of `options`, and for an option whose value is missing.
bool ParseBatchArguments(const std::vector<std::string>& args, size_t first, const std::vector<BatchOption>& options,
                         const std::function<void(const std::string& word, bool afterOptions)>& word);

}  // namespace dravik
