// Making the module's exit hook visible to --trace. The module's
// opcDLLExit does nothing, so the host cannot see it run; the tracer
// redirects it, before the module is unloaded, to a host function that
// records the call with its handle and returns as the empty hook would.
//
// It only patches a hook that is a bare return followed by the int3 fill
// that lld and lld-link put between functions, so nothing of the module
// is overwritten but the return itself and the fill behind it.
#pragma once

// False when the module has no opcDLLExit of that shape, or the code page
// cannot be made writable; the unload then goes untraced.
bool TraceExitHook(void *module);
