// Formatting rules of the report writer and when its text is handed over.
#include "platform/report_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "case_names.h"

namespace {

std::vector<std::string> HandOvers;

void Capture(const char* Bytes, std::size_t Count) {
    HandOvers.emplace_back(Bytes, Count);
}

class ReportWriterTest : public ::testing::Test {
protected:
    void SetUp() override { HandOvers.clear(); }
    ReportWriter Report = MakeReportWriter(Capture);
};

struct FormattingCase {
    const char* Name;
    std::function<void(ReportWriter&)> Write;
    std::string Expected;  // what one FlushPartial then hands over
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FormattingCase& Case, std::ostream* Stream) {
    *Stream << Case.Name;
}

class Formatting : public ::testing::TestWithParam<FormattingCase> {};

TEST_P(Formatting, WritesExactlyTheseBytes) {
    HandOvers.clear();
    ReportWriter Report = MakeReportWriter(Capture);
    GetParam().Write(Report);
    FlushPartial(Report);
    std::string Written;
    for (const std::string& Piece : HandOvers) {
        Written += Piece;
    }
    EXPECT_EQ(Written, GetParam().Expected);
}

const char NoNul[5] = {'a', 'b', 'c', 'd', 'e'};
const char NulFirst[4] = {'\0', 'x', 'y', 'z'};
const char NulInside[6] = {'a', 'b', '\0', 'c', 'd', '\0'};

INSTANTIATE_TEST_SUITE_P(
    Items, Formatting,
    ::testing::Values(
        FormattingCase{"EmptyText", [](ReportWriter& R) { WriteText(R, ""); }, ""},
        FormattingCase{"EmptyTextInField", [](ReportWriter& R) { WriteText(R, "", 3); }, "   "},
        FormattingCase{"TextFlushRight", [](ReportWriter& R) { WriteText(R, "ab", 5); }, "   ab"},
        FormattingCase{"TextWiderThanField", [](ReportWriter& R) { WriteText(R, "abcdef", 3); }, "abcdef"},
        FormattingCase{"TextWithTabAndBytesAbove127", [](ReportWriter& R) { WriteText(R, "a\tb\xE9\xFF"); },
                       "a\tb\xE9\xFF"},
        FormattingCase{"Zero", [](ReportWriter& R) { WriteUnsigned(R, 0); }, "0"},
        FormattingCase{"LargestNumber", [](ReportWriter& R) { WriteUnsigned(R, 4294967295u); }, "4294967295"},
        FormattingCase{"TopBitSet", [](ReportWriter& R) { WriteUnsigned(R, 0x80000003u); }, "2147483651"},
        FormattingCase{"OneDigitInFour", [](ReportWriter& R) { WriteUnsigned(R, 7, 4); }, "   7"},
        FormattingCase{"TwoDigitsInFour", [](ReportWriter& R) { WriteUnsigned(R, 48, 4); }, "  48"},
        FormattingCase{"FiveDigitsInFour", [](ReportWriter& R) { WriteUnsigned(R, 12345, 4); }, "12345"},
        FormattingCase{"ZeroInFour", [](ReportWriter& R) { WriteUnsigned(R, 0, 4); }, "   0"},
        FormattingCase{"Char", [](ReportWriter& R) { WriteChar(R, '\t'); }, "\t"},
        FormattingCase{"NulChar", [](ReportWriter& R) { WriteChar(R, '\0'); }, std::string(1, '\0')},
        FormattingCase{"BoundedWithoutNul", [](ReportWriter& R) { WriteBoundedText(R, NoNul, sizeof NoNul); },
                       "abcde"},
        FormattingCase{"BoundedNulFirst",
                       [](ReportWriter& R) { WriteBoundedText(R, NulFirst, sizeof NulFirst); }, ""},
        FormattingCase{"BoundedStopsAtFirstNul",
                       [](ReportWriter& R) { WriteBoundedText(R, NulInside, sizeof NulInside); }, "ab"},
        FormattingCase{"InfoLine",
                       [](ReportWriter& R) {
                           WriteUnsigned(R, 7, 4);
                           WriteChar(R, ' ');
                           WriteText(R, "ABC");
                       },
                       "   7 ABC"}),
    CaseName());

TEST_F(ReportWriterTest, NothingIsHandedOverBeforeTheStatementEnds) {
    WriteText(Report, "Enable RGB LED:  ");
    EXPECT_TRUE(HandOvers.empty());
    WriteUnsigned(Report, 0);
    EndLine(Report);
    EXPECT_EQ(HandOvers, std::vector<std::string>{"Enable RGB LED:  0\r\n"});
}

TEST_F(ReportWriterTest, PartialLineIsCompletedByTheNextStatement) {
    WriteText(Report, "Loading library: ");
    WriteText(Report, "x.dll");
    FlushPartial(Report);
    EndLine(Report);
    EXPECT_EQ(HandOvers, (std::vector<std::string>{"Loading library: x.dll", "\r\n"}));
}

TEST_F(ReportWriterTest, LineEndInsideTextBreaksTheLineLikeEndLine) {
    WriteText(Report, "\r\n");
    WriteText(Report, " Get info before open ...");
    EndLine(Report);
    EXPECT_EQ(HandOvers, std::vector<std::string>{"\r\n Get info before open ...\r\n"});
}

TEST_F(ReportWriterTest, FlushWithNothingPendingHandsOverNothing) {
    FlushPartial(Report);
    EXPECT_TRUE(HandOvers.empty());
}

TEST_F(ReportWriterTest, StatementThatExactlyFillsTheBufferGoesOutOnce) {
    WriteText(Report, std::string(ReportBufferCapacity, 'x'));
    FlushPartial(Report);
    EXPECT_EQ(HandOvers, std::vector<std::string>{std::string(ReportBufferCapacity, 'x')});
}

TEST_F(ReportWriterTest, LineEndThatOverflowsIsSplitAtTheBufferEdge) {
    WriteText(Report, std::string(ReportBufferCapacity - 1, 'x'));
    EndLine(Report);
    EXPECT_EQ(HandOvers, (std::vector<std::string>{std::string(ReportBufferCapacity - 1, 'x') + "\r", "\n"}));
}

TEST_F(ReportWriterTest, ItemLongerThanTheBufferIsWrittenWhole) {
    std::string Long;
    for (int I = 0; I < 700; ++I) {
        Long.push_back(static_cast<char>('a' + I % 26));
    }
    WriteText(Report, "Loading library: ");
    WriteText(Report, Long, 800);
    EndLine(Report);

    const std::string Expected = "Loading library: " + std::string(100, ' ') + Long + "\r\n";
    std::string Written;
    for (const std::string& Piece : HandOvers) {
        EXPECT_LE(Piece.size(), ReportBufferCapacity);
        Written += Piece;
    }
    EXPECT_EQ(Written, Expected);
    // Full buffers while the statement lasts, the rest when it ends.
    ASSERT_EQ(HandOvers.size(), (Expected.size() + ReportBufferCapacity - 1) / ReportBufferCapacity);
    for (std::size_t I = 0; I + 1 < HandOvers.size(); ++I) {
        EXPECT_EQ(HandOvers[I].size(), ReportBufferCapacity);
    }
}

TEST_F(ReportWriterTest, BoundedTextOfAnInfoBufferWithoutNul) {
    char Text[257];
    for (std::size_t I = 0; I < sizeof Text; ++I) {
        Text[I] = static_cast<char>('A' + I % 26);
    }
    WriteBoundedText(Report, Text, sizeof Text);
    EndLine(Report);
    std::string Written;
    for (const std::string& Piece : HandOvers) {
        Written += Piece;
    }
    EXPECT_EQ(Written, std::string(Text, sizeof Text) + "\r\n");
}

}  // namespace
