// Cases only Kelvask.exe has: the default install folders, command lines
// exactly as Windows hands them over, and paths outside the ANSI code page.
#include <gtest/gtest.h>

#include <filesystem>

#include "expected_report.h"
#include "wine_target.h"

namespace {

namespace fs = std::filesystem;

const Target& T = CurrentTarget();

// Where a candidate path of the default walk lies in the tests' prefix.
fs::path CandidateFile(const std::string& Candidate) {
    std::string Relative = Candidate.substr(3);  // after "C:\"
    for (char& C : Relative) {
        if (C == '\\') {
            C = '/';
        }
    }
    return fs::path(WineDriveC()) / Relative;
}

void PlaceDriver(const std::string& Variant, const fs::path& File) {
    fs::create_directories(File.parent_path());
    fs::copy_file(SimulatedUnitDll(Variant), File, fs::copy_options::overwrite_existing);
}

// The driver placed in one install folder of the prefix for one case.
class CandidateFolder : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override { PlaceDriver("full", Placed()); }
    void TearDown() override { fs::remove(Placed()); }
    fs::path Placed() const { return CandidateFile(T.Candidates().at(GetParam())); }
};

TEST_P(CandidateFolder, HoldsTheDriverTheWalkFinds) {
    const KelvaskResult Result = T.Run({});
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, GetParam()) + SuccessfulExercise());
    ASSERT_FALSE(Result.Journal.empty());
    EXPECT_EQ(Result.Journal[0].ReportBytes,
              static_cast<long long>((Banner(T) + DefaultWalk(T, GetParam())).size()));
}

INSTANTIATE_TEST_SUITE_P(InstallFolders, CandidateFolder, ::testing::Range<std::size_t>(1, 7));

// A folder with a space in its name holding the driver, reached through
// command lines written in every way Windows allows.
class ExactCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        Scratch = MakeScratchFolder();
        PlaceDriver("full", fs::path(Scratch) / "dir with space" / "USBDrDAQ.dll");
    }
    void TearDown() override { fs::remove_all(Scratch); }

    // The tail with {S} standing for the scratch folder's Windows path.
    KelvaskResult RunTail(std::string Tail) const {
        const std::string Folder = WindowsPath(Scratch);
        for (auto At = Tail.find("{S}"); At != std::string::npos; At = Tail.find("{S}")) {
            Tail.replace(At, 3, Folder);
        }
        KelvaskRun Run;
        Run.WorkingDirectory = Scratch;
        return RunWithCommandTail(Tail, Run);
    }
    std::string Driver() const { return WindowsPath(Scratch) + "\\dir with space\\USBDrDAQ.dll"; }

    std::string Scratch;
};

TEST_F(ExactCommandLine, QuotedPathWithSpaces) {
    EXPECT_EQ(RunTail(" \"{S}\\dir with space\\USBDrDAQ.dll\"").Report,
              Banner(T) + LoadingLine(Driver()) + SuccessfulExercise());
}

TEST_F(ExactCommandLine, QuotesInTheMiddleOfTheWord) {
    EXPECT_EQ(RunTail(" {S}\\dir\" \"with\" \"space\\USBDrDAQ.dll").Report,
              Banner(T) + LoadingLine(Driver()) + SuccessfulExercise());
}

TEST_F(ExactCommandLine, BackslashBeforeAQuoteIsAPlainBackslash) {
    EXPECT_EQ(RunTail(" \"{S}\\dir with space\\\"USBDrDAQ.dll").Report,
              Banner(T) + LoadingLine(Driver()) + SuccessfulExercise());
}

TEST_F(ExactCommandLine, TabSeparatesAndExtraArgumentsAreIgnored) {
    EXPECT_EQ(RunTail("\t\"{S}\\dir with space\\USBDrDAQ.dll\" extra \"and more\"").Report,
              Banner(T) + LoadingLine(Driver()) + SuccessfulExercise());
}

TEST_F(ExactCommandLine, UnquotedSpaceEndsThePath) {
    const std::string Cut = WindowsPath(Scratch) + "\\dir";
    EXPECT_EQ(RunTail(" {S}\\dir with space\\USBDrDAQ.dll").Report,
              Banner(T) + LoadingLine(Cut) + LoadFailureBlock(T));
}

TEST_F(ExactCommandLine, EmptyQuotesCountAsNoArgument) {
    const KelvaskResult Result = RunTail(" \"\" \"{S}\\dir with space\\USBDrDAQ.dll\"");
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, T.Candidates().size() - 1) + LoadFailureBlock(T));
}

TEST_F(ExactCommandLine, TrailingSeparatorsAreNoArgument) {
    EXPECT_EQ(RunTail(" \t ").Report,
              Banner(T) + DefaultWalk(T, T.Candidates().size() - 1) + LoadFailureBlock(T));
}

// The path is loaded from the UTF-16 command line: a name the ANSI code page
// cannot hold still opens the file the user named, and the report shows the
// name in the code page's own best-fit form.
TEST_F(ExactCommandLine, NameOutsideTheAnsiCodePageLoadsTheNamedFile) {
    PlaceDriver("full", fs::path(Scratch) / "drv-\u03A9" / "USBDrDAQ.dll");
    // What a round trip through Windows-1252 would open instead.
    PlaceDriver("without_close", fs::path(Scratch) / "drv-O" / "USBDrDAQ.dll");
    const KelvaskResult Result = RunTail(" {S}\\drv-\u03A9\\USBDrDAQ.dll");
    EXPECT_EQ(Result.Report,
              Banner(T) + LoadingLine(WindowsPath(Scratch) + "\\drv-O\\USBDrDAQ.dll") + SuccessfulExercise());
}

TEST_F(ExactCommandLine, NameInTheAnsiCodePageIsShownInIt) {
    PlaceDriver("full", fs::path(Scratch) / "caf\u00E9" / "USBDrDAQ.dll");
    const KelvaskResult Result = RunTail(" {S}\\caf\u00E9\\USBDrDAQ.dll");
    EXPECT_EQ(Result.Report, Banner(T) + LoadingLine(WindowsPath(Scratch) + "\\caf\xE9\\USBDrDAQ.dll") +
                                 SuccessfulExercise());
}

}  // namespace
