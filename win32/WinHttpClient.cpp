#include "win32/WinHttpClient.h"

#include <windows.h>
#include <winhttp.h>

#include <condition_variable>
#include <deque>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "win32/Gbk.h"
#include "win32/LateWinHttp.h"

namespace qev::win32 {

namespace {

// Owns one WinHTTP handle.
class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (h_) late::WinHttpCloseHandle(h_);
  }
  HINTERNET Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_ = nullptr;
};

// Owns one event handle.
class EventHandle {
 public:
  EventHandle() : h_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  EventHandle(const EventHandle&) = delete;
  EventHandle& operator=(const EventHandle&) = delete;
  ~EventHandle() {
    if (h_) CloseHandle(h_);
  }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

// The helper reads ahead at most this much before the waiting thread has taken it.
constexpr size_t kMaxQueuedBytes = 4 * 1024 * 1024;
// One read never asks for more than this, whatever is available.
constexpr DWORD kMaxRead = 1024 * 1024;
// Small reads are joined into queued chunks of up to this size, so the waiting thread
// writes and reports progress once per chunk rather than once per read.
constexpr size_t kJoinUpTo = 256 * 1024;
// Reads of a fast transfer are a few KiB each: the helper wakes the waiting thread only
// once this much is queued, and the waiting thread looks at the queue at least every
// kLookEveryMs on its own, so progress on a slow line still shows within that time.
constexpr size_t kWakeAt = 256 * 1024;
constexpr DWORD kLookEveryMs = 50;
// The waiting thread's own guard adds this to the read time-out before it gives up on a
// helper whose WinHTTP call has not returned.
constexpr uint32_t kGuardSlackMs = 1500;
// The longest a streaming transfer goes without processing the window's messages.
constexpr DWORD kPumpEveryMs = 30;

enum class Phase { Connect, Read };

std::string ErrorText(DWORD code, Phase phase) {
  switch (code) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:
      return phase == Phase::Connect ? "Connect timed out." : "Read timed out.";
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "Could not connect to the server (error 12029).";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "The server's name could not be resolved (error 12007).";
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
      return "The server's certificate was not accepted (error " + std::to_string(code) + ").";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "The connection to the server was broken (error 12030).";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
    case ERROR_WINHTTP_INVALID_URL:
      return "The address is not an HTTP or HTTPS URL.";
    default:
      return "The HTTP request failed (error " + std::to_string(code) + ").";
  }
}

std::string Narrow(const std::wstring& w) {
  std::string out;
  if (WideToGbk(w, out)) return out;
  for (wchar_t c : w) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

struct UrlParts {
  bool secure = false;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring path;  // with the query
};

bool CrackUrl(const std::string& url, UrlParts& out) {
  std::wstring wide = GbkToWide(url);
  if (wide.empty()) return false;
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  if (!late::WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts))
    return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return false;
  out.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  out.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  out.port = parts.nPort;
  out.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo) out.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (out.path.empty()) out.path = L"/";
  return !out.host.empty();
}

// One header of the answer as text; false when the answer has none.
bool QueryHeader(HINTERNET request, DWORD what, std::wstring& out, DWORD* index) {
  DWORD size = 0;
  late::WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                            &size, index);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
  if (!late::WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, buf.data(), &size,
                                 index))
    return false;
  buf.resize(size / sizeof(wchar_t));
  out = std::move(buf);
  return true;
}

}  // namespace

// What one GET shares between its helper thread and the thread that waits for it.
struct WinHttpClient::Transfer {
  // Fixed before the helper starts.
  UrlParts url;
  std::wstring agent;
  std::wstring requestHeaders;
  bool follow = true;
  uint32_t connectMs = 0, readMs = 0;

  // Written by the helper under mu; each change sets wake.
  std::mutex mu;
  std::condition_variable room;  // the waiting thread took chunks, or gave up
  EventHandle wake;
  bool headersReady = false;
  int status = 0;
  std::string statusLine;  // "HTTP/1.1 404 Not Found"
  int64_t announced = -1;
  std::vector<std::string> setCookies;
  std::deque<std::string> chunks;
  // Chunks the waiting thread has written, emptied for the helper to fill again (never
  // more than the queue limit allows in flight). Under Wine a chunk that grows read by
  // read, or a new block for every chunk, costs copies and freshly faulted heap pages per
  // 256 KiB: about a quarter of a fast download's time.
  std::vector<std::string> spare;
  size_t queued = 0;
  bool woken = false;  // woken for the chunks queued now
  bool ended = false;
  std::string error;  // why the helper ended early; empty at a normal end
  bool cancelled = false;

  void Publish() { SetEvent(wake.Get()); }
  void Fail(DWORD code, Phase phase) {
    std::lock_guard<std::mutex> lock(mu);
    error = ErrorText(code, phase);
    ended = true;
    Publish();
  }
  bool Cancelled() {
    std::lock_guard<std::mutex> lock(mu);
    return cancelled;
  }
  void Cancel() {
    std::lock_guard<std::mutex> lock(mu);
    cancelled = true;
    room.notify_all();
  }

