// SANE's test backend forgets a buffer of its limited reads (its own fault).
// It is kept loaded to the end, so that LeakSanitizer can name it, and its
// leaks are set aside. Include in one file of a test program.
#pragma once

#include <dlfcn.h>
#include <string>

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libsane-test.so\n";
}

namespace orv::test {
inline void* const kBackendTestGarde = [] {
    for (const char* dossier :
         {"/usr/lib/x86_64-linux-gnu/sane", "/usr/lib/sane", "/usr/lib64/sane"})
        if (void* h = dlopen((std::string(dossier) + "/libsane-test.so.1").c_str(),
                             RTLD_NOW | RTLD_NODELETE))
            return h;
    return static_cast<void*>(nullptr);
}();
} // namespace orv::test
