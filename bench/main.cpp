// kavrotel_bench [area]: prints every figure of every area (or of the areas whose name contains
// the argument), one "name value unit" line each.
#include <string>

#include "bench/registry.h"

int main(int argc, char** argv) {
  bench::RunAreas(argc > 1 ? argv[1] : "");
  return 0;
}
