// Download throughput under Wine: the launcher's client (a GET into a file with work events
// on, each processing pending window messages as the window's progress handler does)
// against a bare WinHTTP read loop over the same 64 MiB file from the same loopback
// server in the same run. Prints: compare download_64m ours=MBps winhttp=MBps ratio=R
#include <windows.h>
#include <winhttp.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/HttpClient.h"
#include "tests/win/update/LoopbackServer.h"
#include "win32/WinHttpClient.h"

namespace {

constexpr size_t kSize = 64u * 1024 * 1024;
constexpr int kRounds = 3;

class FileOut : public qev::HttpSink {
 public:
  explicit FileOut(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {}
  ~FileOut() override {
    if (f_) std::fclose(f_);
  }
  bool Write(const void* data, size_t n) override { return f_ && std::fwrite(data, 1, n, f_) == n; }

 private:
  FILE* f_;
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

bool Ours(const std::string& url, const std::string& path, size_t& got) {
  qev::win32::WinHttpClient client;
  client.SetFollowRedirects(false);
  client.SetHeaders(qev::HttpHeaders{});
  int64_t last = 0;
  client.SetWorkEvents([](int64_t) {},
                       [&](int64_t n) {
                         last = n;
                         MSG msg;
                         while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                           DispatchMessageW(&msg);
                       });
  FileOut out(path);
  qev::HttpResult r = qev::CheckedGet(client, url, out);
  got = static_cast<size_t>(last);
  if (!r.ok) std::printf("ours failed: %s\n", r.error.c_str());
  return r.ok;
}

bool Bare(uint16_t port, const std::string& path, size_t& got) {
  got = 0;
  HINTERNET session = WinHttpOpen(L"bench", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                  WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  HINTERNET connection = WinHttpConnect(session, L"127.0.0.1", port, 0);
  HINTERNET request = WinHttpOpenRequest(connection, L"GET", L"/big.bin", nullptr,
                                         WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0);
  bool ok = request &&
            WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                               0, 0, 0) &&
            WinHttpReceiveResponse(request, nullptr);
  FILE* f = std::fopen(path.c_str(), "wb");
  std::vector<char> buf(1024 * 1024);
  while (ok) {
    DWORD available = 0, read = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) ok = false;
    if (!ok || available == 0) break;
    if (available > buf.size()) available = static_cast<DWORD>(buf.size());
    if (!WinHttpReadData(request, buf.data(), available, &read)) ok = false;
    if (!ok || read == 0) break;
    std::fwrite(buf.data(), 1, read, f);
    got += read;
  }
  std::fclose(f);
  WinHttpCloseHandle(request);
  WinHttpCloseHandle(connection);
  WinHttpCloseHandle(session);
  return ok;
}

}  // namespace

int main() {
  qev::test::LoopbackServer server;
  qev::test::Answer big;
  big.body.resize(kSize);
  for (size_t i = 0; i < kSize; ++i) big.body[i] = static_cast<char>(i * 7 + (i >> 12));
  server.Set("/big.bin", big);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "qev_bench_download.bin";
  const double mib = double(kSize) / (1024.0 * 1024.0);
  double bestOurs = 0, bestBare = 0;
  for (int round = 0; round < kRounds; ++round) {
    LARGE_INTEGER a, b;
    size_t got = 0;
    QueryPerformanceCounter(&a);
    bool ok = Bare(server.Port(), path, got);
    QueryPerformanceCounter(&b);
    if (ok && got == kSize && mib / Seconds(a, b) > bestBare) bestBare = mib / Seconds(a, b);
    QueryPerformanceCounter(&a);
    ok = Ours(server.Url("/big.bin"), path, got);
    QueryPerformanceCounter(&b);
    if (ok && got == kSize && mib / Seconds(a, b) > bestOurs) bestOurs = mib / Seconds(a, b);
  }
  DeleteFileA(path.c_str());
  std::printf("compare download_64m ours=%.1f winhttp=%.1f ratio=%.2f\n", bestOurs, bestBare,
              bestBare > 0 ? bestOurs / bestBare : 0.0);
  std::fflush(stdout);
  return bestOurs > 0 && bestBare > 0 ? 0 : 1;
}
