// POSIX systems: the dynamic loader (dlopen), the first argument from main,
// and a monotonic sleep.
#include "platform_services.h"

#include <dlfcn.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include <cerrno>
#include <ctime>

#if defined(__x86_64__)
const char TargetCpuName[] = "x86_64";
#elif defined(__i386__)
const char TargetCpuName[] = "x86";
#elif defined(__aarch64__)
const char TargetCpuName[] = "aarch64";
#elif defined(__arm__)
const char TargetCpuName[] = "arm";
#elif defined(__riscv) && __riscv_xlen == 64
const char TargetCpuName[] = "riscv64";
#else
const char TargetCpuName[] = "unknown";
#endif

#if defined(__APPLE__)
const char TargetOsName[] = "macOS";
#elif defined(__FreeBSD__)
const char TargetOsName[] = "FreeBSD";
#else
const char TargetOsName[] = "Linux";
#endif

namespace {

// The bare name goes through the dynamic loader's own search
// (LD_LIBRARY_PATH, the cache, the system folders); the second is where the
// vendor's Linux package installs the driver.
const char* const Candidates[] = {
    "libusbdrdaq.so",
    "/opt/picoscope/lib/libusbdrdaq.so",
};

int KeptArgumentCount = 0;
char** KeptArguments = nullptr;

// dlerror() hands out its text once; FindEntryPoint keeps it for
// LastErrorText so the two calls behave like GetProcAddress and GetLastError.
std::string LastLoaderError;

}  // namespace

const std::span<const char* const> LibraryCandidates{Candidates};
const char UsageLibraryPath[] = "/opt/picoscope/lib/libusbdrdaq.so";

NativePath NativePathFromText(const std::string& Text) {
    return Text;
}

std::string TextFromNativePath(const NativePath& Path) {
    return Path;
}

void KeepProcessArguments(int Count, char** Arguments) {
    KeptArgumentCount = Count;
    KeptArguments = Arguments;
}

NativePath FirstArgument() {
    if (KeptArgumentCount < 2 || KeptArguments == nullptr || KeptArguments[1] == nullptr) {
        return {};
    }
    return KeptArguments[1];
}

LoadedLibrary LoadDriverLibrary(const NativePath& Path) {
    void* Library = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* Error = dlerror();
    LastLoaderError = Error == nullptr ? "" : Error;
    return Library;
}

void* FindEntryPoint(LoadedLibrary Library, const char* Name) {
    dlerror();
    void* Address = dlsym(Library, Name);
    const char* Error = dlerror();
    LastLoaderError = Error == nullptr ? "" : Error;
    return Address;
}

bool UnloadDriverLibrary(LoadedLibrary Library) {
    const bool Released = dlclose(Library) == 0;
    const char* Error = dlerror();
    LastLoaderError = Error == nullptr ? "" : Error;
    return Released;
}

// The loader's text has no line end of its own; CR LF is added so the report
// has the same shape as with the Windows system texts.
std::string LastErrorText() {
    if (LastLoaderError.empty()) {
        return {};
    }
    return LastLoaderError + "\r\n";
}

void PauseMs(std::uint16_t Milliseconds) {
#if defined(__linux__)
    // The default 50 microseconds of timer slack would add to every pause.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    timespec Until{};
    clock_gettime(CLOCK_MONOTONIC, &Until);
    Until.tv_sec += Milliseconds / 1000;
    Until.tv_nsec += static_cast<long>(Milliseconds % 1000) * 1000000L;
    if (Until.tv_nsec >= 1000000000L) {
        Until.tv_sec += 1;
        Until.tv_nsec -= 1000000000L;
    }
    // An absolute deadline, so a signal that interrupts the sleep does not
    // shorten or lengthen the pause.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &Until, nullptr) == EINTR) {
    }
}
