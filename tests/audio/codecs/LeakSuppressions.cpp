// When the tests run under LeakSanitizer: libsndfile does not free the
// Vorbis state when opening a damaged Ogg file fails (libsndfile issues
// #922, #1013). That leak is outside this program; everything else counts.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libsndfile.so\nleak:libvorbis.so\n";
}
