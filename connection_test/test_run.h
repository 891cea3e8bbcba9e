#pragma once

// The whole connection test: banner, then the phases in their fixed order.
// Whatever happens, the process ends with exit status 0.
void TestRun();
