// The phases of the connection test, in the order TestRun calls them.
#pragma once

#include "platform/report_writer.h"
#include "run_state.h"

// Loads the driver from the command-line path or the first candidate that
// loads, reporting every attempt. LibraryHandle stays null when none loads.
void LibrarySearch(RunState& State, ReportWriter& Report);

// Masks x87 exceptions and binds the five entry points. False when
// UsbDrDaqCloseUnit is missing: the run ends there, library still loaded.
bool EntryPointBinding(RunState& State, ReportWriter& Report);

// One line for each of the items 0 to 48 that the driver answers with success.
void ListUnitInfo(const RunState& State, ReportWriter& Report);

// Lists, opens, exercises the LED, closes and unloads the library.
void DeviceExercise(RunState& State, ReportWriter& Report);
