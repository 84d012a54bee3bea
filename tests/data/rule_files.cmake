# The rule cases of tests/data/rules, compiled in as the Calc tables are:
# a map from each file's path below that folder to its bytes.
set(dravik_rules_dir ${CMAKE_CURRENT_SOURCE_DIR}/data/rules)
file(GLOB_RECURSE dravik_rule_files CONFIGURE_DEPENDS ${dravik_rules_dir}/*)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${dravik_rule_files})
set(dravik_rule_entries "")
foreach(file ${dravik_rule_files})
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR length "${length} / 2")
  string(REGEX REPLACE "(..)" "\\\\x\\1" bytes "${hex}")
  file(RELATIVE_PATH name ${dravik_rules_dir} ${file})
  string(APPEND dravik_rule_entries "        {\"${name}\", std::string(\"${bytes}\", ${length})},\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/rule_files.cpp CONTENT "#include \"tests/data/rule_files.h\"

namespace dravik::test {

const std::map<std::string, std::string>& RuleFiles()
{
    static const std::map<std::string, std::string> files = {
${dravik_rule_entries}    };
    return files;
}

}  // namespace dravik::test
" @ONLY)
add_library(dravik_rule_files STATIC ${CMAKE_CURRENT_BINARY_DIR}/rule_files.cpp)
target_include_directories(dravik_rule_files PUBLIC ${PROJECT_SOURCE_DIR})
