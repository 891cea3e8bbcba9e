#include "phases.h"

namespace {

// Every attempt is visible before the load starts, since a load can take a
// while or never return.
void AttemptLoad(RunState& State, ReportWriter& Report, std::string Text, const NativePath& Path) {
    State.LibraryPath = std::move(Text);
    WriteText(Report, "Loading library: ");
    WriteText(Report, State.LibraryPath);
    FlushPartial(Report);
    State.LibraryHandle = LoadDriverLibrary(Path);
}

void WriteLoadFailure(ReportWriter& Report) {
    EndLine(Report);  // completes the last "Loading library: " line
    WriteText(Report, "Error: Unable to load library!");
    EndLine(Report);
    WriteText(Report, "You may try to specify library with path on the command line.");
    EndLine(Report);
    WriteText(Report, "Use: Kelvask \"");
    WriteText(Report, UsageLibraryPath);
    WriteChar(Report, '"');
    EndLine(Report);
}

}  // namespace

void LibrarySearch(RunState& State, ReportWriter& Report) {
    const NativePath Argument = FirstArgument();
    if (!Argument.empty()) {
        // A path the user gave is the only one tried.
        AttemptLoad(State, Report, TextFromNativePath(Argument), Argument);
    } else {
        AttemptLoad(State, Report, State.LibraryPath, NativePathFromText(State.LibraryPath));
        for (std::size_t Candidate = 1;
             Candidate < LibraryCandidates.size() && State.LibraryHandle == nullptr; ++Candidate) {
            WriteText(Report, " ... Unsuccessful!");
            EndLine(Report);
            const std::string Path = LibraryCandidates[Candidate];
            AttemptLoad(State, Report, Path, NativePathFromText(Path));
        }
    }

    if (State.LibraryHandle == nullptr) {
        WriteLoadFailure(Report);
        return;
    }
    WriteText(Report, " ... Loaded");
    EndLine(Report);
}
