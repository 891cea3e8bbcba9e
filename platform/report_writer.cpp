#include "report_writer.h"

#include <algorithm>
#include <cstring>

namespace {

void HandOverPending(ReportWriter& Report) {
    if (Report.PendingLength == 0) {
        return;
    }
    Report.HandOver(Report.Pending, Report.PendingLength);
    Report.PendingLength = 0;
}

// A full buffer is handed over only when more text follows, so a statement
// that exactly fills it still goes out in one piece.
void Append(ReportWriter& Report, const char* Bytes, std::size_t Count) {
    while (Count > 0) {
        if (Report.PendingLength == ReportBufferCapacity) {
            HandOverPending(Report);
        }
        const std::size_t Taken = std::min(Count, ReportBufferCapacity - Report.PendingLength);
        std::memcpy(Report.Pending + Report.PendingLength, Bytes, Taken);
        Report.PendingLength += Taken;
        Bytes += Taken;
        Count -= Taken;
    }
}

void AppendSpaces(ReportWriter& Report, std::size_t Count) {
    for (; Count > 0; --Count) {
        Append(Report, " ", 1);
    }
}

void AppendFlushRight(ReportWriter& Report, std::string_view Text, std::size_t MinimumWidth) {
    if (MinimumWidth > Text.size()) {
        AppendSpaces(Report, MinimumWidth - Text.size());
    }
    Append(Report, Text.data(), Text.size());
}

}  // namespace

ReportWriter MakeReportWriter(HandOverFunction HandOver) {
    ReportWriter Report{};
    Report.HandOver = HandOver;
    return Report;
}

void WriteText(ReportWriter& Report, std::string_view Text, std::size_t MinimumWidth) {
    AppendFlushRight(Report, Text, MinimumWidth);
}

void WriteUnsigned(ReportWriter& Report, std::uint32_t Number, std::size_t MinimumWidth) {
    char Digits[10];
    std::size_t First = sizeof Digits;
    do {
        Digits[--First] = static_cast<char>('0' + Number % 10);
        Number /= 10;
    } while (Number != 0);
    AppendFlushRight(Report, std::string_view(Digits + First, sizeof Digits - First), MinimumWidth);
}

void WriteChar(ReportWriter& Report, char Character) {
    Append(Report, &Character, 1);
}

void WriteBoundedText(ReportWriter& Report, const char* Array, std::size_t Capacity) {
    const void* Nul = std::memchr(Array, '\0', Capacity);
    const std::size_t Length =
        Nul == nullptr ? Capacity : static_cast<std::size_t>(static_cast<const char*>(Nul) - Array);
    Append(Report, Array, Length);
}

void FlushPartial(ReportWriter& Report) {
    HandOverPending(Report);
}

void EndLine(ReportWriter& Report) {
    Append(Report, "\r\n", 2);
    HandOverPending(Report);
}
