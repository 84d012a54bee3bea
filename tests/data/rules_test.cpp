// The byte rules of Save all, Export, Import and patches, as folders of files
// (tests/data/rules, described in its README.txt): each case's in/ folder is
// copied into a fresh folder, its command runs there, and the folder must then
// hold the bytes of expected/ and, where expected/ has no file, those of in/.
#include "app/batch_command.h"
#include "core/document/desc_document.h"
#include "tests/core/test_files.h"
#include "tests/data/rule_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace dravik {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;  // by path below a folder, "/" between its parts

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A case's files, copied into a fresh folder that is the current folder
// while the case lives. "%FOLDER%" in any file stands for that folder's full
// path and a separator, as the programs write the paths of the files in it.
class RuleCase {
public:
    RuleCase(std::string name, Files files) : name_(std::move(name)), files_(std::move(files)), before_(fs::current_path())
    {
        folderText_ = (dir_.path() / "").make_preferred().string();
        for (const auto& [path, bytes] : files_)
            if (path.starts_with("in/")) {
                fs::create_directories((dir_.path() / path.substr(3)).parent_path());
                dir_.write(path.substr(3), text(path));
            }
        fs::current_path(dir_.path());
    }
    ~RuleCase() { fs::current_path(before_); }

    const std::string& name() const { return name_; }
    bool has(const std::string& path) const { return files_.count(path) > 0; }
    std::string text(const std::string& path) const
    {
        return has(path) ? Replaced(files_.at(path), "%FOLDER%", folderText_) : std::string();
    }
    std::string path(const std::string& name) const { return dir_.file(name); }

    // The folder as the command left it, and as the case expects it.
    void expectFolder() const
    {
        Files expected, found;
        for (const auto& [path, bytes] : files_)
            if (path.starts_with("in/") && !has("expected/" + path.substr(3)))
                expected[path.substr(3)] = text(path);
            else if (path.starts_with("expected/"))
                expected[path.substr(9)] = text(path);
        for (const auto& entry : fs::recursive_directory_iterator(dir_.path()))
            if (entry.is_regular_file())
                found[fs::relative(entry.path(), dir_.path()).generic_string()] = test::ReadBytes(entry.path().string());
        for (const auto& [path, bytes] : expected)
            EXPECT_EQ(found.count(path) ? found[path] : "(no such file)", bytes) << name_ << ": " << path;
        for (const auto& [path, bytes] : found)
            EXPECT_TRUE(expected.count(path)) << name_ << ": " << path << " was written";
    }

private:
    std::string name_;
    Files files_;
    test::TempFolder dir_;
    fs::path before_;
    std::string folderText_;
};

// The cases of a family, by name.
std::map<std::string, Files> Cases(const std::string& family)
{
    std::map<std::string, Files> cases;
    for (const auto& [path, bytes] : test::RuleFiles()) {
        const size_t caseStart = family.size() + 1, caseEnd = path.find('/', caseStart);
        if (path.starts_with(family + "/") && caseEnd != std::string::npos)
            cases[path.substr(caseStart, caseEnd - caseStart)][path.substr(caseEnd + 1)] = bytes;
    }
    EXPECT_FALSE(cases.empty()) << family;
    for (const auto& [name, files] : cases)
        EXPECT_TRUE(files.count("README.txt")) << family << "/" << name << " says no rule";
    return cases;
}

// command.txt: "dravik2-batch" and its arguments on the first line, "exit"
// and the exit code on the second; stdout.txt and stderr.txt are what it
// prints (nothing where the case has no such file).
void RunBatchCases(const std::string& family)
{
    for (const auto& [name, files] : Cases(family)) {
        const RuleCase rule(family + "/" + name, files);
        std::istringstream command(rule.text("command.txt"));
        std::string line, exitLine;
        std::getline(command, line);
        std::getline(command, exitLine);
        std::vector<std::string> args = Words(line);
        ASSERT_TRUE(!args.empty() && args.front() == "dravik2-batch") << rule.name();
        args.erase(args.begin());
        std::ostringstream out, err;
        const int exitCode = RunBatchCommand(args, out, err);
        EXPECT_EQ(Words(exitLine), Words("exit " + std::to_string(exitCode))) << rule.name() << "\n" << err.str();
        EXPECT_EQ(out.str(), rule.text("stdout.txt")) << rule.name();
        EXPECT_EQ(err.str(), rule.text("stderr.txt")) << rule.name();
        rule.expectFolder();
    }
}

// Open desc of the in/ folder's desc files in name order, laid out by its
// variables.var; the cells of edits.txt set, one a line, as "grid column row
// = text" (the text is everything after "= ", blanks included); Save all.
TEST(Rules, SaveAll)
{
    for (const auto& [name, files] : Cases("save_all")) {
        const RuleCase rule("save_all/" + name, files);
        DescDocument document(test::Cyrillic());
        document.startUp();
        document.loadVariables(rule.path("variables.var"));
        std::vector<std::string> descs;
        for (const auto& [path, bytes] : files)
            if (path.starts_with("in/") && path.ends_with(".desc"))
                descs.push_back(rule.path(path.substr(3)));
        document.openDesc(descs);
        std::istringstream edits(rule.text("edits.txt"));
        for (std::string line; std::getline(edits, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const size_t equals = line.find(" =");
            const std::vector<std::string> at = Words(line.substr(0, equals));
            ASSERT_TRUE(equals != std::string::npos && at.size() == 3) << rule.name() << ": " << line;
            static_cast<void>(document.setCell(dravik::GridNumber(std::stoi(at[0])), std::stoi(at[1]), std::stoi(at[2]),
                                               line.substr(std::min(line.size(), equals + 3))));
        }
        document.saveAll();
        rule.expectFolder();
    }
}

TEST(Rules, Export) { RunBatchCases("export"); }
TEST(Rules, Import) { RunBatchCases("import"); }
TEST(Rules, Patch) { RunBatchCases("patch"); }

}  // namespace
}  // namespace dravik
