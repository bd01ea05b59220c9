// The vessel's one-line status text in the host's debug line.
#pragma once

// Fetches the host's debug-line buffer and writes, from its first
// character, "MASS:%.5g kg MEAN:%.5g m VOL:%.5g m3 DENS:%.5g kg/m3
// LIFT:%.5g N" with the host platform's %.5g, then one zero byte. At most
// 104 characters and the zero; what lies behind the zero is not touched.
void WriteStatusLine(double mass, double size, double volume, double meanDensity, double lift);
