#include "update/HttpFetch.h"

#include <memory>

namespace qev {

HttpResult WorkerGetText(HttpClientFactory& factory, const std::string& url, std::string& body) {
  body.clear();
  std::unique_ptr<HttpClient> client = factory.Create();
  client->SetFollowRedirects(true);
  client->SetReadTimeout(kWorkerReadTimeoutMs);
  client->SetHeaders(HttpHeaders{});
  StringSink sink(body);
  return CheckedGet(*client, url, sink);
}

}  // namespace qev
