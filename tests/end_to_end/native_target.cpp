// Kelvask built for this machine, started directly.
#include <sys/utsname.h>

#include <filesystem>

#include "target.h"

namespace {

std::string SimulatedUnitFolder(const std::string& Variant) {
    return std::string(SIMULATED_UNIT_DIR) + "/" + Variant;
}

class NativeTarget final : public Target {
public:
    std::string BuiltFor() const override {
        utsname Machine{};
        uname(&Machine);
        return std::string("Linux ") + Machine.machine;
    }

    std::vector<std::string> Candidates() const override {
        return {"libusbdrdaq.so", "/opt/picoscope/lib/libusbdrdaq.so"};
    }

    std::string UsagePath() const override { return "/opt/picoscope/lib/libusbdrdaq.so"; }

    std::string LibraryArgument(const std::string& Variant) const override {
        return SimulatedUnitFolder(Variant) + "/libusbdrdaq.so";
    }

    std::string MissingFileArgument() const override { return "/nonexistent/kelvask/libusbdrdaq.so"; }

    std::string NotALibraryArgument() const override {
        return std::string(KELVASK_SOURCE_DIR) + "/CMakeLists.txt";
    }

    std::string MissingEntryPointText(const std::string& LoadedAs, const std::string& Name) const override {
        return LoadedAs + ": undefined symbol: " + Name + "\r\n";
    }

    std::string LoadedAsByBareName(const std::string& Variant) const override {
        return LibraryArgument(Variant);
    }

    bool TellsReleaseCause() const override { return false; }

    KelvaskResult Run(const KelvaskRun& Run) const override {
        const std::string Scratch = MakeScratchFolder();
        ChildProcess Child;
        Child.Command.push_back(KELVASK_EXECUTABLE);
        Child.Command.insert(Child.Command.end(), Run.Arguments.begin(), Run.Arguments.end());
        Child.WorkingDirectory = Run.WorkingDirectory.empty() ? Scratch : Run.WorkingDirectory;
        Child.OutputPath = Scratch + "/report";
        Child.Output = Run.Output;
        if (Run.Variant) {
            Child.Environment["LD_LIBRARY_PATH"] = SimulatedUnitFolder(*Run.Variant);
        } else {
            Child.Unset.push_back("LD_LIBRARY_PATH");
        }
        Child.Environment["DRDAQ_SIM_JOURNAL"] = Scratch + "/journal";
        for (const auto& [Name, Value] : Run.Unit) {
            Child.Environment["DRDAQ_SIM_" + Name] = Value;
        }

        KelvaskResult Result;
        Result.ExitStatus = RunChildProcess(Child);
        Result.Report = ReadWholeFile(Child.OutputPath);
        Result.Journal = ReadJournal(Scratch + "/journal");
        return Result;
    }
};

}  // namespace

const Target& CurrentTarget() {
    static const NativeTarget Native;
    return Native;
}
