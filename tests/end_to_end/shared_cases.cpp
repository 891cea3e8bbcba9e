// The whole report, byte for byte, and the calls the simulated unit
// received, for every outcome of a run. The same cases run against the
// native program and against Kelvask.exe under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../case_names.h"
#include "common_checks.h"
#include "expected_report.h"
#include "target.h"

namespace {

const Target& T = CurrentTarget();

KelvaskRun WithVariant(const std::string& Variant, std::map<std::string, std::string> Unit = {}) {
    KelvaskRun Run;
    Run.Variant = Variant;
    Run.Unit = std::move(Unit);
    return Run;
}

std::size_t LastCandidate() {
    return T.Candidates().size() - 1;
}

// The ordered events of a run in which the open succeeds.
std::vector<std::string> FullSequence() {
    std::vector<std::string> Events{"load"};
    Events.insert(Events.end(), 49, "UsbDrDaqGetUnitInfo");
    Events.push_back("UsbDrDaqOpenUnit");
    Events.insert(Events.end(), 49, "UsbDrDaqGetUnitInfo");
    Events.push_back("UsbDrDaqEnableRGBLED");
    Events.insert(Events.end(), 4, "UsbDrDaqSetRGBLED");
    Events.push_back("UsbDrDaqCloseUnit");
    Events.push_back("release");
    return Events;
}

void ExpectReleasedBy(const KelvaskResult& Result, const std::string& Cause) {
    const auto Releases = EntriesOf(Result.Journal, "release");
    ASSERT_EQ(Releases.size(), 1u);
    if (T.TellsReleaseCause()) {
        EXPECT_EQ(Releases[0].Argument("by"), Cause);
    }
}

// --- Library search -------------------------------------------------------

TEST(LibrarySearch, NoLibraryAnywhereWalksEveryCandidate) {
    const KelvaskResult Result = T.Run({});
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, LastCandidate()) + LoadFailureBlock(T));
    EXPECT_TRUE(Result.Journal.empty());
}

TEST(LibrarySearch, ArgumentThatNamesNoFileIsTheOnlyAttempt) {
    // The variant is reachable by the bare name, yet never tried.
    ExpectOnlyAttemptFails(T, T.MissingFileArgument(), WithVariant("full"));
}

TEST(LibrarySearch, FileThatIsNoLibraryDoesNotLoad) {
    ExpectOnlyAttemptFails(T, T.NotALibraryArgument());
}

TEST(LibrarySearch, ArgumentThatLoadsGivesOneAttempt) {
    KelvaskRun Run;
    Run.Arguments = {T.LibraryArgument("full")};
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + LoadingLine(T.LibraryArgument("full")) + SuccessfulExercise());
}

TEST(LibrarySearch, OnlyTheFirstArgumentCounts) {
    KelvaskRun Run;
    Run.Arguments = {T.LibraryArgument("full"), T.MissingFileArgument(), "third"};
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.Report, Banner(T) + LoadingLine(T.LibraryArgument("full")) + SuccessfulExercise());
}

TEST(LibrarySearch, EmptyArgumentCountsAsNone) {
    KelvaskRun Run = WithVariant("full");
    Run.Arguments = {""};
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise());
}

TEST(LibrarySearch, VeryLongArgumentIsWrittenWhole) {
    std::string Long = T.MissingFileArgument();
    Long.insert(Long.size() / 2, std::string(3000, 'q'));
    ExpectOnlyAttemptFails(T, Long);
}

TEST(LibrarySearch, AttemptIsVisibleBeforeTheLibraryLoads) {
    const KelvaskResult Result = T.Run(WithVariant("full"));
    ASSERT_FALSE(Result.Journal.empty());
    ASSERT_EQ(Result.Journal[0].Event, "load");
    EXPECT_EQ(Result.Journal[0].ReportBytes,
              static_cast<long long>((Banner(T) + LoadingLine(T.Candidates()[0])).size()));
}

