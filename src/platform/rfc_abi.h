// Platform facts of the RFC library's binary interface: calling convention,
// symbol export and file name.
//
// The classic RFC library uses stdcall on 32-bit Windows and the plain C
// convention everywhere else. Our stand-in library exports its entry points
// with the same convention, and the sensor's function-pointer types use it
// too, so both sides agree on how arguments are passed.
#pragma once

#if defined(_WIN32) && defined(__i386__)
#define KELDAR_RFC_API __stdcall
#else
#define KELDAR_RFC_API
#endif

#if defined(_WIN32)
#define KELDAR_RFC_EXPORT __declspec(dllexport)
#else
#define KELDAR_RFC_EXPORT __attribute__((visibility("default")))
#endif

// File name of the RFC library on this platform.
#if defined(_WIN32)
#define KELDAR_RFC_LIBRARY_NAME "librfc32.dll"
#else
#define KELDAR_RFC_LIBRARY_NAME "librfccm.so"
#endif
