// The records a Winamp-compatible host sees: the header returned by the one
// export, and the module with its four entry slots. Layout and calling
// convention (cdecl) are the host's, so these stay plain C.
#pragma once

#include <cstdint>

#if defined(__i386__)
#define LEVO_CDECL __attribute__((cdecl))
#else
#define LEVO_CDECL
#endif

extern "C" {

struct PluginModule;

struct PluginHeader {
    int32_t version;         // 0x20
    const char* description; // "Levoria Audio Filter"
    PluginModule*(LEVO_CDECL* getModule)(int32_t index);
};

struct PluginModule {
    const char* description; // "Levoria Automatic Gain Controller"
    void* parentWindow;      // filled in by the host before init
    void* instance;          // the library's instance handle, filled in by the host
    void(LEVO_CDECL* config)(PluginModule*);
    int32_t(LEVO_CDECL* init)(PluginModule*);
    int32_t(LEVO_CDECL* process)(PluginModule*, short* samples, int32_t numsamples, int32_t bps,
                                 int32_t nch, int32_t srate);
    void(LEVO_CDECL* quit)(PluginModule*);
    void* userData;
};

typedef PluginHeader*(LEVO_CDECL* HeaderGetter)(void);

} // extern "C"
