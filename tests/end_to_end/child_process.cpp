#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// Shrinks the pipe to one page, fills it and makes its writing end
// non-blocking; the count of bytes put in.
std::size_t FillPipe(const int Pipe[2]) {
    fcntl(Pipe[1], F_SETPIPE_SZ, 4096);
    fcntl(Pipe[1], F_SETFL, fcntl(Pipe[1], F_GETFL) | O_NONBLOCK);
    std::size_t Filled = 0;
    const char Filler[512] = {};
    for (ssize_t Written = 0; (Written = write(Pipe[1], Filler, sizeof Filler)) > 0;) {
        Filled += static_cast<std::size_t>(Written);
    }
    return Filled;
}

// Waits, then reads the pipe to its end, keeping what follows the filling.
void DrainSlowly(int ReadEnd, std::size_t Filled, const std::string& OutputPath) {
    usleep(200000);
    std::string Received;
    char Buffer[4096];
    for (ssize_t Read = 0; (Read = read(ReadEnd, Buffer, sizeof Buffer)) > 0;) {
        Received.append(Buffer, static_cast<std::size_t>(Read));
    }
    WriteWholeFile(OutputPath, Received.substr(std::min(Filled, Received.size())));
}

[[noreturn]] void StartInChild(const ChildProcess& Child, int PipeWriteEnd) {
    signal(SIGPIPE, SIG_DFL);  // as a shell would leave it
    if (!Child.WorkingDirectory.empty() && chdir(Child.WorkingDirectory.c_str()) != 0) {
        _exit(120);
    }
    for (const std::string& Name : Child.Unset) {
        unsetenv(Name.c_str());
    }
    for (const auto& [Name, Value] : Child.Environment) {
        setenv(Name.c_str(), Value.c_str(), 1);
    }
    int Output = -1;
    switch (Child.Output) {
        case OutputSink::File:
            Output = open(Child.OutputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            break;
        case OutputSink::FullDevice:
            Output = open("/dev/full", O_WRONLY);
            break;
        case OutputSink::BrokenPipe:
        case OutputSink::FullNonBlockingPipe:
            Output = PipeWriteEnd;
            break;
        case OutputSink::Closed:
            break;
    }
    if (Output >= 0) {
        dup2(Output, STDOUT_FILENO);
        if (Output != STDOUT_FILENO) {
            close(Output);
        }
    } else {
        close(STDOUT_FILENO);
    }
    std::vector<char*> Arguments;
    for (const std::string& Argument : Child.Command) {
        Arguments.push_back(const_cast<char*>(Argument.c_str()));
    }
    Arguments.push_back(nullptr);
    execvp(Arguments[0], Arguments.data());
    _exit(121);
}

}  // namespace

int RunChildProcess(const ChildProcess& Child) {
    int Pipe[2] = {-1, -1};
    const bool Piped =
        Child.Output == OutputSink::BrokenPipe || Child.Output == OutputSink::FullNonBlockingPipe;
    if (Piped && pipe(Pipe) != 0) {
        return -1;
    }
    const std::size_t Filled = Child.Output == OutputSink::FullNonBlockingPipe ? FillPipe(Pipe) : 0;
    const pid_t Process = fork();
    if (Process == 0) {
        if (Pipe[0] >= 0) {
            close(Pipe[0]);
        }
        StartInChild(Child, Pipe[1]);
    }
    if (Child.Output == OutputSink::BrokenPipe) {
        close(Pipe[0]);  // nobody reads: every write to the pipe fails
        close(Pipe[1]);
    } else if (Child.Output == OutputSink::FullNonBlockingPipe) {
        close(Pipe[1]);
        DrainSlowly(Pipe[0], Filled, Child.OutputPath);
        close(Pipe[0]);
    }
    int Status = 0;
    if (Process < 0 || waitpid(Process, &Status, 0) != Process) {
        return -1;
    }
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
}

std::string ReadWholeFile(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& Path, const std::string& Bytes) {
    std::ofstream File(Path, std::ios::binary | std::ios::trunc);
    File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

std::string MakeScratchFolder() {
    std::string Template = "/tmp/kelvask-test-XXXXXX";
    if (mkdtemp(Template.data()) == nullptr) {
        std::abort();
    }
    return Template;
}
