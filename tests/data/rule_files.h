// The files of tests/data/rules, compiled in (rule_files.cmake), by their
// path below that folder with "/" between its parts.
#pragma once

#include <map>
#include <string>

namespace dravik::test {

const std::map<std::string, std::string>& RuleFiles();

}  // namespace dravik::test
