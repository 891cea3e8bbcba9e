// The report as the program must write it, composed from its pieces.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "target.h"

using InfoItems = std::map<unsigned, std::string>;

// What the simulated unit answers by default.
InfoItems DefaultItemsBeforeOpen();
InfoItems DefaultItemsAfterOpen();

std::string Banner(const Target& T);
std::string LoadingLine(const std::string& Path);
// Every candidate but the last ends " ... Unsuccessful!", up to the one
// with index LastTried (the line is left open).
std::string DefaultWalk(const Target& T, std::size_t LastTried);
std::string LoadFailureBlock(const Target& T);
std::string InfoLine(unsigned Index, const std::string& Text);
std::string Listing(const std::string& Heading, const InfoItems& Items);
std::string BeforeOpen(const InfoItems& Items = DefaultItemsBeforeOpen());
std::string AfterOpen(const InfoItems& Items = DefaultItemsAfterOpen());
std::string OpenLine(const std::string& Outcome);

struct LedStatuses {
    std::string Enable = "0";
    std::string Colour = "0";
    std::string Close = "0";
};
std::string LedAndClose(const LedStatuses& Statuses = {});

// From " ... Loaded" to the end of a run in which everything succeeds.
std::string SuccessfulExercise(const InfoItems& Before = DefaultItemsBeforeOpen(),
                               const InfoItems& After = DefaultItemsAfterOpen(),
                               const LedStatuses& Statuses = {});
