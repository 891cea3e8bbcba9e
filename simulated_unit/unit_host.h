// What the simulated unit needs of the system it runs on. One file per
// platform implements it.
#pragma once

#include <cstdint>
#include <string>

#if defined(_WIN32)
#define SIMULATED_UNIT_EXPORT __declspec(dllexport)
#else
#define SIMULATED_UNIT_EXPORT __attribute__((visibility("default")))
#endif

// The value of an environment variable; Present tells an empty value from
// none.
std::string EnvironmentText(const char* Name, bool& Present);

std::uint64_t MonotonicNanoseconds();

// How many bytes standard output holds when it is a file; -1 otherwise.
long long ReportBytesSoFar();

void AppendToFile(const std::string& Path, const std::string& Line);

// Called by the platform file when the library is mapped and released.
// Cause says who released it, where the platform can tell.
void JournalLibraryLoaded();
void JournalLibraryReleased(const char* Cause);
