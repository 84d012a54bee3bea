#include "app/batch_arguments.h"

#include <algorithm>

namespace dravik {

bool ParseBatchArguments(const std::vector<std::string>& args, size_t first, const std::vector<BatchOption>& options,
                         const std::function<void(const std::string& word, bool afterOptions)>& word)
{
    bool afterOptions = false;
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!afterOptions) {
            if (arg == "--") {
                afterOptions = true;
                continue;
            }
            const auto option = std::find_if(options.begin(), options.end(),
                                             [&](const BatchOption& known) { return known.name == arg; });
            if (option != options.end()) {
                if (option->flag) {
                    *option->flag = true;
                } else {
                    if (i + 1 >= args.size())
                        return false;
                    const std::string& value = args[++i];
                    if (option->value)
                        *option->value = value;
                    else
                        option->take(value);
                }
                continue;
            }
            if (arg.size() > 1 && arg.rfind("--", 0) == 0)
                return false;
        }
        word(arg, afterOptions);
    }
    return true;
}

}  // namespace dravik
