#include "phases.h"

namespace {

constexpr std::uint16_t ColourPauseMs = 100;

struct Colour {
    std::int32_t Red;
    std::int32_t Green;
    std::int32_t Blue;
};

// The first step is shown with its status; the others are only seen on the
// unit's LED.
constexpr Colour ColourSteps[] = {{40, 40, 40}, {80, 0, 0}, {0, 80, 0}, {0, 0, 80}};

// Shown in place of a status when the library lacks the entry point; the
// entry point is not called.
constexpr char NotFound[] = "not found";

void WriteHeading(ReportWriter& Report, const char* Heading) {
    WriteText(Report, "\r\n");
    WriteText(Report, Heading);
    EndLine(Report);
}

DriverStatus SetColour(const RunState& State, const Colour& Step) {
    return State.DriverEntryPoints.UsbDrDaqSetRGBLED(State.DeviceHandle, Step.Red, Step.Green, Step.Blue);
}

// The label and the status are one statement: both become visible after the
// call has returned.
template <typename Call>
void ShowCall(ReportWriter& Report, const char* Label, bool Found, Call MakeCall) {
    WriteText(Report, Label);
    if (Found) {
        WriteUnsigned(Report, MakeCall());
    } else {
        WriteText(Report, NotFound);
    }
    EndLine(Report);
}

void ExerciseOpenedUnit(RunState& State, ReportWriter& Report) {
    const DriverEntryPoints& EntryPoints = State.DriverEntryPoints;

    WriteHeading(Report, " Get info after open ...");
    ListUnitInfo(State, Report);
    EndLine(Report);

    ShowCall(Report, "Enable RGB LED:  ", EntryPoints.UsbDrDaqEnableRGBLED != nullptr,
             [&] { return EntryPoints.UsbDrDaqEnableRGBLED(State.DeviceHandle, 1); });

    const bool CanSetColour = EntryPoints.UsbDrDaqSetRGBLED != nullptr;
    ShowCall(Report, "Turn on RGB LED: ", CanSetColour, [&] { return SetColour(State, ColourSteps[0]); });
    PauseMs(ColourPauseMs);
    // The pauses stay when the colour cannot be set, so the run keeps its
    // pace; the statuses of these steps are not looked at.
    for (std::size_t Step = 1; Step < std::size(ColourSteps); ++Step) {
        if (CanSetColour) {
            SetColour(State, ColourSteps[Step]);
        }
        PauseMs(ColourPauseMs);
    }

    ShowCall(Report, "Close handle:    ", true,
             [&] { return EntryPoints.UsbDrDaqCloseUnit(State.DeviceHandle); });
}

void ReportFailedOpen(ReportWriter& Report, DriverStatus Status) {
    if (Status == PICO_NOT_FOUND) {
        WriteText(Report, "Error: 3 PICO_NOT_FOUND");
    } else {
        WriteText(Report, "Error: ");
        WriteUnsigned(Report, Status);
    }
    EndLine(Report);
}

}  // namespace

void DeviceExercise(RunState& State, ReportWriter& Report) {
    WriteHeading(Report, " Get info before open ...");
    ListUnitInfo(State, Report);
    EndLine(Report);

    WriteText(Report, "Openning DrDAQ ... ");
    FlushPartial(Report);  // visible while the driver looks for a unit

    if (State.DriverEntryPoints.UsbDrDaqOpenUnit == nullptr) {
        WriteText(Report, "Error: UsbDrDaqOpenUnit ");
        WriteText(Report, NotFound);
        EndLine(Report);
    } else if (const DriverStatus Status = State.DriverEntryPoints.UsbDrDaqOpenUnit(&State.DeviceHandle);
               Status != PICO_OK) {
        ReportFailedOpen(Report, Status);
    } else {
        WriteText(Report, "OK");
        EndLine(Report);
        ExerciseOpenedUnit(State, Report);
    }

    if (State.LibraryHandle != nullptr && UnloadDriverLibrary(State.LibraryHandle)) {
        State.LibraryHandle = nullptr;
    }
}
