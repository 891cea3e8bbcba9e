#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "unit_host.h"

std::string EnvironmentText(const char* Name, bool& Present) {
    const char* Value = std::getenv(Name);
    Present = Value != nullptr;
    return Present ? Value : "";
}

std::uint64_t MonotonicNanoseconds() {
    timespec Now{};
    clock_gettime(CLOCK_MONOTONIC, &Now);
    return static_cast<std::uint64_t>(Now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(Now.tv_nsec);
}

long long ReportBytesSoFar() {
    struct stat Output {};
    if (fstat(STDOUT_FILENO, &Output) != 0 || !S_ISREG(Output.st_mode)) {
        return -1;
    }
    return static_cast<long long>(Output.st_size);
}

void AppendToFile(const std::string& Path, const std::string& Line) {
    const int File = open(Path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (File < 0) {
        return;
    }
    ssize_t Ignored = write(File, Line.data(), Line.size());
    (void)Ignored;
    close(File);
}

// The loader runs these on dlopen and on dlclose or process exit; on this
// platform the two causes of release look the same.
__attribute__((constructor)) static void OnLoad() {
    JournalLibraryLoaded();
}

__attribute__((destructor)) static void OnRelease() {
    JournalLibraryReleased("unknown");
}
