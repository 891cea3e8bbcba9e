// What the connection test needs of the operating system. One implementation
// per platform; the build picks the file. No operation writes anything:
// failures come back as null, false or empty text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// Names of the platform the program was built for, shown in the banner.
extern const char TargetOsName[];
extern const char TargetCpuName[];

// Where the driver library is looked for when no path is given: a bare file
// name for the system's own library search first, then fixed install places.
extern const std::span<const char* const> LibraryCandidates;

// The driver path named in the usage line after a failed search.
extern const char UsageLibraryPath[];

// A loaded library; null when none.
using LoadedLibrary = void*;

// A path in the form the system loader takes (UTF-16 on Windows, bytes on
// POSIX systems). Report text is always 8-bit; these convert between them.
using NativePath = std::filesystem::path::string_type;
NativePath NativePathFromText(const std::string& Text);
std::string TextFromNativePath(const NativePath& Path);

// Hands the process arguments to the platform layer before the run starts.
// Platforms that read their own command line ignore them.
void KeepProcessArguments(int Count, char** Arguments);

// The first argument after the program's name, or empty when there is none.
NativePath FirstArgument();

LoadedLibrary LoadDriverLibrary(const NativePath& Path);
void* FindEntryPoint(LoadedLibrary Library, const char* Name);
bool UnloadDriverLibrary(LoadedLibrary Library);

// The system's text for the last failure of the calls above, untrimmed, with
// its own line end. Take it before any other platform call.
std::string LastErrorText();

// Masks the six x87 exceptions and clears pending ones, keeping the other
// control bits, so a driver built for masked exceptions cannot trap.
void MaskFloatExceptions();

void PauseMs(std::uint16_t Milliseconds);
