#include <gtest/gtest.h>

#include "config/AddressHelpers.h"
#include "win32/Win32HostResolver.h"

namespace qev {
namespace {

TEST(Win32HostResolver, LoopbackAndUnknownNames) {
  Win32HostResolver r;
  std::string dotted;
  ASSERT_TRUE(r.ResolveHost("localhost", dotted));
  EXPECT_EQ(dotted.rfind("127.", 0), 0u) << dotted;
  EXPECT_TRUE(IsDottedQuad(dotted));
  EXPECT_FALSE(r.ResolveHost("no-such-host.invalid", dotted));
  EXPECT_EQ(HostToIp(r, "no-such-host.invalid"), "0.0.0.0");
  EXPECT_EQ(HostToIp(r, "127.0.0.1"), "127.0.0.1");
  // Every lookup releases the socket library again, so lookups can repeat.
  EXPECT_EQ(HostToIp(r, "localhost").rfind("127.", 0), 0u);
}

}  // namespace
}  // namespace qev
