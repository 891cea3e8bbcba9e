#include <filesystem>

#include "wine_target.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const std::string WindowsBuild = KELVASK_WINDOWS_BUILD_DIR;
const std::string WinePrefix = WINE_PREFIX_DIR;

std::map<std::string, std::string> WineEnvironment() {
    return {{"WINEDEBUG", "-all"},
            {"WINEPREFIX", WinePrefix},
            {"WINEDLLOVERRIDES", "mscoree,mshtml="},
            // UTF-8 for the command line and paths Wine takes from here;
            // Windows-1252 as the ANSI code page.
            {"LC_ALL", "C.UTF-8"}};
}

std::string Quoted(const std::string& Argument) {
    if (!Argument.empty() && Argument.find_first_of(" \t") == std::string::npos) {
        return Argument;
    }
    return "\"" + Argument + "\"";
}

// Makes the prefix once, before any case is timed.
class WinePrefixEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        ChildProcess Boot;
        Boot.Command = {"wineboot", "--init"};
        Boot.Environment = WineEnvironment();
        Boot.OutputPath = "/dev/null";
        ASSERT_EQ(RunChildProcess(Boot), 0) << "wineboot failed for " << WinePrefix;
        ChildProcess Wait;
        Wait.Command = {"wineserver", "-w"};
        Wait.Environment = WineEnvironment();
        Wait.OutputPath = "/dev/null";
        RunChildProcess(Wait);
    }
};

[[maybe_unused]] ::testing::Environment* const Prefix =
    ::testing::AddGlobalTestEnvironment(new WinePrefixEnvironment);

class WineTarget final : public Target {
public:
    std::string BuiltFor() const override { return "Win64 x86_64"; }

    std::vector<std::string> Candidates() const override {
        return {
            "USBDrDAQ.dll",
            "C:\\Program Files\\Pico Technology\\PicoScope6\\USBDrDAQ.dll",
            "C:\\Program Files (x86)\\Pico Technology\\PicoScope6\\USBDrDAQ.dll",
            "C:\\Program Files\\Pico Technology\\PicoLog 6\\USBDrDAQ.dll",
            "C:\\Program Files (x86)\\Pico Technology\\PicoLog 6\\USBDrDAQ.dll",
            "C:\\Program Files\\Pico Technology\\SDK\\lib\\usbdrdaq.lib",
            "C:\\Program Files (x86)\\Pico Technology\\SDK\\lib\\usbdrdaq.lib",
        };
    }

    std::string UsagePath() const override {
        return "C:\\Program Files\\Pico Technology\\PicoLog 6\\usbdrdaq.dll";
    }

    std::string LibraryArgument(const std::string& Variant) const override {
        return WindowsPath(SimulatedUnitDll(Variant));
    }

    std::string MissingFileArgument() const override { return "C:\\nonexistent\\kelvask\\USBDrDAQ.dll"; }

    std::string NotALibraryArgument() const override {
        return WindowsPath(std::string(KELVASK_SOURCE_DIR) + "/CMakeLists.txt");
    }

    // FormatMessageA's text for ERROR_PROC_NOT_FOUND in this Wine.
    std::string MissingEntryPointText(const std::string&, const std::string&) const override {
        return "Procedure not found.\r\n";
    }

    std::string LoadedAsByBareName(const std::string& Variant) const override {
        return LibraryArgument(Variant);
    }

    bool TellsReleaseCause() const override { return true; }

    KelvaskResult Run(const KelvaskRun& Run) const override {
        std::string Tail;
        for (const std::string& Argument : Run.Arguments) {
            Tail += " " + Quoted(Argument);
        }
        return RunWithCommandTail(Tail, Run);
    }
};

}  // namespace

std::string WindowsPath(const std::string& UnixPath) {
    std::string Path = "Z:" + UnixPath;
    for (char& C : Path) {
        if (C == '/') {
            C = '\\';
        }
    }
    return Path;
}

std::string WineDriveC() {
    return WinePrefix + "/drive_c";
}

std::string SimulatedUnitDll(const std::string& Variant) {
    return WindowsBuild + "/simulated_unit/" + Variant + "/USBDrDAQ.dll";
}

KelvaskResult RunWithCommandTail(const std::string& CommandTail, const KelvaskRun& Run) {
    const std::string Scratch = MakeScratchFolder();
    ChildProcess Child;
    Child.Command = {"wine", WindowsBuild + "/tests/wine_launcher/wine_launcher.exe"};
    Child.Environment = WineEnvironment();
    Child.Environment["KELVASK_LAUNCH_COMMAND_LINE"] =
        "\"" + WindowsPath(WindowsBuild + "/Kelvask.exe") + "\"" + CommandTail;
    Child.Environment["DRDAQ_SIM_JOURNAL"] = WindowsPath(Scratch + "/journal");
    for (const auto& [Name, Value] : Run.Unit) {
        Child.Environment["DRDAQ_SIM_" + Name] = Value;
    }
    // The current folder is in the DLL search order: it is how the bare name
    // finds a variant.
    Child.WorkingDirectory = !Run.WorkingDirectory.empty() ? Run.WorkingDirectory
                             : Run.Variant                 ? WindowsBuild + "/simulated_unit/" + *Run.Variant
                                                           : Scratch;
    Child.OutputPath = Scratch + "/report";
    Child.Output = Run.Output;

    KelvaskResult Result;
    Result.ExitStatus = RunChildProcess(Child);
    Result.Report = ReadWholeFile(Child.OutputPath);
    Result.Journal = ReadJournal(Scratch + "/journal");
    std::filesystem::remove_all(Scratch);
    return Result;
}

const Target& CurrentTarget() {
    static const WineTarget Wine;
    return Wine;
}
