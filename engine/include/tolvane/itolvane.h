/* The entry point of the analysis engine library Tolvane2023_DLL. */
#ifndef TOLVANE_ITOLVANE_H
#define TOLVANE_ITOLVANE_H

/* A C header: the program may be written in C, so it keeps the C forms. */
#include <stdint.h> /* NOLINT(modernize-deprecated-headers) */

#if defined(_WIN32)
#if defined(TOLVANE_BUILDING_ENGINE)
#define TOLVANE_EXPORT __declspec(dllexport)
#else
#define TOLVANE_EXPORT __declspec(dllimport)
#endif
#define TOLVANE_CALL __stdcall
#else
#define TOLVANE_EXPORT __attribute__((visibility("default")))
#define TOLVANE_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one analysis of the project named in names.dat in the current directory.
   a and b must be 9 and 2; otherwise the result is 1 and no file is touched.
   Result: 0 the analysis ran to its end; 1 handshake mismatch; any other value: the analysis
   stopped early (the report and the run log say why). */
TOLVANE_EXPORT int32_t TOLVANE_CALL ITOLVANE(int32_t a, int32_t b);

/* NOLINTNEXTLINE(modernize-use-using) */
typedef int32_t(TOLVANE_CALL* ITOLVANE_PROC)(int32_t a, int32_t b);

#ifdef __cplusplus
}
#endif

#endif
