// The build under test: the native Kelvask, or Kelvask.exe under Wine. The
// cases in shared_cases.cpp run against whichever one the test program was
// linked with; what differs between the two (library names, system texts,
// how the program is started) is answered here.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "journal.h"

struct KelvaskRun {
    // The simulated unit variant that the bare candidate name finds, if any.
    std::optional<std::string> Variant;
    // Arguments after the program's name, each passed as one argument.
    std::vector<std::string> Arguments;
    // Simulated unit settings: DRDAQ_SIM_ names without the prefix.
    std::map<std::string, std::string> Unit;
    OutputSink Output = OutputSink::File;
    // A unix path; empty for a fresh scratch folder, or the variant's
    // folder where the platform finds the bare name there.
    std::string WorkingDirectory;
};

struct KelvaskResult {
    std::string Report;
    int ExitStatus = -1;
    std::vector<JournalEntry> Journal;
};

class Target {
public:
    virtual ~Target() = default;

    // What the banner says the program was built for: "<os> <cpu>".
    virtual std::string BuiltFor() const = 0;
    virtual std::vector<std::string> Candidates() const = 0;
    virtual std::string UsagePath() const = 0;

    // The path of a simulated unit variant as an argument to the program.
    virtual std::string LibraryArgument(const std::string& Variant) const = 0;
    // A path the program is given that names no file.
    virtual std::string MissingFileArgument() const = 0;
    // A file that exists but is no library.
    virtual std::string NotALibraryArgument() const = 0;

    // The system's text for a missing entry point in a library loaded as
    // LoadedAs (the path the loader took it from).
    virtual std::string MissingEntryPointText(const std::string& LoadedAs, const std::string& Name) const = 0;
    // The path the loader reports for the variant found by the bare name.
    virtual std::string LoadedAsByBareName(const std::string& Variant) const = 0;

    // Whether the journal says if the library was released by the program
    // or only when the process ended.
    virtual bool TellsReleaseCause() const = 0;

    virtual KelvaskResult Run(const KelvaskRun& Run) const = 0;
};

const Target& CurrentTarget();
