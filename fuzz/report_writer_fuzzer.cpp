// Random statements through the report writer, checked against a plain
// model: the bytes handed over are exactly the items' own, nothing is left
// pending when a statement ends, and within a statement every hand-over but
// the last is a full buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/report_writer.h"

namespace {

std::vector<std::string> HandOvers;

void Capture(const char* Bytes, std::size_t Count) {
    if (Count == 0 || Count > ReportBufferCapacity) {
        std::abort();
    }
    HandOvers.emplace_back(Bytes, Count);
}

struct Input {
    const std::uint8_t* Data;
    std::size_t Size;
    std::uint8_t Byte() {
        if (Size == 0) {
            return 0;
        }
        --Size;
        return *Data++;
    }
    std::string Bytes(std::size_t Count) {
        std::string Taken;
        while (Count-- > 0 && Size > 0) {
            Taken.push_back(static_cast<char>(Byte()));
        }
        return Taken;
    }
};

std::string Padded(const std::string& Text, std::size_t Width) {
    return Width > Text.size() ? std::string(Width - Text.size(), ' ') + Text : Text;
}

void CheckStatementEnd(const std::string& Model, std::size_t FirstOfStatement) {
    std::string Written;
    for (const std::string& Piece : HandOvers) {
        Written += Piece;
    }
    if (Written != Model) {
        std::abort();
    }
    for (std::size_t I = FirstOfStatement; I + 1 < HandOvers.size(); ++I) {
        if (HandOvers[I].size() != ReportBufferCapacity) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    HandOvers.clear();
    ReportWriter Report = MakeReportWriter(Capture);
    Input In{Data, Size};
    std::string Model;
    std::size_t FirstOfStatement = 0;

    while (In.Size > 0) {
        const std::uint8_t Operation = In.Byte();
        const std::size_t Width = In.Byte() % 16;
        switch (Operation % 6) {
            case 0: {
                const std::size_t Length = In.Byte() + static_cast<std::size_t>(In.Byte() % 4) * 256;
                const std::string Text = In.Bytes(Length);
                WriteText(Report, Text, Width);
                Model += Padded(Text, Width);
                break;
            }
            case 1: {
                std::uint32_t Number = 0;
                for (int I = 0; I < 4; ++I) {
                    Number = Number << 8 | In.Byte();
                }
                WriteUnsigned(Report, Number, Width);
                Model += Padded(std::to_string(Number), Width);
                break;
            }
            case 2: {
                const char C = static_cast<char>(In.Byte());
                WriteChar(Report, C);
                Model.push_back(C);
                break;
            }
            case 3: {
                const std::string Array = In.Bytes(In.Byte() + 1u);
                WriteBoundedText(Report, Array.data(), Array.size());
                Model += Array.substr(0, Array.find('\0'));
                break;
            }
            case 4:
                FlushPartial(Report);
                CheckStatementEnd(Model, FirstOfStatement);
                FirstOfStatement = HandOvers.size();
                break;
            default:
                EndLine(Report);
                Model += "\r\n";
                CheckStatementEnd(Model, FirstOfStatement);
                FirstOfStatement = HandOvers.size();
                break;
        }
    }
    EndLine(Report);
    Model += "\r\n";
    CheckStatementEnd(Model, FirstOfStatement);
    return 0;
}
