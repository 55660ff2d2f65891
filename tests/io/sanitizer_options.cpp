// Options for the sanitizer build of these tests; ignored elsewhere.
//
// libgsf 1.14.50 leaks the directory entries of some damaged compound files inside
// gsf_infile_msole_new (about a hundred bytes a file), and the tests read such files on
// purpose. The suppression needs the slow unwinder, which sees through GLib's frames.
extern "C" const char* __lsan_default_suppressions() { return "leak:gsf_infile_msole_new\n"; }
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
