// The host operations, answered from the vessel records and logged in call
// order. Handles are addresses: a vessel's handle is its record, its
// reference body's handle is the record's body field. Both are recognised
// by arithmetic on the vessel array, so each answer costs constant time.
#if !defined(VANTREL_HOST_SIDE)
#define VANTREL_HOST_SIDE
#endif
#include "hostsim/recording_host.h"

#include "hostsim/sim_libc.h"

namespace {

constexpr unsigned GUARD_SIZE = 64;
constexpr unsigned char GUARD_BYTE = 0xA5;

struct HostWorld {
  HostVessel *vessels = nullptr;
  unsigned vesselCount = 0;
  bool logCalls = true;
  HostCall scratch = {};  // where unlogged calls are written
  bool date2IntFixed = false;
  int date2IntAnswer = 0;

  HostCall *calls = nullptr;
  unsigned callCount = 0;
  unsigned callCapacity = 0;

  HostTurn *turns = nullptr;
  unsigned turnCount = 0;
  unsigned turnCapacity = 0;
  bool turnOpen = false;

  char debug[HOST_DEBUG_CAPACITY + GUARD_SIZE] = {};
  bool guardSet = false;
};

HostWorld world;

// Grows a log array by doubling; the host aborts rather than lose a record.
template <typename T>
T *Append(T *&items, unsigned &count, unsigned &capacity) {
  if (count == capacity) {
    const unsigned grown = capacity == 0 ? 64 : capacity * 2;
    void *moved = realloc(items, grown * sizeof(T));
    if (moved == nullptr) {
      fputs("hostsim: out of memory for the call log\n", stderr);
      exit(1);
    }
    items = static_cast<T *>(moved);
    capacity = grown;
  }
  T *item = &items[count++];
  memset(item, 0, sizeof(T));
  return item;
}

void SetGuard() {
  memset(world.debug + HOST_DEBUG_CAPACITY, GUARD_BYTE, GUARD_SIZE);
  world.guardSet = true;
}

HostCall *Record(HostCallKind kind, int vessel) {
  if (!world.guardSet) SetGuard();
  HostCall *call =
      world.logCalls ? Append(world.calls, world.callCount, world.callCapacity) : &world.scratch;
  call->kind = kind;
  call->vessel = vessel;
  return call;
}

// Copies the debug line's text, bounded by the buffer and not its zero.
void CopyLine(char *to) {
  unsigned n = 0;
  while (n < HOST_DEBUG_CAPACITY && world.debug[n] != '\0') {
    to[n] = world.debug[n];
    ++n;
  }
  to[n] = '\0';
}

void CloseTurn() {
  if (!world.turnOpen) return;
  CopyLine(world.turns[world.turnCount - 1].line);
  world.turnOpen = false;
}

HostTurn *CurrentTurn() { return world.turnOpen ? &world.turns[world.turnCount - 1] : nullptr; }

int IndexOf(const HostVessel *v) { return static_cast<int>(v - world.vessels); }

const HostVessel &VesselOf(const VESSEL *iface) {
  return *reinterpret_cast<const HostVessel *>(iface);
}

// Finds the vessel whose record holds the handle: the record itself for a
// vessel, its body field for a body. Null for anything else.
const HostVessel *Owner(ObjectRef handle, bool *isBody) {
  const char *base = reinterpret_cast<const char *>(world.vessels);
  const char *at = static_cast<const char *>(handle);
  const size_t span = world.vesselCount * sizeof(HostVessel);
  if (world.vessels == nullptr || at < base || at >= base + span) {
    return nullptr;
  }
  const size_t offset = static_cast<size_t>(at - base);
  const HostVessel *v = &world.vessels[offset / sizeof(HostVessel)];
  *isBody = offset % sizeof(HostVessel) == offsetof(HostVessel, body);
  return v;
}

double Answer(HostCallKind kind, const VESSEL *iface, double value) {
  const HostVessel &v = VesselOf(iface);
  Record(kind, IndexOf(&v))->answer = value;
  return value;
}

// An unknown handle is the module breaking the host's terms: NaN shows it.
double BodyOrVesselAnswer(HostCallKind kind, ObjectRef handle, bool mass) {
  bool isBody = false;
  const HostVessel *v = Owner(handle, &isBody);
  double value = __builtin_nan("");
  if (v != nullptr) {
    if (isBody) {
      value = mass ? v->body.mass : v->body.radius;
    } else {
      value = mass ? v->mass : v->size;
    }
  }
  HostCall *call = Record(kind, v != nullptr ? IndexOf(v) : -1);
  call->handle = handle;
  call->answer = value;
  return value;
}

void CopyName(char *to, size_t size, const char *from) {
  size_t n = 0;
  while (n + 1 < size && from[n] != '\0') {
    to[n] = from[n];
    ++n;
  }
  to[n] = '\0';
}

// "Mmm dd yyyy", the form of a compiler's build date, as yyyymmdd.
int DateNumber(const char *date) {
  static const char MONTHS[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  if (strlen(date) != 11 || date[3] != ' ' || date[6] != ' ') return 0;
  int month = 0;
  for (size_t m = 0; m < 12; ++m) {
    if (strncmp(date, &MONTHS[3 * m], 3) == 0) month = static_cast<int>(m) + 1;
  }
  const char d1 = date[4] == ' ' ? '0' : date[4];
  const char d2 = date[5];
  int year = 0;
  for (int i = 7; i < 11; ++i) {
    if (date[i] < '0' || date[i] > '9') return 0;
    year = year * 10 + (date[i] - '0');
  }
  if (month == 0 || d1 < '0' || d1 > '3' || d2 < '0' || d2 > '9') return 0;
  const int day = (d1 - '0') * 10 + (d2 - '0');
  if (day < 1 || day > 31) return 0;
  return year * 10000 + month * 100 + day;
}

}  // namespace

// ---- the host's side of the interface --------------------------------

DWORD oapiGetVesselCount() {
  Record(CALL_GET_VESSEL_COUNT, -1)->answer = world.vesselCount;
  return world.vesselCount;
}

ObjectRef oapiGetVesselByIndex(int index) {
  CloseTurn();
  const bool valid = index >= 0 && static_cast<unsigned>(index) < world.vesselCount;
  ObjectRef handle = valid ? &world.vessels[index] : nullptr;
  HostCall *call = Record(CALL_GET_VESSEL_BY_INDEX, index);
  call->handle = handle;
  HostTurn *turn = Append(world.turns, world.turnCount, world.turnCapacity);
  turn->vessel = index;
  world.turnOpen = true;
  return handle;
}

VESSEL *oapiGetVesselInterface(ObjectRef hVessel) {
  bool isBody = false;
  HostVessel *v = const_cast<HostVessel *>(Owner(hVessel, &isBody));
  VESSEL *iface = v != nullptr && !isBody ? &v->iface : nullptr;
  HostCall *call = Record(CALL_GET_VESSEL_INTERFACE, iface ? IndexOf(v) : -1);
  call->handle = iface;
  return iface;
}

double oapiGetMass(ObjectRef hObject) {
  return BodyOrVesselAnswer(CALL_OAPI_GET_MASS, hObject, true);
}

double oapiGetSize(ObjectRef hObject) {
  return BodyOrVesselAnswer(CALL_OAPI_GET_SIZE, hObject, false);
}

char *oapiDebugString() {
  Record(CALL_DEBUG_STRING, -1)->handle = world.debug;
  return world.debug;
}

void InitLib(HINSTANCE hModule) { Record(CALL_INIT_LIB, -1)->handle = hModule; }

int Date2Int(char *date) {
  HostCall *call = Record(CALL_DATE2INT, -1);
  CopyName(call->text, sizeof call->text, date);
  const int answer = world.date2IntFixed ? world.date2IntAnswer : DateNumber(date);
  call->answer = answer;
  return answer;
}

double VESSEL::GetAtmDensity() const {
  return Answer(CALL_GET_ATM_DENSITY, this, VesselOf(this).atmDensity);
}
double VESSEL::GetMass() const { return Answer(CALL_GET_MASS, this, VesselOf(this).mass); }
double VESSEL::GetSize() const { return Answer(CALL_GET_SIZE, this, VesselOf(this).size); }
ObjectRef VESSEL::GetSurfaceRef() const {
  const HostVessel &v = VesselOf(this);
  ObjectRef body = const_cast<HostBody *>(&v.body);
  Record(CALL_GET_SURFACE_REF, IndexOf(&v))->handle = body;
  return body;
}
double VESSEL::GetAltitude() const {
  return Answer(CALL_GET_ALTITUDE, this, VesselOf(this).altitude);
}
double VESSEL::GetBank() const { return Answer(CALL_GET_BANK, this, VesselOf(this).bank); }
double VESSEL::GetPitch() const { return Answer(CALL_GET_PITCH, this, VesselOf(this).pitch); }

void VESSEL::AddForce(const VECTOR3 &F, const VECTOR3 &r) const {
  const HostVessel &v = VesselOf(this);
  HostCall *call = Record(CALL_ADD_FORCE, IndexOf(&v));
  call->force = F;
  call->point = r;
  HostTurn *turn = CurrentTurn();
  if (turn != nullptr && turn->vessel == IndexOf(&v)) {
    if (turn->forceCount == 0) {
      turn->force = F;
      turn->point = r;
    }
    ++turn->forceCount;
  }
}

// ---- the stand-in host's own controls --------------------------------

void HostSetVessels(HostVessel *vessels, unsigned count) {
  world.vessels = vessels;
  world.vesselCount = count;
}

void HostSetDate2IntAnswer(int answer) {
  world.date2IntFixed = true;
  world.date2IntAnswer = answer;
}

void HostComputeDate2Int() { world.date2IntFixed = false; }

void HostSetCallLogging(bool on) { world.logCalls = on; }

void HostBeginStep() {
  world.callCount = 0;
  world.turnCount = 0;
  world.turnOpen = false;
  if (!world.guardSet) SetGuard();
}

bool HostEndStep() {
  CloseTurn();
  return HostDebugGuardIntact();
}

const HostCall *HostCalls(unsigned *count) {
  *count = world.callCount;
  return world.calls;
}

const HostTurn *HostTurns(unsigned *count) {
  *count = world.turnCount;
  return world.turns;
}

void HostClearCalls() { world.callCount = 0; }

void HostRecordCall(HostCallKind kind, const void *handle) { Record(kind, -1)->handle = handle; }

void HostRecordLookup(const void *handle, const char *name) {
  HostCall *call = Record(CALL_GET_PROC_ADDRESS, -1);
  call->handle = handle;
  CopyName(call->text, sizeof call->text, name);
}

const char *HostCallName(HostCallKind kind) {
  switch (kind) {
    case CALL_GET_VESSEL_COUNT: return "oapiGetVesselCount";
    case CALL_GET_VESSEL_BY_INDEX: return "oapiGetVesselByIndex";
    case CALL_GET_VESSEL_INTERFACE: return "oapiGetVesselInterface";
    case CALL_GET_ATM_DENSITY: return "VESSEL::GetAtmDensity";
    case CALL_GET_MASS: return "VESSEL::GetMass";
    case CALL_GET_SIZE: return "VESSEL::GetSize";
    case CALL_GET_SURFACE_REF: return "VESSEL::GetSurfaceRef";
    case CALL_OAPI_GET_MASS: return "oapiGetMass";
    case CALL_OAPI_GET_SIZE: return "oapiGetSize";
    case CALL_GET_ALTITUDE: return "VESSEL::GetAltitude";
    case CALL_GET_BANK: return "VESSEL::GetBank";
    case CALL_GET_PITCH: return "VESSEL::GetPitch";
    case CALL_ADD_FORCE: return "VESSEL::AddForce";
    case CALL_DEBUG_STRING: return "oapiDebugString";
    case CALL_INIT_LIB: return "InitLib";
    case CALL_DATE2INT: return "Date2Int";
    case CALL_EXIT_HOOK: return "opcDLLExit";
    case CALL_GET_PROC_ADDRESS: return "GetProcAddress";
  }
  return "?";
}

char *HostDebugBuffer() { return world.debug; }

bool HostDebugGuardIntact() {
  if (!world.guardSet) return true;
  for (unsigned i = 0; i < GUARD_SIZE; ++i) {
    if (static_cast<unsigned char>(world.debug[HOST_DEBUG_CAPACITY + i]) != GUARD_BYTE) {
      return false;
    }
  }
  return true;
}

void HostFillDebugBuffer(char fill) {
  memset(world.debug, fill, HOST_DEBUG_CAPACITY);
  SetGuard();
}
