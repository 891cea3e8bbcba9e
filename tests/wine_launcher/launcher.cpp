// Starts a program with an exact command line, as a Windows shell or script
// would: CreateProcessW with the text of KELVASK_LAUNCH_COMMAND_LINE, the
// launcher's own standard handles, and its exit status passed on. Wine's
// own start-up quotes arguments its own way, so the end-to-end tests go
// through this to control every character the program sees.
#include <windows.h>

#include <string>

namespace {

HANDLE InheritableStandardHandle(DWORD Which) {
    const HANDLE Handle = GetStdHandle(Which);
    if (Handle != nullptr && Handle != INVALID_HANDLE_VALUE) {
        SetHandleInformation(Handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    return Handle;
}

}  // namespace

int main() {
    const wchar_t Name[] = L"KELVASK_LAUNCH_COMMAND_LINE";
    const DWORD Length = GetEnvironmentVariableW(Name, nullptr, 0);
    if (Length == 0) {
        return 125;
    }
    std::wstring CommandLine(Length, L'\0');
    CommandLine.resize(GetEnvironmentVariableW(Name, CommandLine.data(), Length));

    STARTUPINFOW Startup{};
    Startup.cb = sizeof Startup;
    Startup.dwFlags = STARTF_USESTDHANDLES;
    Startup.hStdInput = InheritableStandardHandle(STD_INPUT_HANDLE);
    Startup.hStdOutput = InheritableStandardHandle(STD_OUTPUT_HANDLE);
    Startup.hStdError = InheritableStandardHandle(STD_ERROR_HANDLE);

    PROCESS_INFORMATION Process{};
    if (!CreateProcessW(nullptr, CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &Startup,
                        &Process)) {
        return 126;
    }
    WaitForSingleObject(Process.hProcess, INFINITE);
    DWORD ExitStatus = 127;
    GetExitCodeProcess(Process.hProcess, &ExitStatus);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    return static_cast<int>(ExitStatus);
}
