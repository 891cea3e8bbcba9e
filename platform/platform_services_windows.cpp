// 64-bit Windows: kernel32's loader, its message table and Sleep; the first
// argument from the process's own command line.
#include <windows.h>

#include "command_line.h"
#include "platform_services.h"

const char TargetOsName[] = "Win64";
const char TargetCpuName[] = "x86_64";

namespace {

const char* const Candidates[] = {
    "USBDrDAQ.dll",
    "C:\\Program Files\\Pico Technology\\PicoScope6\\USBDrDAQ.dll",
    "C:\\Program Files (x86)\\Pico Technology\\PicoScope6\\USBDrDAQ.dll",
    "C:\\Program Files\\Pico Technology\\PicoLog 6\\USBDrDAQ.dll",
    "C:\\Program Files (x86)\\Pico Technology\\PicoLog 6\\USBDrDAQ.dll",
    "C:\\Program Files\\Pico Technology\\SDK\\lib\\usbdrdaq.lib",
    "C:\\Program Files (x86)\\Pico Technology\\SDK\\lib\\usbdrdaq.lib",
};

constexpr DWORD ErrorTextCapacity = 255;
constexpr DWORD NeutralLanguage = 0x0400;  // neutral language, default sublanguage

}  // namespace

const std::span<const char* const> LibraryCandidates{Candidates};
const char UsageLibraryPath[] = "C:\\Program Files\\Pico Technology\\PicoLog 6\\usbdrdaq.dll";

NativePath NativePathFromText(const std::string& Text) {
    if (Text.empty()) {
        return {};
    }
    const int Size = static_cast<int>(Text.size());
    const int Length = MultiByteToWideChar(CP_ACP, 0, Text.data(), Size, nullptr, 0);
    NativePath Path(static_cast<std::size_t>(Length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Text.data(), Size, Path.data(), Length);
    return Path;
}

// Characters the ANSI code page cannot hold are shown in its best-fit form,
// as the system's own 8-bit command line would show them.
std::string TextFromNativePath(const NativePath& Path) {
    if (Path.empty()) {
        return {};
    }
    const int Size = static_cast<int>(Path.size());
    const int Length = WideCharToMultiByte(CP_ACP, 0, Path.data(), Size, nullptr, 0, nullptr, nullptr);
    std::string Text(static_cast<std::size_t>(Length), '\0');
    WideCharToMultiByte(CP_ACP, 0, Path.data(), Size, Text.data(), Length, nullptr, nullptr);
    return Text;
}

void KeepProcessArguments(int, char**) {}

// Taken from the UTF-16 command line, so the loader opens exactly the file
// the user named even when its name has characters outside the ANSI code
// page.
NativePath FirstArgument() {
    const wchar_t* CommandLine = GetCommandLineW();
    if (CommandLine == nullptr) {
        return {};
    }
    return FirstArgumentOf(std::wstring_view(CommandLine));
}

LoadedLibrary LoadDriverLibrary(const NativePath& Path) {
    return LoadLibraryW(Path.c_str());
}

void* FindEntryPoint(LoadedLibrary Library, const char* Name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(Library), Name));
}

bool UnloadDriverLibrary(LoadedLibrary Library) {
    return FreeLibrary(static_cast<HMODULE>(Library)) != 0;
}

std::string LastErrorText() {
    const DWORD Error = GetLastError();
    char Text[ErrorTextCapacity];
    const DWORD Length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, Error, NeutralLanguage, Text,
                                        ErrorTextCapacity, nullptr);
    return std::string(Text, Length < ErrorTextCapacity ? Length : 0);
}

void PauseMs(std::uint16_t Milliseconds) {
    Sleep(Milliseconds);
}
