// The WinHTTP client against a loopback server inside this program: bodies into text and
// into a file with work events, redirects on and off, the request headers and a cookie,
// failures that name the status, the ways a transfer is stopped, and time-outs.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/HttpClient.h"
#include "tests/win/update/LoopbackServer.h"
#include "update/Updater.h"
#include "win32/WinHttpClient.h"

namespace qev {
namespace {

using test::Answer;
using win32::WinHttpClient;

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  return s;
}

Answer Body(std::string body, std::string headers = "") {
  Answer a;
  a.body = std::move(body);
  a.extraHeaders = std::move(headers);
  return a;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Writes into a C file, as the window writes downloads into a file.
class CFileSink : public HttpSink {
 public:
  explicit CFileSink(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {}
  ~CFileSink() override { Close(); }
  bool Write(const void* data, size_t n) override { return f_ && std::fwrite(data, 1, n, f_) == n; }
  void Close() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
  }

 private:
  FILE* f_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(WinHttpClient, GetsTextAndFilesWithTheDefaultHeadersAndWorkEvents) {
  test::LoopbackServer server;
  const std::string big = Pattern(3 * 1024 * 1024 + 17);
  server.Set("/hello.txt", Body("hello, world"));
  server.Set("/big.bin", Body(big));
  WinHttpClient client;
  client.SetHeaders(HttpHeaders{});

  std::string text;
  HttpResult r = client.GetText(server.Url("/hello.txt"), text);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(text, "hello, world");
  const std::string request = server.Requests().at(0);
  EXPECT_TRUE(Has(request, "GET /hello.txt HTTP/1.1\r\n")) << request;
  EXPECT_TRUE(Has(request, "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n")) << request;
  EXPECT_TRUE(Has(request, "Accept: text/html, */*\r\n")) << request;
  EXPECT_TRUE(Has(request, "Content-Type: text/html\r\n")) << request;
  EXPECT_FALSE(Has(request, "Range:"));

  int64_t announced = -2, last = 0;
  int events = 0;
  bool rising = true;
  client.SetWorkEvents([&](int64_t n) { announced = n; },
                       [&](int64_t n) {
                         rising = rising && n > last;
                         last = n;
                         ++events;
                       });
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "qev_http_big.bin";
  CFileSink sink(path);
  r = CheckedGet(client, server.Url("/big.bin"), sink);
  sink.Close();
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(announced, static_cast<int64_t>(big.size()));
  EXPECT_EQ(last, static_cast<int64_t>(big.size()));
  EXPECT_TRUE(rising);
  EXPECT_GT(events, 1);
  EXPECT_TRUE(ReadFile(path) == big);
  DeleteFileA(path.c_str());

  client.SetRangeStart(5);  // asked for; this server ignores it and sends the whole body
  ASSERT_TRUE(client.GetText(server.Url("/hello.txt"), text).ok);
  EXPECT_TRUE(Has(server.Requests().back(), "Range: bytes=5-\r\n"));
}

TEST(WinHttpClient, RedirectsAreFollowedOnlyWhenAsked) {
  test::LoopbackServer server;
  Answer moved;
  moved.status = 302;
  moved.reason = "Found";
  moved.body = "moved";
  moved.extraHeaders = "Location: " + server.Url("/there.txt") + "\r\n";
  server.Set("/here.txt", moved);
  server.Set("/there.txt", Body("arrived"));

  WinHttpClient worker;
  worker.SetFollowRedirects(true);
  std::string text;
  HttpResult r = worker.GetText(server.Url("/here.txt"), text);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(text, "arrived");

  WinHttpClient window;
  window.SetFollowRedirects(false);
  r = window.GetText(server.Url("/here.txt"), text);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.status, 302);
  EXPECT_EQ(r.error, "HTTP/1.1 302 Found");
  EXPECT_EQ(server.Requests().size(), 3u);  // the window's client did not go on
}

TEST(WinHttpClient, ACookieTheServerSetsComesBackToItOnly) {
  test::LoopbackServer server;
  server.Set("/login", Body("ok", "Set-Cookie: session=abc123; Path=/\r\n"));
  Answer echo;
  echo.echoRequest = true;
  server.Set("/echo", echo);
  WinHttpClient client, other;
  std::string text;
  ASSERT_TRUE(client.GetText(server.Url("/login"), text).ok);
  ASSERT_TRUE(client.GetText(server.Url("/echo"), text).ok);
  EXPECT_TRUE(Has(text, "Cookie: session=abc123\r\n")) << text;
  ASSERT_TRUE(other.GetText(server.Url("/echo"), text).ok);
  EXPECT_FALSE(Has(text, "Cookie:")) << text;
}

TEST(WinHttpClient, FailuresNameTheStatusAndNeverFallBackToPlainHttp) {
  test::LoopbackServer server;
  Answer cut = Body("only part of it");
  cut.announced = 1000;
  server.Set("/cut.bin", cut);
  WinHttpClient client;
  std::string text;

  HttpResult r = client.GetText(server.Url("/missing.zip"), text);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.status, 404);
  EXPECT_EQ(r.error, "HTTP/1.1 404 Not Found");

  r = client.GetText(server.Url("/cut.bin"), text);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(Has(r.error, "200")) << r.error;

  const size_t before = server.Requests().size();
  r = client.GetText("https://127.0.0.1:" + std::to_string(server.Port()) + "/hello", text);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  Sleep(200);
  for (size_t i = before; i < server.Requests().size(); ++i)
    EXPECT_FALSE(Has(server.Requests()[i], "GET /hello")) << "fell back to plain HTTP";

  server.Stop();
  r = client.GetText(server.Url("/cut.bin"), text);  // nothing listens any more
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(Has(r.error, "timed out."));
  r = client.GetText("ftp://127.0.0.1/x", text);
  EXPECT_FALSE(r.ok);
}

WinHttpClient* timed = nullptr;
DWORD firedAt = 0;

void CALLBACK DisconnectTimed(HWND, UINT, UINT_PTR, DWORD) {
  if (firedAt == 0) firedAt = GetTickCount();
  timed->Disconnect();
}

TEST(WinHttpClient, DisconnectFromAWorkEventOrATimerEndsTheTransferAtOnce) {
  test::LoopbackServer server;
  Answer slow = Body(Pattern(200000));
  slow.trickleBytes = 1000;
  slow.trickleDelayMs = 50;  // about ten seconds for the whole body
  server.Set("/slow.bin", slow);
  Answer stall = Body(Pattern(100000));
  stall.stallAfter = 5000;
  server.Set("/stall.bin", stall);

  WinHttpClient client;
  client.SetWorkEvents(nullptr, [&](int64_t n) {
    if (n >= 3000) client.Disconnect();
  });
  std::string text;
  DWORD start = GetTickCount();
  HttpResult r = client.GetText(server.Url("/slow.bin"), text);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, kHttpDisconnectedText);
  EXPECT_LT(text.size(), 10000u);

