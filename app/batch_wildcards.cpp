// On Windows the command line reaches a program as typed: cmd leaves
// "desc\*.txt" for the program to expand, as a Unix shell would have. The C
// runtime's start-up expands it into the matching files when asked to (a
// pattern that matches nothing stays as it was, and the command then names it
// as a file it cannot open).
#if defined(_WIN32) && defined(__MINGW32__)
extern "C" {
int _dowildcard = -1;
}
#endif
