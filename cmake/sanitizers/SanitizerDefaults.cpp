// Linked into every program of a checked build: the sanitizers read these before main. Any
// report ends the process with a failure, at once; the program's own end is no exit code to
// trust, since Qt programs here leave through _Exit. The suppressions name only faults inside
// libraries that are not ours.
#ifndef TOLLENVANE_SANITIZER_FOLDER
#error "TOLLENVANE_SANITIZER_FOLDER names the folder of the suppression files"
#endif

extern "C" {

// The leak checker's tracking of dynamic thread-local storage guesses glibc's layout from where
// a block falls on its page, and on this glibc it can guess wrong: it then scans a range that is
// not memory and dies at the end of a program that leaked nothing, depending only on where the
// program's code happened to land. Without the tracking, the blocks of libraries loaded at run
// time go unscanned, and no object of ours is held from those alone.
const char* __asan_default_options()
{
    return "abort_on_error=1:halt_on_error=1:detect_leaks=1:intercept_tls_get_addr=0:"
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
