#include "core/modset/merged_build.h"

#include "core/errors.h"
#include "core/text/text_lines.h"
#include "tests/core/modset/five_mods.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dravik {
namespace {

using Contents = std::vector<std::pair<std::string, std::string>>;

class MergedBuildTest : public ::testing::Test {
protected:
    ModSetSetup Setup() const
    {
        ModSetSetup setup;
        setup.variables = mods.vars;
        setup.base = mods.folder("base");
        for (const char* name : {"A", "B", "C"})
            setup.mods.push_back({ModSource::Kind::Folder, name, mods.folder(name)});
        setup.mods.push_back({ModSource::Kind::Patch, "D", mods.patch});
        setup.mods.push_back({ModSource::Kind::Folder, "E", mods.folder("E")});
        return setup;
    }
    BuildResult Build(const ModSet& set, bool dryRun = false) const
    {
        BuildOptions options;
        options.out = mods.folder("out");
        options.dryRun = dryRun;
        return BuildMergedMod(set, options);
    }
    // The merged folder without its report, which names the folders.
    Contents Merged() const
    {
        Contents files = mods.contents("out");
        std::erase_if(files, [](const auto& file) { return file.first == kMergeReportName; });
        return files;
    }
    std::vector<std::string> ReportLines(const std::string& kind) const
    {
        std::vector<std::string> lines;
        for (const std::string& line : SplitLines(test::ReadBytes(mods.path("out", kMergeReportName))).lines)
            if (line.rfind(kind + "\t", 0) == 0)
                lines.push_back(line.substr(kind.size() + 1));
        return lines;
    }

