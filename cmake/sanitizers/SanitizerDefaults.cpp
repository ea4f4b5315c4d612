// Linked into every program of a checked build: the sanitizers read these before main. Any
// report ends the process with a failure, at once; the program's own end is no exit code to
// trust, since Qt programs here leave through _Exit. The suppressions name only faults inside
// libraries that are not ours.
#ifndef TOLLENVANE_SANITIZER_FOLDER
#error "TOLLENVANE_SANITIZER_FOLDER names the folder of the suppression files"
#endif

extern "C" {

const char* __asan_default_options()
{
    return "abort_on_error=1:halt_on_error=1:detect_leaks=1:"
           "strict_init_order=1:check_initialization_order=1:detect_odr_violation=2";
}

const char* __lsan_default_options()
{
    return "suppressions=" TOLLENVANE_SANITIZER_FOLDER "/lsan.supp:print_suppressions=0";
}

const char* __ubsan_default_options()
{
    return "halt_on_error=1:abort_on_error=1:print_stacktrace=1:"
           "suppressions=" TOLLENVANE_SANITIZER_FOLDER "/ubsan.supp";
}

} // extern "C"
