// The only way Kelvask writes. Items are collected in a pending buffer and
// handed to the console when a statement ends, so a label written before a
// driver call and the status written after it appear together.
//
// An output statement is a series of WriteText, WriteUnsigned, WriteChar and
// WriteBoundedText followed by exactly one FlushPartial or EndLine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Receives every hand-over of pending text, in order. It reports nothing: a
// hand-over that fails loses its text and the run goes on.
using HandOverFunction = void (*)(const char* Bytes, std::size_t Count);

constexpr std::size_t ReportBufferCapacity = 256;

struct ReportWriter {
    HandOverFunction HandOver;
    char Pending[ReportBufferCapacity];
    std::size_t PendingLength;
};

ReportWriter MakeReportWriter(HandOverFunction HandOver);

// Text flush right in a field of MinimumWidth characters: spaces go first.
void WriteText(ReportWriter& Report, std::string_view Text, std::size_t MinimumWidth = 0);

// Decimal digits, no sign, no leading zeros, padded in front like WriteText.
void WriteUnsigned(ReportWriter& Report, std::uint32_t Number, std::size_t MinimumWidth = 0);

void WriteChar(ReportWriter& Report, char Character);

// The characters before the first NUL, or all Capacity characters when the
// array holds no NUL.
void WriteBoundedText(ReportWriter& Report, const char* Array, std::size_t Capacity);

// Ends a statement without ending the line: the pending text is handed over
// and the next statement continues the same line.
void FlushPartial(ReportWriter& Report);

// Ends a statement and the line: CR LF, then the hand-over.
void EndLine(ReportWriter& Report);
