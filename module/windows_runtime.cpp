// What the compiler expects of a C runtime in a Windows image, supplied by
// the module itself since it links none.

// The compiler references _fltused from every object that uses floating
// point; the C runtime would define it. Its value is never read.
extern "C" int _fltused = 0;
