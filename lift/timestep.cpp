// The per-step walk: every vessel the host reports gets its lift force
// through AddForce and then its status line, in ascending index order.
// Nothing is kept from one step to the next.
#include "lift/lift_model.h"
#include "lift/status_line.h"
#include "module/module_api.h"

namespace {

// Bit test rather than a library call: the module uses no C library here.
bool IsFinite(double value) {
  const uint64_t bits = __builtin_bit_cast(uint64_t, value);
  return (bits & 0x7FF0000000000000ULL) != 0x7FF0000000000000ULL;
}

// An infinite or NaN force arises only at the centre of the reference body
// or from non-finite host answers. Handed to the host it would poison that
// vessel's state for the rest of the flight, so it is withheld.
bool IsFiniteForce(const VECTOR3 &force) {
  return IsFinite(force.x) && IsFinite(force.y) && IsFinite(force.z);
}

void RunVesselTurn(DWORD index) {
  const ObjectRef hVessel = oapiGetVesselByIndex(static_cast<int>(index));
  const VESSEL *vessel = oapiGetVesselInterface(hVessel);

  // The order of the queries is fixed: the host may log or meter them.
  LIFTINPUT in;
  in.atmDensity = vessel->GetAtmDensity();
  in.mass = vessel->GetMass();
  in.size = vessel->GetSize();
  const ObjectRef hBody = vessel->GetSurfaceRef();
  in.bodyMass = oapiGetMass(hBody);
  in.bodyRadius = oapiGetSize(hBody);
  in.altitude = vessel->GetAltitude();
  in.bank = vessel->GetBank();
  in.pitch = vessel->GetPitch();

  const LIFTRESULT out = ComputeLift(in);

  // Applied at the vessel's origin, anew every step: the host forgets the
  // force once the step is over.
  const VECTOR3 origin = {0.0, 0.0, 0.0};
  if (IsFiniteForce(out.force)) {
    vessel->AddForce(out.force, origin);
  }

  WriteStatusLine(in.mass, in.size, out.volume, out.meanDensity, out.lift);
}

}  // namespace

extern "C" void opcTimestep(double /*simTime*/, double /*simStep*/, double /*mjd*/) {
  const DWORD count = oapiGetVesselCount();
  for (DWORD i = 0; i < count; ++i) {
    RunVesselTurn(i);
  }
}
