// Measures Kelvask from outside, side by side on this machine:
//   1. a full successful run against the simulated unit, against the 400 ms
//      of pauses it must contain;
//   2. a run that finds no library, against a trivial process of the same
//      build;
//   3. the write system calls of a full run, against the output statements
//      of its report.
// Usage: kelvask_bench KELVASK TRIVIAL_PROCESS SIMULATED_UNIT_FOLDER [RUNS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs Command with its standard output in OutputPath; the wall time in ms.
double TimedRun(const std::vector<std::string>& Command, const std::string& OutputPath) {
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, OutputPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> Arguments;
    for (const std::string& Word : Command) {
        Arguments.push_back(const_cast<char*>(Word.c_str()));
    }
    Arguments.push_back(nullptr);

    const auto Start = Clock::now();
    pid_t Child = 0;
    if (posix_spawn(&Child, Arguments[0], &Actions, nullptr, Arguments.data(), environ) != 0) {
        std::perror(Arguments[0]);
        std::exit(1);
    }
    int Status = 0;
    waitpid(Child, &Status, 0);
    const auto End = Clock::now();
    posix_spawn_file_actions_destroy(&Actions);
    return std::chrono::duration<double, std::milli>(End - Start).count();
}

struct Figures {
    double Median;
    double Minimum;
};

Figures Measure(const std::vector<std::string>& Command, int Runs, const std::string& OutputPath) {
    std::vector<double> Times;
    TimedRun(Command, OutputPath);  // warm the page cache
    for (int I = 0; I < Runs; ++I) {
        Times.push_back(TimedRun(Command, OutputPath));
    }
    std::sort(Times.begin(), Times.end());
    return {Times[Times.size() / 2], Times.front()};
}

std::string ReadFile(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

std::size_t Count(const std::string& Text, const std::string& Piece) {
    std::size_t Found = 0;
    for (auto At = Text.find(Piece); At != std::string::npos; At = Text.find(Piece, At + 1)) {
        ++Found;
    }
    return Found;
}

}  // namespace

int main(int ArgumentCount, char** Arguments) {
    if (ArgumentCount < 4) {
        std::fprintf(stderr, "usage: %s KELVASK TRIVIAL_PROCESS SIMULATED_UNIT_FOLDER [RUNS]\n",
                     Arguments[0]);
        return 2;
    }
    const std::string Kelvask = Arguments[1];
    const std::string Trivial = Arguments[2];
    const std::string Unit = Arguments[3];
    const int Runs = ArgumentCount > 4 ? std::atoi(Arguments[4]) : 30;
    const std::string Scratch = "/tmp/kelvask-bench-" + std::to_string(getpid());
    const std::string Report = Scratch + ".report";

    unsetenv("DRDAQ_SIM_JOURNAL");
    setenv("LD_LIBRARY_PATH", Unit.c_str(), 1);
    const Figures Full = Measure({Kelvask}, Runs, Report);
    const std::string FullReport = ReadFile(Report);

    unsetenv("LD_LIBRARY_PATH");
    const Figures NoLibrary = Measure({Kelvask}, Runs * 10, Report);
    const Figures TrivialRun = Measure({Trivial}, Runs * 10, Report);

    // Every statement ends in one EndLine or FlushPartial. Three line ends
    // are written inside texts (the banner's empty line and the two
    // headings), and two statements end with FlushPartial ("Loading
    // library: " and "Openning DrDAQ ... ").
    const std::size_t Statements = Count(FullReport, "\r\n") - 3 + 2;
    setenv("LD_LIBRARY_PATH", Unit.c_str(), 1);
    const std::string Trace = Scratch + ".strace";
    TimedRun({"/usr/bin/strace", "-f", "-e", "trace=write", "-o", Trace, Kelvask}, Report);
    const std::size_t Writes = Count(ReadFile(Trace), "write(1,");
    std::remove(Trace.c_str());

    // The colour sequence as the unit saw it: from the first colour step to
    // the close, the four pauses and the calls between them.
    const std::string Journal = Scratch + ".journal";
    setenv("DRDAQ_SIM_JOURNAL", Journal.c_str(), 1);
    TimedRun({Kelvask}, Report);
    unsetenv("DRDAQ_SIM_JOURNAL");
    const std::string Lines = ReadFile(Journal);
    const auto TimeOf = [&](const std::string& Event) {
        const auto End = Lines.find(" " + Event);
        if (End == std::string::npos) {
            return 0.0;
        }
        const auto LineStart = Lines.rfind('\n', End);
        const auto Start = LineStart == std::string::npos ? 0 : LineStart + 1;
        return std::strtod(Lines.c_str() + Start + 2, nullptr) / 1e6;  // after "t="
    };
    const double Sequence = TimeOf("UsbDrDaqCloseUnit") - TimeOf("UsbDrDaqSetRGBLED");
    if (Lines.empty()) {
        std::fprintf(stderr, "no journal at %s\n", Journal.c_str());
    }
    std::remove(Journal.c_str());
    std::remove(Report.c_str());

    std::printf("Kelvask, %d runs each (median, min), on this machine:\n", Runs);
    std::printf("  full run:            %8.3f ms (%.3f)  pauses 400 ms  overhead %.3f ms  ratio %.4f\n",
                Full.Median, Full.Minimum, Full.Median - 400.0, Full.Median / 400.0);
    std::printf("  colour sequence:     %8.3f ms as the unit saw it (four pauses of 100 ms)\n", Sequence);
    std::printf("  no library found:    %8.3f ms (%.3f)  runs: %d\n", NoLibrary.Median, NoLibrary.Minimum,
                Runs * 10);
    std::printf("  trivial process:     %8.3f ms (%.3f)  difference %.3f ms\n", TrivialRun.Median,
                TrivialRun.Minimum, NoLibrary.Median - TrivialRun.Median);
    std::printf("  writes of a full run: %zu   output statements: %zu   buffer fills: 0\n", Writes,
                Statements);
    return 0;
}
