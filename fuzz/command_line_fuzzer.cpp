// The command-line splitter on any text: its result is made of the input's
// own characters in their order, minus the quotes, and the narrow and wide
// forms of the rule agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/command_line.h"

namespace {

bool IsSubsequence(const std::string& Part, const std::string& Whole) {
    std::size_t At = 0;
    for (const char C : Whole) {
        if (At < Part.size() && Part[At] == C) {
            ++At;
        }
    }
    return At == Part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string CommandLine(reinterpret_cast<const char*>(Data), Size);
    const std::string Argument = FirstArgumentOf(std::string_view(CommandLine));

    if (Argument.find('"') != std::string::npos || Argument.find('\0') != std::string::npos ||
        !IsSubsequence(Argument, CommandLine)) {
        std::abort();
    }
    // Outside quotes, a separator always ends the argument.
    if (CommandLine.find('"') == std::string::npos) {
        for (const char C : Argument) {
            if (C >= 1 && C <= 32) {
                std::abort();
            }
        }
    }

    std::wstring Wide;
    for (const char C : CommandLine) {
        Wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(C)));
    }
    const std::wstring WideArgument = FirstArgumentOf(std::wstring_view(Wide));
    std::wstring Expected;
    for (const char C : Argument) {
        Expected.push_back(static_cast<wchar_t>(static_cast<unsigned char>(C)));
    }
    if (WideArgument != Expected) {
        std::abort();
    }
    return 0;
}
