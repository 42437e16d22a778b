#include "core/host_id.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/plug_fixtures.h"

namespace {

struct HostCase {
  std::string name;
  int32_t id;
};

class HostIds : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostIds, MatchTheFirstKnownTextInTheName) { EXPECT_EQ(LookupHostId(GetParam().name.c_str()), GetParam().id); }

INSTANTIATE_TEST_SUITE_P(
    Names, HostIds,
    ::testing::Values(HostCase{"ProTools", 2}, HostCase{"Cubase", 3}, HostCase{"CUBASE 5", 3},
                      HostCase{"Nuendo with Cubase inside", 3}, HostCase{"Ableton Live", 9},
                      HostCase{"Deliverance", 9}, HostCase{"REAPER", 1}, HostCase{"Nuendo", 4},
                      HostCase{"Cakewalk", 5}, HostCase{"Samplitude", 8}, HostCase{"Fruity Loops", 7},
                      HostCase{"Melodyne", 12}, HostCase{"vstmanlib", 13}, HostCase{"AULab", 14},
                      HostCase{"GarageBand", 22}, HostCase{"Forte", 15}, HostCase{"Chainer", 16},
                      HostCase{"Adobe Audition", 17}, HostCase{"Orion", 18}, HostCase{"SAWStudio", 20},
                      HostCase{"Logic", 21}, HostCase{"Digital Performer", 23}, HostCase{"AudioMulch", 25},
                      HostCase{"PreSonus Studio One", 26}, HostCase{"VST3PluginTestHost", 27},
                      HostCase{"Ardour", 28}, HostCase{"Standalone", 24}, HostCase{"", 0},
                      HostCase{"Unknown Host", 0}, HostCase{"\xC3\x89tude \xFF", 0},
                      HostCase{std::string(251, 'x') + "reaper", 0},  // "reaper" cut at 255 characters
                      HostCase{std::string(249, 'x') + "reaper", 1}));

TEST(HostId, NullNameMatchesNothing) { EXPECT_EQ(LookupHostId(nullptr), 0); }

TEST(HostId, SetHostStoresTheIdAndVersion) {
  auto plug = MakePlug("1-1");
  EXPECT_EQ(plug->GetHostId(), -1);
  plug->SetHost("ProTools", 0x00020301);
  EXPECT_EQ(plug->GetHostId(), 2);
  EXPECT_EQ(plug->GetHostVersion(), 0x00020301);
}

}  // namespace
