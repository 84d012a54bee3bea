// The learned rules as a text file, to check a mod's files without the base
// game at hand (a mod team's own automated checks) and to read what was
// learned:
//
//     Dravik 2 rules<TAB>version 1
//     learned<TAB>4000
//     grouping<TAB>folder<TAB>2
//     group<TAB>units/tanks<TAB>1204
//     column<TAB>section1<TAB>armor <TAB>1<TAB>whole<TAB>3900<TAB>0<TAB>450<TAB>0<TAB>585<TAB>
//     in<TAB>units/tanks<TAB>1204<TAB>10<TAB>450<TAB>6.6<TAB>680<TAB>
//     column<TAB>section2<TAB>speed <TAB>1<TAB>decimal<TAB>3900<TAB>4.5<TAB>60.5<TAB>3.4<TAB>80<TAB>1
//     column<TAB>section1<TAB>engine <TAB>1<TAB>word<TAB>3980<TAB><TAB><TAB><TAB><TAB><TAB>diesel<TAB>petrol
//     file<TAB>sprites/t34.spr
//
// "learned" counts the base game's desc files. "grouping" is none, folder
// and its depth, or key and the sorting column (section, key, value
// number); each "group" line names a group and counts its files. A "column"
// line holds a column (section, key as the variables file writes it, value
// number), its kind (whole, decimal, word, path, text), the values learned
// from, the least and greatest number, the range that passes, the counts of
// decimal places its numbers are written with (comma-separated), then its
// words; each "in" line after it holds a group's own rule of that column:
// the group, its values, numbers and words. "file" lines name the base
// game's files that paths may name. Numbers are written so that they read
// back exactly. Text in the desc files' code page, CR LF line ends; a key,
// group or file whose name holds a TAB is left out.
#pragma once

#include "core/checks/learned_rules.h"

#include <memory>
#include <string>
#include <string_view>

namespace dravik {

inline constexpr const char* kRulesFormat = "Dravik 2 rules";
inline constexpr int kRulesVersion = 1;

std::string RulesText(const LearnedRules& rules);
// Throws DravikError naming the file (`name`) and the first line that
// cannot be read, or a header of another kind or a later version.
std::shared_ptr<LearnedRules> ReadRulesText(std::string_view bytes, const std::string& name,
                                            const CodePage& codePage);
std::shared_ptr<LearnedRules> ReadRulesFile(const std::string& path, const CodePage& codePage);
void WriteRulesFile(const std::string& path, const LearnedRules& rules);

}  // namespace dravik
