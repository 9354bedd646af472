/* Entry point of the KESTRA analysis engine (library Kestra2015_DLL).
 *
 * The caller writes "names.dat" into the current directory and calls the
 * entry point with the consistency code 16. The engine returns 1 without
 * touching any file when the code does not match, otherwise it runs the
 * whole analysis and returns 0; errors in the data appear in the report. */
#ifndef KESTRA_IKESTRA_H
#define KESTRA_IKESTRA_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KESTRA_CONSISTENCY_CODE 16

#if defined(KESTRA_ENGINE_BUILD)
#define KESTRA_EXPORT __attribute__((visibility("default")))
#else
#define KESTRA_EXPORT
#endif

KESTRA_EXPORT int32_t IKESTRA(int32_t code);
KESTRA_EXPORT int32_t _IKESTRA(int32_t code);

#ifdef __cplusplus
}
#endif

#endif
