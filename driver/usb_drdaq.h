// The USB DrDAQ driver library as Kelvask calls it: five entry points,
// looked up by name at run time, all returning a DriverStatus.
#pragma once

#include <cstdint>

// Result of every entry point. 0 is success; every other value is the
// driver's own code and is only ever shown as an unsigned number.
using DriverStatus = std::uint32_t;

// Identifies an opened unit. The open call writes it; every other entry point
// takes it by value.
using DeviceHandle = std::int16_t;

// Selects one unit information item.
using InfoIndex = std::uint32_t;

constexpr DriverStatus PICO_OK = 0;
constexpr DriverStatus PICO_NOT_FOUND = 3;

// The enable flag, the colour values and the buffer length are passed as
// 32-bit integers: the driver reads them from full argument registers, so a
// narrower declaration on its side sees the same values.
extern "C" {
using UsbDrDaqOpenUnitFunction = DriverStatus (*)(DeviceHandle* Handle);
using UsbDrDaqGetUnitInfoFunction = DriverStatus (*)(DeviceHandle Handle, char* Text, std::int32_t TextLength,
                                                     std::int32_t* RequiredSize, InfoIndex Info);
using UsbDrDaqCloseUnitFunction = DriverStatus (*)(DeviceHandle Handle);
using UsbDrDaqEnableRGBLEDFunction = DriverStatus (*)(DeviceHandle Handle, std::int32_t Enabled);
using UsbDrDaqSetRGBLEDFunction = DriverStatus (*)(DeviceHandle Handle, std::int32_t Red, std::int32_t Green,
                                                   std::int32_t Blue);
}
