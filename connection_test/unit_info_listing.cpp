#include <cstdint>

#include "phases.h"

namespace {

constexpr InfoIndex LastInfoIndex = 48;
constexpr std::size_t UnitInfoCapacity = 257;
constexpr std::int32_t UnitInfoLengthToldToDriver = 256;

}  // namespace

void ListUnitInfo(const RunState& State, ReportWriter& Report) {
    const UsbDrDaqGetUnitInfoFunction GetUnitInfo = State.DriverEntryPoints.UsbDrDaqGetUnitInfo;
    if (GetUnitInfo == nullptr) {
        return;  // already reported when binding; no item can be asked for
    }

    // One character more than the driver is told of, so a text that fills
    // its whole length still fits. Zeroed once: a driver that answers
    // success without writing leaves nothing undefined to show.
    char UnitInfoText[UnitInfoCapacity] = {};
    for (InfoIndex Index = 0; Index <= LastInfoIndex; ++Index) {
        UnitInfoText[0] = '\0';
        // Wider than the driver needs and never read: a driver that writes
        // more than a 16-bit size still writes only into this place.
        std::int32_t RequiredSize = 0;
        const DriverStatus Status =
            GetUnitInfo(State.DeviceHandle, UnitInfoText, UnitInfoLengthToldToDriver, &RequiredSize, Index);
        if (Status != PICO_OK) {
            continue;
        }
        WriteUnsigned(Report, Index, 4);
        WriteChar(Report, ' ');
        WriteBoundedText(Report, UnitInfoText, UnitInfoCapacity);
        EndLine(Report);
    }
}
