#include "phases.h"

namespace {

template <typename Function>
void Bind(const RunState& State, const char* Name, Function& EntryPoint) {
    EntryPoint = reinterpret_cast<Function>(FindEntryPoint(State.LibraryHandle, Name));
}

}  // namespace

bool EntryPointBinding(RunState& State, ReportWriter& Report) {
    // Before the first lookup, and for the rest of the process.
    MaskFloatExceptions();

    DriverEntryPoints& EntryPoints = State.DriverEntryPoints;

    Bind(State, "UsbDrDaqCloseUnit", EntryPoints.UsbDrDaqCloseUnit);
    if (EntryPoints.UsbDrDaqCloseUnit == nullptr) {
        const std::string Reason = LastErrorText();  // before anything can change it
        WriteText(Report, "Error: ");
        WriteText(Report, Reason);
        EndLine(Report);
        return false;
    }

    Bind(State, "UsbDrDaqGetUnitInfo", EntryPoints.UsbDrDaqGetUnitInfo);
    if (EntryPoints.UsbDrDaqGetUnitInfo == nullptr) {
        const std::string Reason = LastErrorText();
        WriteText(Report, "Proc UsbDrDaqGetUnitInfo error: ");
        WriteChar(Report, '\t');
        WriteText(Report, Reason);
        EndLine(Report);
    }

    // Not tested here: the device exercise skips whichever of these is missing.
    Bind(State, "UsbDrDaqOpenUnit", EntryPoints.UsbDrDaqOpenUnit);
    Bind(State, "UsbDrDaqEnableRGBLED", EntryPoints.UsbDrDaqEnableRGBLED);
    Bind(State, "UsbDrDaqSetRGBLED", EntryPoints.UsbDrDaqSetRGBLED);
    return true;
}
