// The report writer bound to the process's standard output.
#pragma once

#include "report_writer.h"

// Prepares standard output for the run and returns the one writer of the
// process. Hand-overs that fail are dropped silently.
ReportWriter ConsoleReportWriter();
