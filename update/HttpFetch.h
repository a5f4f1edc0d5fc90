#pragma once
// The update worker's GETs, held to CheckedGet's rule: only a complete 2xx answer counts.

#include <string>

#include "platform/HttpClient.h"

namespace qev {

// The update worker's request: a fresh client from factory, redirects followed, a read
// time-out of 30000 ms, the default headers; the body as text.
HttpResult WorkerGetText(HttpClientFactory& factory, const std::string& url, std::string& body);

}  // namespace qev
