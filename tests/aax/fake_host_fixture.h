// A test with a fake AAX host whose ledgers must be back at zero when the test ends.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/aax/aax_host_abi.h"
#include "tools/aaxhost/fake_host.h"

class FakeHostTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_THAT(host.Unbalanced(), ::testing::IsEmpty()); }
  IACFUnknown* Context() { return static_cast<IACFUnknown*>(host.Context()); }
  std::vector<std::string>& Log() { return host.Log(); }

  fake_aax::FakeHost host;
};
