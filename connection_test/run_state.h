// The one record of the run. Every phase reads and updates it; it is never
// copied.
#pragma once

#include <string>

#include "driver/usb_drdaq.h"
#include "platform/platform_services.h"

// Entry points bound by name from the loaded library; null when not found.
// Valid until the library is unloaded.
struct DriverEntryPoints {
    UsbDrDaqCloseUnitFunction UsbDrDaqCloseUnit = nullptr;
    UsbDrDaqGetUnitInfoFunction UsbDrDaqGetUnitInfo = nullptr;
    UsbDrDaqOpenUnitFunction UsbDrDaqOpenUnit = nullptr;
    UsbDrDaqEnableRGBLEDFunction UsbDrDaqEnableRGBLED = nullptr;
    UsbDrDaqSetRGBLEDFunction UsbDrDaqSetRGBLED = nullptr;
};

struct RunState {
    // Every field has its starting value below; cppcheck misreads the field
    // that shares its type's name.
    // cppcheck-suppress uninitMemberVar
    RunState() = default;
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    std::string LibraryPath;  // 8-bit text, as the report shows it
    LoadedLibrary LibraryHandle = nullptr;
    ::DeviceHandle DeviceHandle = 0;  // written only by UsbDrDaqOpenUnit
    ::DriverEntryPoints DriverEntryPoints;
};