// --- Entry-point binding --------------------------------------------------

TEST(EntryPointBinding, LibraryWithoutTheEntryPointsEndsAfterTheError) {
    KelvaskRun Run;
    Run.Arguments = {T.LibraryArgument("no_entry_points")};
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + LoadingLine(Run.Arguments[0]) + " ... Loaded\r\n" + "Error: " +
                                 T.MissingEntryPointText(Run.Arguments[0], "UsbDrDaqCloseUnit") + "\r\n");
    EXPECT_EQ(EventNames(Result.Journal), (std::vector<std::string>{"load", "release"}));
    ExpectReleasedBy(Result, "exit");
}

TEST(EntryPointBinding, MissingCloseEndsTheRunWithTheLibraryLoaded) {
    const KelvaskResult Result = T.Run(WithVariant("without_close"));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report,
              Banner(T) + DefaultWalk(T, 0) + " ... Loaded\r\n" + "Error: " +
                  T.MissingEntryPointText(T.LoadedAsByBareName("without_close"), "UsbDrDaqCloseUnit") +
                  "\r\n");
    EXPECT_EQ(EventNames(Result.Journal), (std::vector<std::string>{"load", "release"}));
    ExpectReleasedBy(Result, "exit");
}

TEST(EntryPointBinding, MissingInformationIsReportedAndTheRunGoesOn) {
    const KelvaskResult Result = T.Run(WithVariant("without_info"));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report,
              Banner(T) + DefaultWalk(T, 0) + " ... Loaded\r\n" + "Proc UsbDrDaqGetUnitInfo error: \t" +
                  T.MissingEntryPointText(T.LoadedAsByBareName("without_info"), "UsbDrDaqGetUnitInfo") +
                  "\r\n" + BeforeOpen({}) + OpenLine("OK") + AfterOpen({}) + LedAndClose());
    EXPECT_TRUE(EntriesOf(Result.Journal, "UsbDrDaqGetUnitInfo").empty());
    EXPECT_EQ(EntriesOf(Result.Journal, "UsbDrDaqCloseUnit").size(), 1u);
    ExpectReleasedBy(Result, "program");
}

// An entry point that was not found is never called; its step says so.
TEST(EntryPointBinding, MissingOpenEndsTheExerciseOnTheOpenLine) {
    const KelvaskResult Result = T.Run(WithVariant("without_open"));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + " ... Loaded\r\n" + BeforeOpen() +
                                 OpenLine("Error: UsbDrDaqOpenUnit not found"));
    EXPECT_TRUE(EntriesOf(Result.Journal, "UsbDrDaqCloseUnit").empty());
    ExpectReleasedBy(Result, "program");
}

TEST(EntryPointBinding, MissingLedEntryPointsAreShownAsNotFound) {
    const KelvaskResult Result = T.Run(WithVariant("without_led"));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) +
                                 SuccessfulExercise(DefaultItemsBeforeOpen(), DefaultItemsAfterOpen(),
                                                    {"not found", "not found", "0"}));
    EXPECT_EQ(EntriesOf(Result.Journal, "UsbDrDaqCloseUnit").size(), 1u);
}

// --- Unit information listing ---------------------------------------------

TEST(UnitInfoListing, FortyNineCallsInAscendingOrderWithTheTextCleared) {
    const KelvaskResult Result = T.Run(WithVariant("full"));
    const auto Calls = EntriesOf(Result.Journal, "UsbDrDaqGetUnitInfo");
    ASSERT_EQ(Calls.size(), 98u);
    for (std::size_t I = 0; I < Calls.size(); ++I) {
        SCOPED_TRACE("call " + std::to_string(I));
        EXPECT_EQ(Calls[I].Number("info"), static_cast<long long>(I % 49));
        EXPECT_EQ(Calls[I].Argument("first"), "0");
        EXPECT_EQ(Calls[I].Argument("length"), "256");
        EXPECT_EQ(Calls[I].Argument("size"), "0");
        EXPECT_EQ(Calls[I].Argument("handle"), I < 49 ? "0" : "1");
    }
}

