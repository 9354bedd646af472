/* Compiles the engine header as C and checks the entry point refuses a wrong
 * consistency code without touching any file. */
#include "kestra/ikestra.h"

int main(void) {
  if (IKESTRA(KESTRA_CONSISTENCY_CODE + 1) != 1) return 1;
  if (_IKESTRA(KESTRA_CONSISTENCY_CODE - 1) != 1) return 1;
  return 0;
}
