#include <gtest/gtest.h>

#include <cstring>

#include "config/SixBit.h"
#include "launcher/ClientArgs.h"

namespace qev {
namespace {

TEST(ClientArgs, BuiltInArgumentTextsHaveTheirLengths) {
  EXPECT_EQ(std::strlen(ClientArgs), 62u);
  EXPECT_EQ(std::strlen(ClientArgsAlt), 48u);
  EXPECT_EQ(DecodeSixBit(ClientArgs), "/LoginBy:tolw3 /Launcher:QevLogin /Mode:Normal");
  EXPECT_EQ(DecodeSixBit(ClientArgsAlt), "/LoginBy:tolw3 /Mode:Classic /UI:NEW");
}

}  // namespace
}  // namespace qev
