// The first argument of a Windows command line: separators are the codes 1
// to 32 outside double quotes, quotes are removed, backslashes are plain.
#include "platform/command_line.h"
#include "case_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CommandLineCase {
    const char* Name;
    std::string CommandLine;
    std::string FirstArgument;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CommandLineCase& Case, std::ostream* Stream) {
    *Stream << Case.Name;
}

class FirstArgumentOfCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(FirstArgumentOfCommandLine, IsTheSecondWordWithQuotesRemoved) {
    EXPECT_EQ(FirstArgumentOf(std::string_view(GetParam().CommandLine)), GetParam().FirstArgument);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FirstArgumentOfCommandLine,
    ::testing::Values(
        CommandLineCase{"Empty", "", ""}, CommandLineCase{"ProgramOnly", "Kelvask.exe", ""},
        CommandLineCase{"ProgramAndSpaces", "Kelvask.exe   ", ""},
        CommandLineCase{"OneArgument", "Kelvask.exe USBDrDAQ.dll", "USBDrDAQ.dll"},
        CommandLineCase{"SeveralArguments", "Kelvask.exe a.dll b.dll c", "a.dll"},
        CommandLineCase{"LeadingAndRepeatedSeparators", "  Kelvask.exe \t\t  a.dll  ", "a.dll"},
        CommandLineCase{"ControlCharactersSeparate",
                        "Kelvask.exe\x01\x1f\x0d\x0a"
                        "a.dll",
                        "a.dll"},
        CommandLineCase{"DeleteIsNoSeparator",
                        "Kelvask.exe a\x7f"
                        "b",
                        "a\x7f"
                        "b"},
        CommandLineCase{"QuotedProgramWithSpaces", "\"C:\\Program Files\\Kelvask.exe\" a.dll", "a.dll"},
        CommandLineCase{"QuotedPathWithSpaces",
                        "Kelvask.exe \"C:\\Program Files\\Pico Technology\\PicoLog 6\\usbdrdaq.dll\"",
                        "C:\\Program Files\\Pico Technology\\PicoLog 6\\usbdrdaq.dll"},
        CommandLineCase{"EmptyQuotesAreAnEmptyArgument", "Kelvask.exe \"\"", ""},
        CommandLineCase{"EmptyQuotesBeforeAnotherArgument", "Kelvask.exe \"\" a.dll", ""},
        CommandLineCase{"QuotesInTheMiddleOfAWord", "Kelvask.exe C:\\Pico\" \"Tech\\a.dll",
                        "C:\\Pico Tech\\a.dll"},
        CommandLineCase{"QuotedAndPlainJoined", "Kelvask.exe \"C:\\a b\"\\c.dll next", "C:\\a b\\c.dll"},
        CommandLineCase{"BackslashBeforeQuoteIsPlain", "Kelvask.exe \"C:\\dir\\\" next", "C:\\dir\\"},
        CommandLineCase{"BackslashQuotePairsAreNotEscapes", "Kelvask.exe \\\"a b\\\"", "\\a b\\"},
        CommandLineCase{"DoubledBackslashesStay", "Kelvask.exe C:\\\\share\\\\x.dll", "C:\\\\share\\\\x.dll"},
        CommandLineCase{"UnclosedQuoteRunsToTheEnd", "Kelvask.exe \"C:\\a b\\c.dll", "C:\\a b\\c.dll"},
        CommandLineCase{"QuotedSeparatorsInTheProgramName", "\"K el\"vask.exe x", "x"},
        CommandLineCase{"BytesAbove127Stay", "Kelvask.exe C:\\caf\xE9\\x.dll", "C:\\caf\xE9\\x.dll"}),
    CaseName());

TEST(FirstArgumentOfWideCommandLine, KeepsCharactersOutsideAnyCodePage) {
    const std::wstring CommandLine = L"Kelvask.exe \"C:\\\x03A9\x4E2D dir\\USBDrDAQ.dll\" more";
    EXPECT_EQ(FirstArgumentOf(std::wstring_view(CommandLine)), L"C:\\\x03A9\x4E2D dir\\USBDrDAQ.dll");
}

TEST(FirstArgumentOfWideCommandLine, StopsAtAnEmbeddedNul) {
    const std::wstring CommandLine(L"Kelvask.exe a\0b", 15);
    EXPECT_EQ(FirstArgumentOf(std::wstring_view(CommandLine)), L"a");
}

}  // namespace
