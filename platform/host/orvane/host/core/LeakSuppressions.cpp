// SPDX-License-Identifier: Apache-2.0
// Leak-checker settings for sanitizer builds. fontconfig keeps a few blocks
// from reading its configuration files that it never frees; they are not
// ours to release, so the leak checker is told to ignore them.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