  static void Run(const std::shared_ptr<Transfer>& t);
  void ReadAnswer(HINTERNET request);
  void ReadBody(HINTERNET request);
};

void WinHttpClient::Transfer::Run(const std::shared_ptr<Transfer>& t) {
  InternetHandle session(late::WinHttpOpen(t->agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return t->Fail(GetLastError(), Phase::Connect);
  const int connectMs = static_cast<int>(t->connectMs), readMs = static_cast<int>(t->readMs);
  late::WinHttpSetTimeouts(session.Get(), connectMs, connectMs, readMs, readMs);
  InternetHandle connection(
      late::WinHttpConnect(session.Get(), t->url.host.c_str(), t->url.port, 0));
  if (!connection) return t->Fail(GetLastError(), Phase::Connect);
  InternetHandle request(late::WinHttpOpenRequest(
      connection.Get(), L"GET", t->url.path.c_str(), nullptr, WINHTTP_NO_REFERER,
      WINHTTP_DEFAULT_ACCEPT_TYPES, t->url.secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return t->Fail(GetLastError(), Phase::Connect);
  late::WinHttpSetTimeouts(request.Get(), connectMs, connectMs, readMs, readMs);
  // The headers' wait is not bounded by the receive time-out alone.
  DWORD responseMs = t->readMs;
  late::WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseMs,
                         sizeof responseMs);
  // Cookies are kept by the client itself, so that they live as long as it does.
  DWORD features = WINHTTP_DISABLE_COOKIES | (t->follow ? 0 : WINHTTP_DISABLE_REDIRECTS);
  late::WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &features, sizeof features);

  if (!late::WinHttpSendRequest(request.Get(), t->requestHeaders.c_str(),
                                static_cast<DWORD>(t->requestHeaders.size()),
                                WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
    return t->Fail(GetLastError(), Phase::Connect);
  if (t->Cancelled()) return;
  if (!late::WinHttpReceiveResponse(request.Get(), nullptr))
    return t->Fail(GetLastError(), Phase::Read);
  t->ReadAnswer(request.Get());
  if (t->status >= 200 && t->status <= 299) t->ReadBody(request.Get());
  std::lock_guard<std::mutex> lock(t->mu);
  t->ended = true;
  t->Publish();
}

void WinHttpClient::Transfer::ReadAnswer(HINTERNET request) {
  DWORD code = 0, size = sizeof code;
  late::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                            WINHTTP_HEADER_NAME_BY_INDEX, &code, &size, WINHTTP_NO_HEADER_INDEX);
  std::wstring version = L"HTTP/1.1", reason, length, cookie;
  QueryHeader(request, WINHTTP_QUERY_VERSION, version, WINHTTP_NO_HEADER_INDEX);
  QueryHeader(request, WINHTTP_QUERY_STATUS_TEXT, reason, WINHTTP_NO_HEADER_INDEX);
  int64_t announcedLength = -1;
  if (QueryHeader(request, WINHTTP_QUERY_CONTENT_LENGTH, length, WINHTTP_NO_HEADER_INDEX)) {
    try {
      announcedLength = std::stoll(Narrow(length));
    } catch (const std::logic_error&) {
      // A length that is no number, or too big for one, counts as not announced.
      announcedLength = -1;
    }
  }
  std::vector<std::string> cookies;
  for (DWORD index = 0; QueryHeader(request, WINHTTP_QUERY_SET_COOKIE, cookie, &index);)
    cookies.push_back(Narrow(cookie));

  std::lock_guard<std::mutex> lock(mu);
  status = static_cast<int>(code);
  statusLine = Narrow(version);
  statusLine.append(1, ' ').append(std::to_string(code));
  if (!reason.empty()) statusLine.append(1, ' ').append(Narrow(reason));
  announced = announcedLength;
  setCookies = std::move(cookies);
  headersReady = true;
  Publish();
}

void WinHttpClient::Transfer::ReadBody(HINTERNET request) {
  std::string buffer;
  for (;;) {
    if (Cancelled()) return;
    DWORD available = 0;
    if (!late::WinHttpQueryDataAvailable(request, &available))
      return Fail(GetLastError(), Phase::Read);
    if (available == 0) return;
    buffer.resize(available < kMaxRead ? available : kMaxRead);
    DWORD got = 0;
    if (!late::WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &got))
      return Fail(GetLastError(), Phase::Read);
    if (got == 0) return;
    std::unique_lock<std::mutex> lock(mu);
    room.wait(lock, [&] { return queued < kMaxQueuedBytes || cancelled; });
    if (cancelled) return;
    queued += got;
    if (chunks.empty() || chunks.back().size() + got > kJoinUpTo) {
      if (spare.empty()) {
        chunks.emplace_back();
        chunks.back().reserve(kJoinUpTo);
      } else {
        chunks.push_back(std::move(spare.back()));
        spare.pop_back();
      }
    }
    chunks.back().append(buffer.data(), got);
    if (!woken && queued >= kWakeAt) {
      woken = true;
      Publish();
    }
  }
}

namespace {

// Processes the calling thread's pending window messages. False when the program is
// quitting (the quit message is put back for the message loop that owns it).
bool PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

std::wstring RequestHeaders(const qev::HttpHeaders& h, uint64_t rangeStart,
                            const std::string& cookies) {
  std::string text = "Accept: " + h.accept + "\r\nContent-Type: " + h.contentType + "\r\n";
  if (rangeStart > 0) text += "Range: bytes=" + std::to_string(rangeStart) + "-\r\n";
  if (!cookies.empty()) text += "Cookie: " + cookies + "\r\n";
  return GbkToWide(text);
}

}  // namespace

WinHttpClient::WinHttpClient() = default;
WinHttpClient::~WinHttpClient() = default;

qev::HttpResult WinHttpClient::Get(const std::string& url, qev::HttpSink& sink) {
  stop_ = false;
  qev::HttpResult result;
  auto t = std::make_shared<Transfer>();
  if (!CrackUrl(url, t->url)) {
    result.error = ErrorText(ERROR_WINHTTP_INVALID_URL, Phase::Connect);
    return result;
  }
  const std::string hostKey = Lower(Narrow(t->url.host));
  std::string cookieText;
  for (const auto& [name, value] : cookies_[hostKey])
    cookieText += (cookieText.empty() ? "" : "; ") + name + "=" + value;
  t->agent = GbkToWide(headers_.userAgent);
  t->requestHeaders = RequestHeaders(headers_, rangeStart_, cookieText);
  t->follow = follow_;
  t->connectMs = connectMs_;
  t->readMs = readMs_;
  std::thread([t] { Transfer::Run(t); }).detach();

  struct CancelOnExit {
    Transfer& t;
    ~CancelOnExit() { t.Cancel(); }
  } cancelOnExit{*t};

  bool begun = false;
  int64_t count = 0;
  std::deque<std::string> chunks;  // taken from the helper; written, then handed back
  DWORD lastActivity = GetTickCount(), lastPump = 0;
  for (;;) {
    const uint32_t allowed = (begun ? readMs_ : connectMs_ + readMs_) + kGuardSlackMs;
    const DWORD waited = GetTickCount() - lastActivity;
    if (waited >= allowed) {
      result.error = begun ? "Read timed out." : "Connect timed out.";
      return result;
    }
    HANDLE wake = t->wake.Get();
    const DWORD timeout = allowed - waited < kLookEveryMs ? allowed - waited : kLookEveryMs;
    const DWORD why =
        MsgWaitForMultipleObjectsEx(1, &wake, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    // While data streams in, the wait ends on the helper's event every time; the window's
    // messages are still taken at least every kPumpEveryMs, without a look per chunk.
    if (why != WAIT_OBJECT_0 || GetTickCount() - lastPump >= kPumpEveryMs) {
      lastPump = GetTickCount();
      if (!PumpMessages()) stop_ = true;
    }
    if (stop_) {
      result.error = kHttpDisconnectedText;
      return result;
    }

    bool ended = false, headersNow = false;
    std::string error;
    {
      std::lock_guard<std::mutex> lock(t->mu);
      for (std::string& chunk : chunks) {
        chunk.clear();
        t->spare.push_back(std::move(chunk));
      }
      chunks.clear();
      headersNow = t->headersReady && !begun;
      chunks.swap(t->chunks);
      // The helper waits for room only with a full queue.
      if (t->queued >= kMaxQueuedBytes) t->room.notify_all();
      t->queued = 0;
      t->woken = false;
      ended = t->ended;
      error = t->error;
    }
    if (headersNow || !chunks.empty() || ended) lastActivity = GetTickCount();
    if (headersNow) {
      begun = true;
      result.status = t->status;
      for (const std::string& c : t->setCookies) {
        const std::string pair = c.substr(0, c.find(';'));
        const size_t eq = pair.find('=');
        if (eq != std::string::npos && eq > 0)
          cookies_[hostKey][pair.substr(0, eq)] = pair.substr(eq + 1);
      }
      if (t->status < 200 || t->status > 299) {
        result.error = t->statusLine;
        return result;
      }
      FireWorkBegin(t->announced);
      if (stop_) {
        result.error = kHttpDisconnectedText;
        return result;
      }
    }
    for (const std::string& chunk : chunks) {
      if (!sink.Write(chunk.data(), chunk.size())) {
        result.error = "The downloaded data could not be written.";
        return result;
      }
      count += static_cast<int64_t>(chunk.size());
      FireWork(count);
      if (stop_) {
        result.error = kHttpDisconnectedText;
        return result;
      }
    }
    if (!ended) continue;
    if (!error.empty()) {
      result.error = begun ? t->statusLine + ": " + error : error;
      return result;
    }
    if (begun && t->announced >= 0 && count < t->announced) {
      result.error = t->statusLine + ": the body ended after " + std::to_string(count) + " of " +
                     std::to_string(t->announced) + " bytes";
      return result;
    }
    result.ok = begun;
    if (!begun) result.error = "The server sent no answer.";
    return result;
  }
}

std::unique_ptr<qev::HttpClient> WinHttpClientFactory::Create() {
  return std::make_unique<WinHttpClient>();
}

}  // namespace qev::win32
