// Checks that several groups of end-to-end cases make alike.
#pragma once

#include <string>

#include "target.h"

// Runs the program with Argument, which must not load: one attempt shown,
// then the failure block, no driver call, exit status 0. Run may add a
// reachable variant or unit settings.
void ExpectOnlyAttemptFails(const Target& T, const std::string& Argument, KelvaskRun Run = {});
