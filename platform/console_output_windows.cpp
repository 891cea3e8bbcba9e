// The Windows console. Bytes go to the standard output handle untranslated;
// while a console shows them, its output code page is the ANSI code page the
// program holds its text in.
#include <windows.h>

#include "console_output.h"

namespace {

void WriteAll(HANDLE Output, const char* Bytes, std::size_t Count) {
    while (Count > 0) {
        const DWORD Piece = Count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(Count);
        DWORD Written = 0;
        if (!WriteFile(Output, Bytes, Piece, &Written, nullptr) || Written == 0) {
            return;  // the text is lost; the run goes on
        }
        Bytes += Written;
        Count -= Written;
    }
}

void HandOverToConsole(const char* Bytes, std::size_t Count) {
    const HANDLE Output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (Output == INVALID_HANDLE_VALUE || Output == nullptr) {
        return;
    }
    DWORD Mode = 0;
    if (!GetConsoleMode(Output, &Mode)) {
        WriteAll(Output, Bytes, Count);  // a file or a pipe: the bytes as they are
        return;
    }
    const UINT Previous = GetConsoleOutputCP();
    SetConsoleOutputCP(GetACP());
    WriteAll(Output, Bytes, Count);
    if (Previous != 0) {
        SetConsoleOutputCP(Previous);
    }
}

}  // namespace

ReportWriter ConsoleReportWriter() {
    return MakeReportWriter(HandOverToConsole);
}
