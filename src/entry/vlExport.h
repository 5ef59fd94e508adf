// The library's one exported function.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define VL_STDCALL __stdcall
#define VL_EXPORT __declspec(dllexport)
#else
#define VL_STDCALL
#define VL_EXPORT __attribute__((visibility("default")))
#endif

// Each argument is the address of the host's variable that points to
// NUL-terminated 8-bit text. Returns -1 when the conversion ran to its end,
// 0 when anything failed.
extern "C" VL_EXPORT int32_t VL_STDCALL VelmoraPDFtoRTF(const char* const* inputFile,
                                                        const char* const* outputFile,
                                                        const char* const* pageRange);
