// The benchmark's areas: each source file registers one function that measures its figures and
// reports them; main runs every area in order of name. A new area (say the amplifier's
// block routine) is one more source file with one KAVROTEL_BENCH_AREA line.
#pragma once

#include <string>

namespace bench {

// [benchmark thread] Prints one figure as "name value unit".
void Report(const std::string& name, double value, const char* unit);

// [benchmark thread] Ends the run: prints "kavrotel_bench: <reason>" to stderr, exits with 1. For a
// peer or figure that cannot be had: a figure left out would pass unseen.
[[noreturn]] void Fail(const std::string& reason);

using AreaFunction = void (*)();

struct AreaRegistration {
  AreaRegistration(const char* name, AreaFunction run);
};

// [benchmark thread] Runs the areas whose name contains filter (all for an empty filter).
void RunAreas(const std::string& filter);

}  // namespace bench

#define KAVROTEL_BENCH_AREA(name, function) static const bench::AreaRegistration kArea_##function(name, function)