TEST(UnitInfoListing, UnitThatAnswersNothingLeavesOnlyTheHeadings) {
    const KelvaskResult Result = T.Run(WithVariant("full", {{"ITEMS", "none"}}));
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise(InfoItems{}, InfoItems{}));
}

TEST(UnitInfoListing, ItemsAreWrittenAsTheDriverGaveThem) {
    const KelvaskResult Result =
        T.Run(WithVariant("full", {{"ITEMS", "none"},
                                   {"ITEM_7", "ABC"},
                                   {"ITEM_12", "%00"},  // empty: Windows keeps no empty variables
                                   {"ITEM_13", "%01%09tab and escape%1B%7F"},
                                   {"ITEM_14", "%80%E9%FF above 127"},
                                   {"ITEM_48", "  spaced  "}}));
    const InfoItems Items{{7, "ABC"},
                          {12, ""},
                          {13, "\x01\ttab and escape\x1b\x7f"},
                          {14, "\x80\xE9\xFF above 127"},
                          {48, "  spaced  "}};
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise(Items, Items));
}

TEST(UnitInfoListing, TextWithoutNulIsWrittenWithAll257Characters) {
    const KelvaskResult Result = T.Run(WithVariant("full", {{"ITEMS", "none"}, {"UNTERMINATED_ITEM", "9"}}));
    std::string Text;
    for (std::size_t I = 0; I < 257; ++I) {
        Text.push_back(static_cast<char>('A' + I % 26));
    }
    const InfoItems Items{{9, Text}};
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise(Items, Items));
}

// --- Device exercise ------------------------------------------------------

TEST(DeviceExercise, FullSuccess) {
    const KelvaskResult Result = T.Run(WithVariant("full"));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise());
    EXPECT_EQ(EventNames(Result.Journal), FullSequence());
    ExpectReleasedBy(Result, "program");
}

struct FailedOpenCase {
    const char* Name;
    const char* Status;
    const char* Shown;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FailedOpenCase& Case, std::ostream* Stream) {
    *Stream << Case.Name;
}

class FailedOpen : public ::testing::TestWithParam<FailedOpenCase> {};

TEST_P(FailedOpen, IsReportedOnceAndNothingElseIsCalledOnTheUnit) {
    const KelvaskResult Result = T.Run(WithVariant("full", {{"OPEN_STATUS", GetParam().Status}}));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report,
              Banner(T) + DefaultWalk(T, 0) + " ... Loaded\r\n" + BeforeOpen() + OpenLine(GetParam().Shown));
    std::vector<std::string> Expected{"load"};
    Expected.insert(Expected.end(), 49, "UsbDrDaqGetUnitInfo");
    Expected.insert(Expected.end(), {"UsbDrDaqOpenUnit", "release"});
    EXPECT_EQ(EventNames(Result.Journal), Expected);
    ExpectReleasedBy(Result, "program");
}

INSTANTIATE_TEST_SUITE_P(Statuses, FailedOpen,
                         ::testing::Values(FailedOpenCase{"NotFound", "3", "Error: 3 PICO_NOT_FOUND"},
                                           FailedOpenCase{"Five", "5", "Error: 5"},
                                           FailedOpenCase{"One", "1", "Error: 1"},
                                           FailedOpenCase{"TopBitSet", "0x80000003", "Error: 2147483651"},
                                           FailedOpenCase{"Largest", "4294967295", "Error: 4294967295"}),
                         CaseName());

TEST(DeviceExercise, FailingLedAndCloseAreShownAndTheSequenceGoesOn) {
    const KelvaskResult Result = T.Run(WithVariant(
        "full", {{"ENABLE_STATUS", "0x80000000"}, {"COLOUR_STATUS", "7"}, {"CLOSE_STATUS", "4294967295"}}));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) +
                                 SuccessfulExercise(DefaultItemsBeforeOpen(), DefaultItemsAfterOpen(),
                                                    {"2147483648", "7", "4294967295"}));
    EXPECT_EQ(EventNames(Result.Journal), FullSequence());
    ExpectReleasedBy(Result, "program");
}

