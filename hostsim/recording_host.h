// The stand-in host's world: the vessels whose answers it gives, a log of
// every host call the module makes, and the debug-line buffer.
//
// It defines every host operation of host/orbiter_api.h. Tests link it in
// process; hostsim links it and loads the module binary beside it.
#pragma once

#include "host/orbiter_api.h"

struct HostBody {
  double mass;    // kg, the answer of oapiGetMass
  double radius;  // m, the answer of oapiGetSize
};

// One vessel and the host's answers to its queries. VESSEL comes first: the
// interface pointer handed to the module is the address of this record.
struct HostVessel {
  VESSEL iface;
  char name[48];
  double atmDensity;
  double mass;
  double size;
  double altitude;
  double bank;
  double pitch;
  HostBody body;
};

enum HostCallKind {
  CALL_GET_VESSEL_COUNT,
  CALL_GET_VESSEL_BY_INDEX,
  CALL_GET_VESSEL_INTERFACE,
  CALL_GET_ATM_DENSITY,
  CALL_GET_MASS,
  CALL_GET_SIZE,
  CALL_GET_SURFACE_REF,
  CALL_OAPI_GET_MASS,
  CALL_OAPI_GET_SIZE,
  CALL_GET_ALTITUDE,
  CALL_GET_BANK,
  CALL_GET_PITCH,
  CALL_ADD_FORCE,
  CALL_DEBUG_STRING,
  CALL_INIT_LIB,
  CALL_DATE2INT,
  CALL_EXIT_HOOK,         // seen only by a host that traces the module's unload
  CALL_GET_PROC_ADDRESS,  // the platform's look-up, where a test plays it
};

struct HostCall {
  HostCallKind kind;
  int vessel;          // the vessel concerned, -1 for none
  double answer;       // a numeric answer (the count for the vessel count)
  const void *handle;  // a handle passed or answered
  VECTOR3 force;       // AddForce only
  VECTOR3 point;       // AddForce only
  char text[16];       // Date2Int: the date text; GetProcAddress: the name
};

// What one vessel's turn left behind: the host sees a turn end when the
// next vessel is asked for, or when the step ends.
struct HostTurn {
  int vessel;
  int forceCount;  // AddForce calls in the turn
  VECTOR3 force;   // the first of them
  VECTOR3 point;
  char line[106];  // the debug line's text at the end of the turn
};

// The buffer is exactly this long; guard bytes behind it catch any overrun.
constexpr unsigned HOST_DEBUG_CAPACITY = 105;

// The vessels stay owned by the caller and must outlive their use.
void HostSetVessels(HostVessel *vessels, unsigned count);
// Date2Int answers yyyymmdd for a text such as "Feb  6 2005" and 0 for
// anything else, unless a fixed answer is set (tests use 0 and others).
void HostSetDate2IntAnswer(int answer);
void HostComputeDate2Int();
// The call log costs time in long flights; turns are kept regardless.
void HostSetCallLogging(bool on);
// Clears the log and turns; call before each step.
void HostBeginStep();
// Closes the last turn; false when a write passed the buffer's capacity.
bool HostEndStep();

const HostCall *HostCalls(unsigned *count);
const HostTurn *HostTurns(unsigned *count);
void HostClearCalls();
// Records a call that the host observes outside the host operations.
void HostRecordCall(HostCallKind kind, const void *handle);
void HostRecordLookup(const void *handle, const char *name);
const char *HostCallName(HostCallKind kind);

char *HostDebugBuffer();
bool HostDebugGuardIntact();
// Fills the whole buffer with one byte and restores the guard.
void HostFillDebugBuffer(char fill);
