// The simulated unit's journal: one entry per call it received.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct JournalEntry {
    std::uint64_t Nanoseconds = 0;  // monotonic
    long long ReportBytes = -1;     // bytes of the report on standard output by then
    unsigned FloatControlWord = 0;  // x87 control and status word at the call
    unsigned FloatStatusWord = 0;
    std::string Event;  // entry point name, "load" or "release"
    std::map<std::string, std::string> Arguments;

    std::string Argument(const std::string& Name) const;
    long long Number(const std::string& Name) const;
};

std::vector<JournalEntry> ReadJournal(const std::string& Path);

// The entries of one event, in order.
std::vector<JournalEntry> EntriesOf(const std::vector<JournalEntry>& Journal, const std::string& Event);

// The events alone, in order, for comparing whole call sequences.
std::vector<std::string> EventNames(const std::vector<JournalEntry>& Journal);