TEST(DeviceExercise, LedArgumentsAndPauses) {
    const KelvaskResult Result = T.Run(WithVariant("full"));
    const auto Enables = EntriesOf(Result.Journal, "UsbDrDaqEnableRGBLED");
    ASSERT_EQ(Enables.size(), 1u);
    EXPECT_EQ(Enables[0].Argument("enabled"), "1");

    const auto Colours = EntriesOf(Result.Journal, "UsbDrDaqSetRGBLED");
    const std::vector<std::vector<std::string>> Expected{
        {"40", "40", "40"}, {"80", "0", "0"}, {"0", "80", "0"}, {"0", "0", "80"}};
    ASSERT_EQ(Colours.size(), Expected.size());
    for (std::size_t I = 0; I < Colours.size(); ++I) {
        EXPECT_EQ((std::vector<std::string>{Colours[I].Argument("red"), Colours[I].Argument("green"),
                                            Colours[I].Argument("blue")}),
                  Expected[I]);
    }

    const auto Closes = EntriesOf(Result.Journal, "UsbDrDaqCloseUnit");
    ASSERT_EQ(Closes.size(), 1u);
    std::vector<std::uint64_t> Times;
    for (const JournalEntry& Colour : Colours) {
        Times.push_back(Colour.Nanoseconds);
    }
    Times.push_back(Closes[0].Nanoseconds);
    for (std::size_t I = 1; I < Times.size(); ++I) {
        EXPECT_GE(Times[I] - Times[I - 1], 100'000'000u) << "pause before step " << I;
    }
}

struct HandleCase {
    const char* Name;
    const char* Handle;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const HandleCase& Case, std::ostream* Stream) {
    *Stream << Case.Name;
}

class OpenedHandle : public ::testing::TestWithParam<HandleCase> {};

TEST_P(OpenedHandle, IsPassedToEveryCallAfterTheOpen) {
    const KelvaskResult Result = T.Run(WithVariant("full", {{"HANDLE", GetParam().Handle}}));
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise());
    bool Opened = false;
    for (const JournalEntry& Entry : Result.Journal) {
        if (Entry.Event == "UsbDrDaqOpenUnit") {
            Opened = true;
        } else if (Entry.Arguments.count("handle") != 0) {
            EXPECT_EQ(Entry.Argument("handle"), Opened ? GetParam().Handle : "0") << Entry.Event;
        }
    }
    EXPECT_TRUE(Opened);
}

INSTANTIATE_TEST_SUITE_P(Handles, OpenedHandle,
                         ::testing::Values(HandleCase{"One", "1"}, HandleCase{"Negative", "-2"},
                                           HandleCase{"Smallest", "-32768"}, HandleCase{"Largest", "32767"}),
                         CaseName());

// What is shown has reached standard output before the next driver call; a
// label and its status appear together only after the call returns.
TEST(DeviceExercise, TextBecomesVisibleWhenItsStatementEnds) {
    const KelvaskResult Result = T.Run(WithVariant("full"));
    const std::string& Report = Result.Report;
    const auto VisibleAt = [&](const std::string& Event, std::size_t Nth = 0) {
        const auto Entries = EntriesOf(Result.Journal, Event);
        return Nth < Entries.size() ? Entries[Nth].ReportBytes : -2;
    };
    const auto Through = [&](const std::string& Text) {
        return static_cast<long long>(Report.find(Text) + Text.size());
    };
    const auto Before = [&](const std::string& Text) { return static_cast<long long>(Report.find(Text)); };

    EXPECT_EQ(VisibleAt("UsbDrDaqGetUnitInfo", 0), Through(" Get info before open ...\r\n"));
    EXPECT_EQ(VisibleAt("UsbDrDaqGetUnitInfo", 1), Through(InfoLine(0, "2.1.0.42")));
    EXPECT_EQ(VisibleAt("UsbDrDaqOpenUnit"), Through("Openning DrDAQ ... "));
    EXPECT_EQ(VisibleAt("UsbDrDaqGetUnitInfo", 49), Through(" Get info after open ...\r\n"));
    EXPECT_EQ(VisibleAt("UsbDrDaqEnableRGBLED"), Before("Enable RGB LED:  "));
    EXPECT_EQ(VisibleAt("UsbDrDaqSetRGBLED", 0), Before("Turn on RGB LED: "));
    EXPECT_EQ(VisibleAt("UsbDrDaqSetRGBLED", 1), Before("Close handle:    "));
    EXPECT_EQ(VisibleAt("UsbDrDaqCloseUnit"), Before("Close handle:    "));
    EXPECT_EQ(VisibleAt("release"), static_cast<long long>(Report.size()));
}

