// The tables of tests/calc, made by LibreOffice Calc from the desc files
// beside them (make_tables.py), built into the tests so that they run
// where no source folder is at hand.
#pragma once

#include <string>

namespace dravik::test {

// The bytes of a file of tests/calc by its name ("german-standard.txt",
// "a.desc", "variables.var"); throws std::out_of_range for another name.
const std::string& CalcFile(const std::string& name);

// The folder whose desc files the tables name: put a test's own folder in
// its place.
inline constexpr const char* kCalcFolder = "/tmp/dravik-calc/";

}  // namespace dravik::test
