// The host simulator's operations that the module calls, declared the way
// the host's compiler sees them.
//
// The host exports these as C++ functions and const members of VESSEL, so
// the module imports them under the host compiler's C++ names. Nothing here
// is defined by the module: on Windows the definitions live in Orbiter.exe,
// natively in whichever program loads the module (the stand-in host).
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#if defined(VANTREL_HOST_SIDE)
#define OAPIFUNC __declspec(dllexport)
#else
#define OAPIFUNC __declspec(dllimport)
#endif
#else
#define OAPIFUNC __attribute__((visibility("default")))
#endif

// The platform's unsigned 32-bit integer. Windows spells it unsigned long,
// which is 64 bits wide on a 64-bit Linux, hence the split.
#if defined(_WIN32)
typedef unsigned long DWORD;
#else
typedef uint32_t DWORD;
#endif

// A loaded library, as the system loader hands it to the library's entry.
#if defined(_WIN32)
struct HINSTANCE__ {
  int unused;
};
typedef HINSTANCE__ *HINSTANCE;
#else
typedef void *HINSTANCE;
#endif

// The host's vector: three doubles stored one after the other.
struct VECTOR3 {
  double x, y, z;
};

// Opaque handle of a vessel or a celestial body. The module never looks
// inside it.
typedef void *ObjectRef;

// The host's interface of one vessel. The module only ever holds pointers
// that the host hands out and calls these non-virtual const members.
class OAPIFUNC VESSEL {
 public:
  double GetAtmDensity() const;     // kg/m3 at the vessel
  double GetMass() const;           // kg
  double GetSize() const;           // m, the vessel's mean size
  ObjectRef GetSurfaceRef() const;  // body the altitude is measured from
  double GetAltitude() const;       // m above that body's surface
  double GetBank() const;           // rad
  double GetPitch() const;          // rad
  // Adds the force F (N) at the point r (m), both in the vessel's frame,
  // for the current time step only.
  void AddForce(const VECTOR3 &F, const VECTOR3 &r) const;
};

OAPIFUNC DWORD oapiGetVesselCount();
OAPIFUNC ObjectRef oapiGetVesselByIndex(int index);
OAPIFUNC VESSEL *oapiGetVesselInterface(ObjectRef hVessel);
OAPIFUNC double oapiGetMass(ObjectRef hObject);  // kg
OAPIFUNC double oapiGetSize(ObjectRef hObject);  // m; a body's radius
// The buffer behind the host's one-line debug display: at least 105
// writable characters.
OAPIFUNC char *oapiDebugString();
OAPIFUNC void InitLib(HINSTANCE hModule);
OAPIFUNC int Date2Int(char *date);