    test::FiveMods mods;
};

TEST_F(MergedBuildTest, FiveModsGiveTheMergedFolderByteForByte)
{
    std::vector<Contents> sources;
    for (const char* name : {"base", "A", "B", "C", "E"})
        sources.push_back(mods.contents(name));

    const ModSet set(Setup());
    EXPECT_EQ(set.mark(set.findFile("units/t34.desc"), set.schema().slot(0, 1)).origin, Origin::Same);
    const BuildResult result = Build(set);
    EXPECT_EQ(Merged(), test::FiveMods::Listed("expected"));
    EXPECT_EQ(result.written(), 5);
    EXPECT_EQ(ReportLines("conflict"), test::five::kConflicts);
    EXPECT_EQ(ReportLines("file"), (std::vector<std::string>{"guns/pak40.desc\t(base)", "units/kv1.desc\tC",
                                                             "units/su76.desc\tE", "units/t34.desc\tE",
                                                             "units/tiger.desc\tB"}));
    // Only C's copy of the KV-1 has a speed line: listed, and no value lost.
    ASSERT_EQ(ReportLines("note").size(), 1u);
    EXPECT_EQ(ReportLines("note")[0].substr(0, 37), "key-line-in-some\tunits/kv1.desc\tspeed");
    EXPECT_FALSE(result.losesValues());

    // The base and the mods are only read.
    std::vector<Contents> after;
    for (const char* name : {"base", "A", "B", "C", "E"})
        after.push_back(mods.contents(name));
    EXPECT_EQ(after, sources);
}

TEST_F(MergedBuildTest, BuildingAgainWritesOnlyWhatChangedAndRemovesWhatIsNoLongerPartOfIt)
{
    Build(ModSet(Setup()));
    const auto t34Time = std::filesystem::last_write_time(mods.path("out", "units/t34.desc"));
    const BuildResult again = Build(ModSet(Setup()));
    EXPECT_EQ(again.written(), 0);
    EXPECT_FALSE(again.reportWritten);

    // D no longer changes the PaK 40 and gives the Tiger 97 instead.
    mods.root.write("D.txt", "Dravik 2 patch\tversion 1\r\nunits/tiger.desc\tarmor \t2\t80\t97\r\n");
    const ModSet changed(Setup());
    const BuildResult dry = Build(changed, true);
    EXPECT_EQ(Merged(), test::FiveMods::Listed("expected"));  // a dry run writes nothing
    const BuildResult result = Build(changed);
    EXPECT_EQ(result.count(BuiltFile::What::Changed), 1);
    EXPECT_EQ(result.count(BuiltFile::What::Removed), 1);
    EXPECT_EQ(dry.count(BuiltFile::What::Changed), 1);
    EXPECT_EQ(test::ReadBytes(mods.path("out", "units/tiger.desc")),
              "; Tiger\r\narmor  100 97 80 \r\nhp 200\r\n[section2]\r\nspeed 20\r\n[section_text]\r\nname Tiger I\r\n");
    EXPECT_FALSE(std::filesystem::exists(mods.path("out", "guns/pak40.desc")));
    EXPECT_EQ(std::filesystem::last_write_time(mods.path("out", "units/t34.desc")), t34Time);
    EXPECT_EQ(ReportLines("file").size(), 4u);

    // A copy changed since the set was read is not written over with values of neither.
    mods.write("B", "units/tiger.desc", "; Tiger\r\narmor 100 91 80\r\n");
    mods.root.write("D.txt", "Dravik 2 patch\tversion 1\r\n");
    EXPECT_THROW(Build(changed), DravikError);
    EXPECT_EQ(test::ReadBytes(mods.path("out", "units/tiger.desc")),
              "; Tiger\r\narmor  100 97 80 \r\nhp 200\r\n[section2]\r\nspeed 20\r\n[section_text]\r\nname Tiger I\r\n");
}

TEST_F(MergedBuildTest, NothingIsEverWrittenIntoTheBaseOrAModsFolder)
{
    const ModSet set(Setup());
    for (const std::string& out : {mods.folder("base"), mods.path("A", "units"), mods.root.path().string(),
                                   mods.path("C", "../C/new")}) {
        BuildOptions options;
        options.out = out;
        EXPECT_THROW(BuildMergedMod(set, options), DravikError) << out;
        EXPECT_NE(OutFolderProblem(set, out), "") << out;
    }
    EXPECT_EQ(OutFolderProblem(set, mods.folder("out")), "");
    EXPECT_EQ(mods.contents("A"), test::FiveMods::Listed("A"));
}

// What a merge cannot write into the copy it writes from is named, and the
// copy's line kept: a key line the copy lacks, a line two keys share, a gap,
// lines outside the variables file another copy holds. Values beyond the
// variables file's count stay on a rebuilt line.
TEST_F(MergedBuildTest, WhatCannotBeWrittenIsNamedAndTheCopysLineKept)
{
    test::TempFolder root;
    const std::string vars = root.write("v.var", "[section1]\r\narmor =3\r\nhp =1\r\nHP =1\r\ncrew =1\r\n");
    auto write = [&](const std::string& folder, const std::string& bytes) {
        std::filesystem::create_directories(root.path() / folder);
        root.write(folder + "/u.desc", bytes);
    };
    write("base", "; u\r\narmor 1 2 3\r\nhp 5\r\ncrew 4\r\nspeed 1\r\n");
    // X's armor line is shorter: its third value is absent, a change too.
    write("X", "; u\r\narmor 9 2\r\nhp 6\r\ncrew 5\r\nspeed 1\r\nmodel x\r\n");
    // Y, written from: values beyond the count, no crew line.
    write("Y", "; u\r\narmor 1 2 7 40 41\r\nhp 5\r\nspeed 2\r\n");
    ModSetSetup setup;
    setup.variables = vars;
    setup.base = root.file("base");
    setup.mods = {{ModSource::Kind::Folder, "X", root.file("X")}, {ModSource::Kind::Folder, "Y", root.file("Y")}};
    BuildOptions options;
    options.out = root.file("out");
    auto words = [](const BuildResult& result) {
        std::vector<std::string> list;
        for (const MergeNote& note : result.notes)
            list.push_back(std::string(NoteWord(note)) + " " + note.key);
        return list;
    };

    const BuildResult result = BuildMergedMod(ModSet(setup), options);
    EXPECT_EQ(test::ReadBytes(root.file("out/u.desc")), "; u\r\narmor  9 2 7 40 41 \r\nhp 5\r\nspeed 2\r\n");
    EXPECT_EQ(words(result), (std::vector<std::string>{"shared-line hp ", "shared-line HP ", "copy-lacks-line crew ",
                                                       "other-lines "}));
    EXPECT_TRUE(result.losesValues());

    // X for armor: its absent third value would stand before Y's 40.
    ModSet chosen(setup);
    static_cast<void>(chosen.choose({"", "armor ", 0, {Winner::Kind::Mod, "X"}}));
    const BuildResult gap = BuildMergedMod(chosen, options);
    EXPECT_EQ(test::ReadBytes(root.file("out/u.desc")), "; u\r\narmor 1 2 7 40 41\r\nhp 5\r\nspeed 2\r\n");
    EXPECT_EQ(words(gap).at(0), "cannot-write armor ");
}

}  // namespace
}  // namespace dravik
