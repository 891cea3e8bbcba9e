// A USB DrDAQ that is not there: a driver library with the five entry points
// of the real one, configured through environment variables and keeping a
// journal of every call it receives.
//
//   DRDAQ_SIM_JOURNAL          file that gets one line per call (appended)
//   DRDAQ_SIM_OPEN_STATUS      status of UsbDrDaqOpenUnit (default 0)
//   DRDAQ_SIM_HANDLE           handle the open writes (default 1, may be negative)
//   DRDAQ_SIM_ENABLE_STATUS    status of UsbDrDaqEnableRGBLED
//   DRDAQ_SIM_COLOUR_STATUS    status of every UsbDrDaqSetRGBLED
//   DRDAQ_SIM_CLOSE_STATUS     status of UsbDrDaqCloseUnit
//   DRDAQ_SIM_ITEMS=none       answer no information item
//   DRDAQ_SIM_ITEM_<n>         answer item n with this text, before and after
//                              open; %XX stands for the byte XX, and %00
//                              gives an empty text (Windows keeps no empty
//                              variables)
//   DRDAQ_SIM_UNTERMINATED_ITEM  answer this item with 257 characters, no NUL
//   DRDAQ_SIM_DISTURB_FPU      on load, unmask the x87 exceptions and set
//                              53-bit precision; "pending" also leaves a
//                              division by zero pending
//
// Journal lines: t=<monotonic ns> out=<bytes of standard output, -1 when it
// is not a file> <event> <arguments as key=value>.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "driver/usb_drdaq.h"
#include "unit_host.h"

namespace {

constexpr DriverStatus PICO_INVALID_HANDLE = 12;
constexpr DriverStatus PICO_INFO_UNAVAILABLE = 13;
constexpr std::size_t UnterminatedLength = 257;

DeviceHandle OpenedHandle = 0;
bool UnitOpen = false;

std::string Environment(const char* Name) {
    bool Present = false;
    return EnvironmentText(Name, Present);
}

DriverStatus StatusFromEnvironment(const char* Name) {
    return static_cast<DriverStatus>(std::strtoul(Environment(Name).c_str(), nullptr, 0));
}

std::uint16_t X87ControlWord() {
    std::uint16_t Word = 0;
#if defined(__i386__) || defined(__x86_64__)
    asm volatile("fnstcw %0" : "=m"(Word));
#endif
    return Word;
}

std::uint16_t X87StatusWord() {
    std::uint16_t Word = 0;
#if defined(__i386__) || defined(__x86_64__)
    asm volatile("fnstsw %0" : "=m"(Word));
#endif
    return Word;
}

void DisturbFloatState(bool LeavePending) {
#if defined(__i386__) || defined(__x86_64__)
    const std::uint16_t Unmasked = 0x0240;  // 53-bit precision, nothing masked
    asm volatile("fldcw %0" : : "m"(Unmasked));
    if (LeavePending) {
        // A zero divide marked in the status word with nothing masked: the
        // next waiting x87 instruction raises it unless the flags are
        // cleared first.
        std::uint16_t Environment[14] = {};
        asm volatile("fnstenv %0" : "=m"(Environment));
        Environment[2] |= 0x0084;  // ZE and the exception summary
        asm volatile("fldenv %0" : : "m"(Environment));
    }
#else
    (void)LeavePending;
#endif
}

void Journal(const std::string& Event) {
    bool Present = false;
    const std::string Path = EnvironmentText("DRDAQ_SIM_JOURNAL", Present);
    if (!Present || Path.empty()) {
        return;
    }
    char Prefix[96];
    std::snprintf(Prefix, sizeof Prefix, "t=%llu out=%lld fpu=%04x fsw=%04x ",
                  static_cast<unsigned long long>(MonotonicNanoseconds()), ReportBytesSoFar(),
                  X87ControlWord(), X87StatusWord());
    std::string Line = Prefix;
    Line.append(Event);
    Line.push_back('\n');
    AppendToFile(Path, Line);
}

std::string PercentDecoded(const std::string& Text) {
    std::string Bytes;
    for (std::size_t At = 0; At < Text.size(); ++At) {
        if (Text[At] == '%' && At + 2 < Text.size()) {
            Bytes.push_back(static_cast<char>(std::strtoul(Text.substr(At + 1, 2).c_str(), nullptr, 16)));
            At += 2;
        } else {
            Bytes.push_back(Text[At]);
        }
    }
    return Bytes;
}

// What a unit reports: the driver's own version before open, the unit's
// details once it is open. Read from the environment once: it does not
// change during a run, and a real driver answers quickly.
std::map<InfoIndex, std::string> ReadItems(bool Opened) {
    std::map<InfoIndex, std::string> Items;
    if (Environment("DRDAQ_SIM_ITEMS") != "none") {
        Items[0] = "2.1.0.42";
        if (Opened) {
            Items[1] = "2.0";
            Items[2] = "1";
            Items[3] = "USB DrDAQ";
            Items[4] = "CZ123/0456";
            Items[5] = "11Dec26";
            Items[6] = "1.0.0.7";
        }
    }
    for (InfoIndex Index = 0; Index <= 60; ++Index) {
        const std::string Name = "DRDAQ_SIM_ITEM_" + std::to_string(Index);
        bool Present = false;
        const std::string Value = EnvironmentText(Name.c_str(), Present);
        if (Present) {
            Items[Index] = PercentDecoded(Value);
        }
    }
    return Items;
}

const std::map<InfoIndex, std::string>& ItemsFor(bool Opened) {
    static const std::map<InfoIndex, std::string> BeforeOpen = ReadItems(false);
    static const std::map<InfoIndex, std::string> AfterOpen = ReadItems(true);
    return Opened ? AfterOpen : BeforeOpen;
}

}  // namespace

