#include "tests/fakes/FakeHttp.h"

#include <algorithm>

namespace qev::test {

void FakeHttpServer::Set(const std::string& url, FakeAnswer answer) {
  std::lock_guard<std::mutex> lock(mu_);
  answers_[url] = std::move(answer);
}

void FakeHttpServer::Serve(const std::string& url, std::string body) {
  FakeAnswer a;
  a.body = std::move(body);
  Set(url, std::move(a));
}

void FakeHttpServer::Fail(const std::string& url, int status, std::string reason) {
  FakeAnswer a;
  a.status = status;
  a.reason = std::move(reason);
  a.body = "<html>error</html>";
  Set(url, std::move(a));
}

void FakeHttpServer::Redirect(const std::string& url, const std::string& to) {
  FakeAnswer a;
  a.status = 302;
  a.reason = "Found";
  a.location = to;
  Set(url, std::move(a));
}

void FakeHttpServer::ServeShort(const std::string& url, std::string body, int64_t announced) {
  FakeAnswer a;
  a.body = std::move(body);
  a.announced = announced;
  Set(url, std::move(a));
}

void FakeHttpServer::TimeOut(const std::string& url, std::string text, size_t sendBeforeFailing) {
  FakeAnswer a;
  a.kind = FakeAnswer::Kind::TimeOut;
  a.errorText = std::move(text);
  a.body = std::string(sendBeforeFailing + 1024, 'x');
  a.sendBeforeFailing = sendBeforeFailing;
  Set(url, std::move(a));
}

void FakeHttpServer::Refuse(const std::string& url) {
  FakeAnswer a;
  a.kind = FakeAnswer::Kind::Refuse;
  a.errorText = "Socket Error # 10061\r\nConnection refused.";
  Set(url, std::move(a));
}

void FakeHttpServer::Stall(const std::string& url, size_t sendBeforeFailing, int maxRounds) {
  FakeAnswer a;
  a.kind = FakeAnswer::Kind::Stall;
  a.errorText = "Read timed out.";
  a.body = std::string(sendBeforeFailing + 1024, 's');
  a.sendBeforeFailing = sendBeforeFailing;
  a.stallRounds = maxRounds;
  Set(url, std::move(a));
}

std::vector<FakeRequest> FakeHttpServer::Requests() const {
  std::lock_guard<std::mutex> lock(mu_);
  return requests_;
}

std::vector<std::string> FakeHttpServer::RequestedUrls() const {
  std::vector<std::string> urls;
  for (const auto& r : Requests()) urls.push_back(r.url);
  return urls;
}

bool FakeHttpServer::Find(const std::string& url, FakeAnswer& out) const {
  std::lock_guard<std::mutex> lock(mu_);
  auto it = answers_.find(url);
  if (it == answers_.end()) return false;
  out = it->second;
  return true;
}

void FakeHttpServer::Log(FakeRequest r) {
  std::lock_guard<std::mutex> lock(mu_);
  requests_.push_back(std::move(r));
}

namespace {

HttpResult Failure(int status, std::string text) {
  HttpResult r;
  r.status = status;
  r.error = std::move(text);
  return r;
}

std::string StatusLine(const FakeAnswer& a) {
  return "HTTP/1.1 " + std::to_string(a.status) + " " + a.reason;
}

}  // namespace

// Sends up to limit bytes of the body in chunks; fails when the sink refuses or the
// client was disconnected. ok=true means the bytes went out.
HttpResult FakeHttpClient::Deliver(const FakeAnswer& a, HttpSink& sink, size_t limit) {
  size_t sent = 0;
  size_t end = std::min(limit, a.body.size());
  while (sent < end) {
    size_t n = std::min(server_.chunkSize, end - sent);
    if (!sink.Write(a.body.data() + sent, n)) return Failure(a.status, "Write error.");
    sent += n;
    FireWork(static_cast<int64_t>(sent));
    if (disconnected_) return Failure(a.status, kHttpDisconnectedText);
  }
  HttpResult r;
  r.ok = true;
  r.status = a.status;
  return r;
}

HttpResult FakeHttpClient::Get(const std::string& url, HttpSink& sink) {
  disconnected_ = false;
  server_.Log({url, follow_, readTimeout_, rangeStart_, headers_});
  FakeAnswer a;
  if (!server_.Find(url, a)) {
    a.status = 404;
    a.reason = "Not Found";
  }
  switch (a.kind) {
    case FakeAnswer::Kind::Refuse:
      return Failure(0, a.errorText);
    case FakeAnswer::Kind::TimeOut: {
      FireWorkBegin(static_cast<int64_t>(a.body.size()));
      HttpResult r = Deliver(a, sink, a.sendBeforeFailing);
      return r.ok ? Failure(0, a.errorText) : r;
    }
    case FakeAnswer::Kind::Stall: {
      FireWorkBegin(static_cast<int64_t>(a.body.size()));
      HttpResult r = Deliver(a, sink, a.sendBeforeFailing);
      if (!r.ok) return r;
      for (int round = 0; round < a.stallRounds; ++round) {
        if (disconnected_) return Failure(200, kHttpDisconnectedText);
        if (pump) pump();
      }
      return Failure(200, disconnected_ ? kHttpDisconnectedText : a.errorText);
    }
    case FakeAnswer::Kind::Serve:
      break;
  }
  if (a.status >= 300 && a.status < 400 && !a.location.empty() && follow_)
    return Get(a.location, sink);
  if (a.status < 200 || a.status > 299) return Failure(a.status, StatusLine(a));
  int64_t announced = a.announced >= 0 ? a.announced : static_cast<int64_t>(a.body.size());
  FireWorkBegin(announced);
  HttpResult r = Deliver(a, sink, a.body.size());
  if (r.ok && static_cast<int64_t>(a.body.size()) < announced)
    return Failure(a.status, "Connection closed gracefully after " + std::to_string(a.body.size()) +
                                 " of " + std::to_string(announced) + " bytes.");
  return r;
}

}  // namespace qev::test