// --- Floating point -------------------------------------------------------

TEST(FloatExceptions, AreMaskedBeforeTheFirstDriverCallAndOtherBitsKept) {
    const KelvaskResult Result = T.Run(WithVariant("full", {{"DISTURB_FPU", "unmask"}}));
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise());
    ASSERT_GT(Result.Journal.size(), 2u);
    EXPECT_EQ(Result.Journal[0].FloatControlWord, 0x0240u);  // as the driver left it on load
    for (std::size_t I = 1; I + 1 < Result.Journal.size(); ++I) {
        EXPECT_EQ(Result.Journal[I].FloatControlWord, 0x027Fu) << Result.Journal[I].Event;
    }
}

TEST(FloatExceptions, PendingExceptionLeftByTheDriverIsCleared) {
    const KelvaskResult Result = T.Run(WithVariant("full", {{"DISTURB_FPU", "pending"}}));
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(Result.Report, Banner(T) + DefaultWalk(T, 0) + SuccessfulExercise());
    ASSERT_EQ(EventNames(Result.Journal), FullSequence());
    EXPECT_NE(Result.Journal[0].FloatStatusWord & 0x84u, 0u);
    for (std::size_t I = 1; I + 1 < Result.Journal.size(); ++I) {
        EXPECT_EQ(Result.Journal[I].FloatStatusWord & 0xFFu, 0u) << Result.Journal[I].Event;
    }
}

TEST(FloatExceptions, UndisturbedStateKeepsItsControlBits) {
    const KelvaskResult Result = T.Run(WithVariant("full"));
    ASSERT_FALSE(Result.Journal.empty());
    const unsigned OnLoad = Result.Journal[0].FloatControlWord;
    for (const JournalEntry& Entry : Result.Journal) {
        EXPECT_EQ(Entry.FloatControlWord, OnLoad | 0x3Fu) << Entry.Event;
    }
}

// --- Standard output that fails ---------------------------------------------

struct FailingOutputCase {
    const char* Name;
    OutputSink Output;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FailingOutputCase& Case, std::ostream* Stream) {
    *Stream << Case.Name;
}

class FailingOutput : public ::testing::TestWithParam<FailingOutputCase> {};

TEST_P(FailingOutput, NeitherStopsNorShortensTheRun) {
    KelvaskRun Run = WithVariant("full");
    Run.Output = GetParam().Output;
    const KelvaskResult Result = T.Run(Run);
    EXPECT_EQ(Result.ExitStatus, 0);
    EXPECT_EQ(EventNames(Result.Journal), FullSequence());
    ExpectReleasedBy(Result, "program");
}

INSTANTIATE_TEST_SUITE_P(Sinks, FailingOutput,
                         ::testing::Values(FailingOutputCase{"Closed", OutputSink::Closed},
                                           FailingOutputCase{"DeviceFull", OutputSink::FullDevice},
                                           FailingOutputCase{"ReaderGone", OutputSink::BrokenPipe}),
                         CaseName());

}  // namespace
