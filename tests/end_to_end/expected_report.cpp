#include "expected_report.h"

#include <cstdio>

InfoItems DefaultItemsBeforeOpen() {
    return {{0, "2.1.0.42"}};
}

InfoItems DefaultItemsAfterOpen() {
    return {{0, "2.1.0.42"},   {1, "2.0"},     {2, "1"},      {3, "USB DrDAQ"},
            {4, "CZ123/0456"}, {5, "11Dec26"}, {6, "1.0.0.7"}};
}

std::string Banner(const Target& T) {
    return "Library & Connection test for pico DrDAQ v0.97\r\n"
           " 0 as output code means O.K. Compiled for " +
           T.BuiltFor() + "\r\n\r\n";
}

std::string LoadingLine(const std::string& Path) {
    return "Loading library: " + Path;
}

std::string DefaultWalk(const Target& T, std::size_t LastTried) {
    std::string Text;
    const std::vector<std::string> Candidates = T.Candidates();
    for (std::size_t I = 0; I <= LastTried; ++I) {
        Text += LoadingLine(Candidates.at(I));
        if (I < LastTried) {
            Text += " ... Unsuccessful!\r\n";
        }
    }
    return Text;
}

std::string LoadFailureBlock(const Target& T) {
    return "\r\nError: Unable to load library!\r\n"
           "You may try to specify library with path on the command line.\r\n"
           "Use: Kelvask \"" +
           T.UsagePath() + "\"\r\n";
}

std::string InfoLine(unsigned Index, const std::string& Text) {
    char Column[16];
    std::snprintf(Column, sizeof Column, "%4u ", Index);
    return Column + Text + "\r\n";
}

std::string Listing(const std::string& Heading, const InfoItems& Items) {
    std::string Text = "\r\n" + Heading + "\r\n";
    for (const auto& [Index, Item] : Items) {
        Text += InfoLine(Index, Item);
    }
    return Text + "\r\n";
}

std::string BeforeOpen(const InfoItems& Items) {
    return Listing(" Get info before open ...", Items);
}

std::string AfterOpen(const InfoItems& Items) {
    return Listing(" Get info after open ...", Items);
}

std::string OpenLine(const std::string& Outcome) {
    return "Openning DrDAQ ... " + Outcome + "\r\n";
}

std::string LedAndClose(const LedStatuses& Statuses) {
    return "Enable RGB LED:  " + Statuses.Enable + "\r\n" + "Turn on RGB LED: " + Statuses.Colour + "\r\n" +
           "Close handle:    " + Statuses.Close + "\r\n";
}

std::string SuccessfulExercise(const InfoItems& Before, const InfoItems& After, const LedStatuses& Statuses) {
    return " ... Loaded\r\n" + BeforeOpen(Before) + OpenLine("OK") + AfterOpen(After) + LedAndClose(Statuses);
}
