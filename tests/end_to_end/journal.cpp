#include "journal.h"

#include <cstdlib>
#include <sstream>

#include "child_process.h"

std::string JournalEntry::Argument(const std::string& Name) const {
    const auto Found = Arguments.find(Name);
    return Found == Arguments.end() ? "<missing>" : Found->second;
}

long long JournalEntry::Number(const std::string& Name) const {
    return std::strtoll(Argument(Name).c_str(), nullptr, 10);
}

std::vector<JournalEntry> ReadJournal(const std::string& Path) {
    std::vector<JournalEntry> Journal;
    std::istringstream Lines(ReadWholeFile(Path));
    std::string Line;
    while (std::getline(Lines, Line)) {
        JournalEntry Entry;
        std::istringstream Words(Line);
        std::string Word;
        while (Words >> Word) {
            const auto Equals = Word.find('=');
            if (Equals == std::string::npos) {
                Entry.Event = Word;
                continue;
            }
            const std::string Key = Word.substr(0, Equals);
            const std::string Value = Word.substr(Equals + 1);
            if (Key == "t") {
                Entry.Nanoseconds = std::strtoull(Value.c_str(), nullptr, 10);
            } else if (Key == "out") {
                Entry.ReportBytes = std::strtoll(Value.c_str(), nullptr, 10);
            } else if (Key == "fpu") {
                Entry.FloatControlWord = static_cast<unsigned>(std::strtoul(Value.c_str(), nullptr, 16));
            } else if (Key == "fsw") {
                Entry.FloatStatusWord = static_cast<unsigned>(std::strtoul(Value.c_str(), nullptr, 16));
            } else {
                Entry.Arguments[Key] = Value;
            }
        }
        Journal.push_back(Entry);
    }
    return Journal;
}

std::vector<JournalEntry> EntriesOf(const std::vector<JournalEntry>& Journal, const std::string& Event) {
    std::vector<JournalEntry> Found;
    for (const JournalEntry& Entry : Journal) {
        if (Entry.Event == Event) {
            Found.push_back(Entry);
        }
    }
    return Found;
}

std::vector<std::string> EventNames(const std::vector<JournalEntry>& Journal) {
    std::vector<std::string> Names;
    for (const JournalEntry& Entry : Journal) {
        Names.push_back(Entry.Event);
    }
    return Names;
}
