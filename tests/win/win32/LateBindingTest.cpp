// System functions called through their late-bound stand-ins: the library loads on the
// first call, and the call reaches the real function with every argument.
#include <gtest/gtest.h>

#include "win32/LateWinHttp.h"
#include "win32/LateWinsock.h"

namespace qev {
namespace {

TEST(LateBinding, TheLibraryLoadsOnTheFirstCallAndTheCallGoesThrough) {
  // This test program links neither library: nothing has loaded them yet.
  ASSERT_EQ(GetModuleHandleW(L"winhttp.dll"), nullptr);
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof parts;
  wchar_t host[64] = {}, path[64] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = 64;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = 64;
  ASSERT_TRUE(win32::late::WinHttpCrackUrl(L"http://127.0.0.1:8080/list/tolw3.txt", 0, 0, &parts));
  EXPECT_NE(GetModuleHandleW(L"winhttp.dll"), nullptr);
  EXPECT_STREQ(host, L"127.0.0.1");
  EXPECT_STREQ(path, L"/list/tolw3.txt");
  EXPECT_EQ(parts.nPort, 8080);
  // A second call finds the address already known.
  EXPECT_FALSE(win32::late::WinHttpCrackUrl(L"not a url", 0, 0, &parts));

  // Arguments of other types reach their functions intact (a 32-bit call must also
  // leave the stack as it found it).
  EXPECT_EQ(win32::late::htons(0x1234), 0x3412);
  EXPECT_EQ(win32::late::inet_addr("1.2.3.4"), 0x04030201u);
  EXPECT_NE(GetModuleHandleW(L"ws2_32.dll"), nullptr);
}

}  // namespace
}  // namespace qev
