#pragma once
// A zone's status port as the launcher's probe sees it: accepts TCP connections,
// optionally pushes a text to each and optionally closes it at once. The platform
// file of this pair holds the sockets.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace qev::tool {

struct StatusServerOptions {
  std::string BindAddress = "127.0.0.1";
  uint16_t Port = 0;  // 0: any free port (the line "listening on" names it)
  std::string Push;   // bytes sent to each new connection; empty sends nothing
  bool CloseAtOnce = false;
};

// Prints "listening on ADDRESS:PORT", then one line per connection, each flushed,
// until SIGINT or SIGTERM arrives; then closes everything and returns. Raises
// ToolError when the address cannot be bound.
void RunStatusServer(const StatusServerOptions& options, std::ostream& log);

}  // namespace qev::tool
