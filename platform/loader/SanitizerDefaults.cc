// The leak checker's defaults for every executable of the project. The
// sanitizer runtime finds these hooks only in the executable itself (a
// definition in a shared library comes after the runtime's own in the
// lookup), so the platform library hands this file to each executable that
// links it rather than building it in.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define MIREL_LEAK_HOOKS 1
#endif
#endif
#if !defined(MIREL_LEAK_HOOKS) && defined(__SANITIZE_ADDRESS__)
#define MIREL_LEAK_HOOKS 1
#endif

#if defined(MIREL_LEAK_HOOKS)
// Fontconfig, under Pango's text drawing, keeps its configuration and font
// patterns for the life of the process where the leak check cannot see
// them; they are the library's, not a launch's. A launch forked from a
// server (the studio's tests) inherits the HTTP library's connection state,
// which only the server's threads reach, and they do not exist in the child.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libcpp-httplib.so\n";
}
// A tool's stderr stays its own: no table of suppressions after each launch.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif
