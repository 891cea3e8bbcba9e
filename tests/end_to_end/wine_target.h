// Kelvask.exe under Wine, started through the test launcher so that the
// command line it sees is exactly the one a test gives.
#pragma once

#include <string>

#include "target.h"

// The Windows form of a path on this machine (Wine's Z: drive).
std::string WindowsPath(const std::string& UnixPath);

// The folder of the tests' own Wine prefix that Windows calls C:.
std::string WineDriveC();

// The Windows build's copy of a simulated unit variant's DLL.
std::string SimulatedUnitDll(const std::string& Variant);

// Runs Kelvask.exe with CommandTail written verbatim after the quoted
// program path.
KelvaskResult RunWithCommandTail(const std::string& CommandTail, const KelvaskRun& Run);
