// Under LeakSanitizer: libspeechd leaks its own error texts when a connection fails (a few bytes
// each time, inside the library, whatever the caller frees). Those leaks are not ours; the full
// unwinder is needed to see that they come from the library, built without frame pointers.
// Without sanitizers these functions are never called.

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libspeechd.so\n";
}

extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}
