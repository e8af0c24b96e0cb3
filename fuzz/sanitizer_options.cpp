// Linked into every fuzzer and replay program. AddressSanitizer keeps freed blocks back to catch
// a later use of them, by default up to 256 MiB, which would count against the memory budget
// each input is held to; 32 MiB still catches a use soon after the free. ASAN_OPTIONS given to
// a run still decides.
extern "C" __attribute__((used, visibility("default"))) const char* __asan_default_options() {
    return "quarantine_size_mb=32";
}
