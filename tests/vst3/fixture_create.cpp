// The fixture module's create function: a counted fixture, or a throw when a test asks.
#include <new>

#include "tests/vst3/fixture_plug.h"

FixturePlug* gLastFixture = nullptr;

class CountedFixture : public FixturePlug {
 public:
  CountedFixture() {
    ++gFixtureInstances;
    gLastFixture = this;
  }
  ~CountedFixture() override {
    --gFixtureInstances;
    if (gLastFixture == this) gLastFixture = nullptr;
  }
};

// The factory's create function for the tests: one fixture, or a throw when asked to.
bool gFixtureCreationThrows = false;
IPlugVST3* CreateVST3Plugin() {
  if (gFixtureCreationThrows) throw std::bad_alloc();
  return new CountedFixture();
}