  // A timer runs while the GET waits for a stalled body, since the waiting thread
  // processes its window messages; its Disconnect ends the GET.
  WinHttpClient stalled;
  timed = &stalled;
  UINT_PTR timer = SetTimer(nullptr, 0, 300, DisconnectTimed);
  r = stalled.GetText(server.Url("/stall.bin"), text);
  const DWORD endedAt = GetTickCount();
  KillTimer(nullptr, timer);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, kHttpDisconnectedText);
  ASSERT_NE(firedAt, 0u);
  EXPECT_LT(endedAt - firedAt, 1000u);
  EXPECT_EQ(text.size(), 5000u);
}

TEST(WinHttpClient, AStalledServerEndsInATimeOutSoonAfterTheChosenOne) {
  test::LoopbackServer server;
  Answer stall = Body(Pattern(100000));
  stall.stallAfter = 4096;
  server.Set("/stall.bin", stall);
  Answer silent;
  silent.stallBeforeHeaders = true;
  server.Set("/silent", silent);
  std::string text;

  WinHttpClient window;  // the window's client with the time-outs the updater gives it
  window.SetConnectTimeout(kWindowConnectTimeoutMs);
  window.SetReadTimeout(kWindowReadTimeoutMs);
  DWORD start = GetTickCount();
  HttpResult r = window.GetText(server.Url("/stall.bin"), text);
  DWORD took = GetTickCount() - start;
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(Has(r.error, kHttpTimedOutMark)) << r.error;
  EXPECT_GE(took + 100, kWindowReadTimeoutMs);
  EXPECT_LE(took, kWindowReadTimeoutMs + 2000);

  WinHttpClient quick;  // no answer at all: the wait for the headers is bounded too
  quick.SetReadTimeout(2000);
  start = GetTickCount();
  r = quick.GetText(server.Url("/silent"), text);
  took = GetTickCount() - start;
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(Has(r.error, kHttpTimedOutMark)) << r.error;
  EXPECT_LE(took, 2000u + 2000u);
}

}  // namespace
}  // namespace qev
