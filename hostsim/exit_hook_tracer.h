// Making the module's exit hook visible to --trace. The module's
// opcDLLExit does nothing, so the host cannot see it run; the tracer
// redirects it, just before the module is unloaded, to the host, which
// records the call with its handle and returns as the empty hook would.
#pragma once

// False when the module has no opcDLLExit that can be redirected, or the
// code page cannot be made writable; the unload then goes untraced.
bool TraceExitHook(void *module);
