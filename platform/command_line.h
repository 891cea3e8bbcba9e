// Splitting a Windows command line into its first argument.
//
// Arguments are separated by runs of characters with codes 1 to 32 outside
// double quotes; the quotes are removed and every other character, the
// backslash included, is kept as it stands. This is not the C runtime's rule:
// a backslash before a quote has no special meaning here. Any run of
// characters that are not separators is an argument, so "" alone is an empty
// argument.
#pragma once

#include <string>
#include <string_view>

template <typename Character>
std::basic_string<Character> FirstArgumentOf(std::basic_string_view<Character> CommandLine) {
    std::basic_string<Character> Argument;
    std::size_t Position = 0;
    const auto IsSeparator = [](Character C) { return C >= 1 && C <= 32; };
    // Reads one argument from Position into Argument; false when none is left.
    const auto ReadArgument = [&]() {
        while (Position < CommandLine.size() && IsSeparator(CommandLine[Position])) {
            ++Position;
        }
        if (Position >= CommandLine.size() || CommandLine[Position] == 0) {
            return false;
        }
        Argument.clear();
        bool Quoted = false;
        for (; Position < CommandLine.size() && CommandLine[Position] != 0; ++Position) {
            const Character C = CommandLine[Position];
            if (C == '"') {
                Quoted = !Quoted;
            } else if (!Quoted && IsSeparator(C)) {
                break;
            } else {
                Argument.push_back(C);
            }
        }
        return true;
    };
    const bool HasProgramName = ReadArgument();
    if (!HasProgramName || !ReadArgument()) {
        return {};
    }
    return Argument;
}
