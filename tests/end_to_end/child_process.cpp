#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

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
    if (Child.Output == OutputSink::BrokenPipe && pipe(Pipe) != 0) {
        return -1;
    }
    const pid_t Process = fork();
    if (Process == 0) {
        if (Pipe[0] >= 0) {
            close(Pipe[0]);
        }
        StartInChild(Child, Pipe[1]);
    }
    if (Pipe[0] >= 0) {
        close(Pipe[0]);  // nobody reads: every write to the pipe fails
        close(Pipe[1]);
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
