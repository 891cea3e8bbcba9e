#include <windows.h>

#include "unit_host.h"

std::string EnvironmentText(const char* Name, bool& Present) {
    char Small[1024];
    const DWORD Length = GetEnvironmentVariableA(Name, Small, sizeof Small);
    Present = Length != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    if (Length < sizeof Small) {
        return std::string(Small, Length);
    }
    std::string Value(Length, '\0');
    const DWORD Copied = GetEnvironmentVariableA(Name, Value.data(), Length);
    Value.resize(Copied);
    return Value;
}

std::uint64_t MonotonicNanoseconds() {
    LARGE_INTEGER Count{};
    LARGE_INTEGER Frequency{};
    QueryPerformanceCounter(&Count);
    QueryPerformanceFrequency(&Frequency);
    const auto Ticks = static_cast<std::uint64_t>(Count.QuadPart);
    const auto PerSecond = static_cast<std::uint64_t>(Frequency.QuadPart);
    return Ticks / PerSecond * 1000000000u + Ticks % PerSecond * 1000000000u / PerSecond;
}

long long ReportBytesSoFar() {
    const HANDLE Output = GetStdHandle(STD_OUTPUT_HANDLE);
    LARGE_INTEGER Size{};
    if (Output == INVALID_HANDLE_VALUE || Output == nullptr || GetFileType(Output) != FILE_TYPE_DISK ||
        !GetFileSizeEx(Output, &Size)) {
        return -1;
    }
    return Size.QuadPart;
}

void AppendToFile(const std::string& Path, const std::string& Line) {
    const HANDLE File =
        CreateFileA(Path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (File == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD Written = 0;
    WriteFile(File, Line.data(), static_cast<DWORD>(Line.size()), &Written, nullptr);
    CloseHandle(File);
}

// Reserved is null when FreeLibrary releases the library and non-null when
// the process ends with the library still loaded.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD Reason, LPVOID Reserved) {
    if (Reason == DLL_PROCESS_ATTACH) {
        JournalLibraryLoaded();
    } else if (Reason == DLL_PROCESS_DETACH) {
        JournalLibraryReleased(Reserved == nullptr ? "program" : "exit");
    }
    return TRUE;
}
