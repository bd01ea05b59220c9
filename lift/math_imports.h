// The two functions of the C runtime that the module imports. The module
// includes no C library header (the Windows build has none), so it declares
// them itself; on Windows they come from the system's C runtime DLL.
#pragma once

extern "C" {
double sin(double);
double cos(double);
}