void JournalLibraryLoaded() {
    const std::string Disturb = Environment("DRDAQ_SIM_DISTURB_FPU");
    if (!Disturb.empty()) {
        DisturbFloatState(Disturb == "pending");
    }
    Journal("load");
}

void JournalLibraryReleased(const char* Cause) {
    Journal(std::string("release by=") + Cause);
}

#if defined(SIMULATED_UNIT_OMITS_CLOSE)
#define CLOSE_EXPORT
#else
#define CLOSE_EXPORT SIMULATED_UNIT_EXPORT
#endif
#if defined(SIMULATED_UNIT_OMITS_INFO)
#define INFO_EXPORT
#else
#define INFO_EXPORT SIMULATED_UNIT_EXPORT
#endif
#if defined(SIMULATED_UNIT_OMITS_OPEN)
#define OPEN_EXPORT
#else
#define OPEN_EXPORT SIMULATED_UNIT_EXPORT
#endif
#if defined(SIMULATED_UNIT_OMITS_LED)
#define LED_EXPORT
#else
#define LED_EXPORT SIMULATED_UNIT_EXPORT
#endif

extern "C" {

// Always exported, so a library without any of the five is still a library
// with exports of its own.
SIMULATED_UNIT_EXPORT const char* SimulatedUnitVariant() {
    return SIMULATED_UNIT_VARIANT;
}

OPEN_EXPORT DriverStatus UsbDrDaqOpenUnit(DeviceHandle* Handle) {
    Journal("UsbDrDaqOpenUnit handle=" + std::string(Handle == nullptr ? "null" : "ptr"));
    const DriverStatus Status = StatusFromEnvironment("DRDAQ_SIM_OPEN_STATUS");
    bool Present = false;
    const std::string Configured = EnvironmentText("DRDAQ_SIM_HANDLE", Present);
    const auto Opened = static_cast<DeviceHandle>(Present ? std::strtol(Configured.c_str(), nullptr, 0) : 1);
    if (Handle == nullptr) {
        return PICO_INVALID_HANDLE;
    }
    if (Status == PICO_OK) {
        *Handle = Opened;
        OpenedHandle = Opened;
        UnitOpen = true;
    }
    return Status;
}

INFO_EXPORT DriverStatus UsbDrDaqGetUnitInfo(DeviceHandle Handle, char* Text, std::int32_t TextLength,
                                             std::int32_t* RequiredSize, InfoIndex Info) {
    const unsigned First = Text == nullptr ? 256u : static_cast<unsigned char>(Text[0]);
    Journal("UsbDrDaqGetUnitInfo handle=" + std::to_string(Handle) + " first=" + std::to_string(First) +
            " length=" + std::to_string(TextLength) +
            " size=" + (RequiredSize == nullptr ? std::string("null") : std::to_string(*RequiredSize)) +
            " info=" + std::to_string(Info));
    const bool Opened = UnitOpen && Handle == OpenedHandle;
    if (Handle != 0 && !Opened) {
        return PICO_INVALID_HANDLE;
    }
    if (Text == nullptr || TextLength <= 0) {
        return PICO_INFO_UNAVAILABLE;
    }
    bool Present = false;
    const std::string Unterminated = EnvironmentText("DRDAQ_SIM_UNTERMINATED_ITEM", Present);
    if (Present && std::strtoul(Unterminated.c_str(), nullptr, 0) == Info) {
        // More than the length it was told of, and no NUL: a driver at fault.
        for (std::size_t At = 0; At < UnterminatedLength; ++At) {
            Text[At] = static_cast<char>('A' + At % 26);
        }
        return PICO_OK;
    }
    const auto& Items = ItemsFor(Opened);
    const auto Item = Items.find(Info);
    if (Item == Items.end()) {
        return PICO_INFO_UNAVAILABLE;
    }
    const std::size_t Fits = std::min(Item->second.size(), static_cast<std::size_t>(TextLength - 1));
    std::memcpy(Text, Item->second.data(), Fits);
    Text[Fits] = '\0';
    if (RequiredSize != nullptr) {
        *RequiredSize = static_cast<std::int32_t>(Item->second.size() + 1);
    }
    return PICO_OK;
}

LED_EXPORT DriverStatus UsbDrDaqEnableRGBLED(DeviceHandle Handle, std::int32_t Enabled) {
    Journal("UsbDrDaqEnableRGBLED handle=" + std::to_string(Handle) + " enabled=" + std::to_string(Enabled));
    return StatusFromEnvironment("DRDAQ_SIM_ENABLE_STATUS");
}

LED_EXPORT DriverStatus UsbDrDaqSetRGBLED(DeviceHandle Handle, std::int32_t Red, std::int32_t Green,
                                          std::int32_t Blue) {
    Journal("UsbDrDaqSetRGBLED handle=" + std::to_string(Handle) + " red=" + std::to_string(Red) +
            " green=" + std::to_string(Green) + " blue=" + std::to_string(Blue));
    return StatusFromEnvironment("DRDAQ_SIM_COLOUR_STATUS");
}

CLOSE_EXPORT DriverStatus UsbDrDaqCloseUnit(DeviceHandle Handle) {
    Journal("UsbDrDaqCloseUnit handle=" + std::to_string(Handle));
    UnitOpen = false;
    return StatusFromEnvironment("DRDAQ_SIM_CLOSE_STATUS");
}

}  // extern "C"
