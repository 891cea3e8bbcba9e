#include "test_run.h"

#include "phases.h"
#include "platform/console_output.h"

namespace {

constexpr char Title[] = "Library & Connection test for pico DrDAQ";
constexpr char Version[] = "v0.97";

void WriteBanner(ReportWriter& Report) {
    WriteText(Report, Title);
    WriteChar(Report, ' ');
    WriteText(Report, Version);
    EndLine(Report);

    // One statement: the build line and the empty line after it.
    WriteText(Report, " 0 as output code means O.K. Compiled for ");
    WriteText(Report, TargetOsName);
    WriteChar(Report, ' ');
    WriteText(Report, TargetCpuName);
    WriteText(Report, "\r\n");
    EndLine(Report);
}

}  // namespace

void TestRun() {
    ReportWriter Report = ConsoleReportWriter();
    RunState State;

    WriteBanner(Report);
    State.LibraryPath = LibraryCandidates[0];

    LibrarySearch(State, Report);
    if (State.LibraryHandle == nullptr) {
        return;
    }
    if (!EntryPointBinding(State, Report)) {
        return;  // the library stays loaded until the process ends
    }
    DeviceExercise(State, Report);
}
