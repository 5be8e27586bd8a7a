// Under LeakSanitizer, for the programs that draw metafiles: fontconfig,
// which the toolkit draws texts with, keeps what it loads to the end of the
// process where the leak checker no longer sees it used. A leak anywhere
// else still fails. Outside the sanitizer's builds nothing calls this.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
