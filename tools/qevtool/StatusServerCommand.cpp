// qevtool status-server: a stand-in for a zone's status port.

#include "ArgValues.h"
#include "CommandLine.h"
#include "StatusServer.h"
#include "ToolContext.h"
#include "ToolErrors.h"

namespace qev::tool {

namespace {

int Run(ToolContext& ctx, const ParsedArgs& a) {
  if (!a.Has("port")) throw UsageError("status-server needs --port N");
  StatusServerOptions o;
  o.Port = ParsePortArg(a.Value("port"), "--port", 0);
  o.BindAddress = a.Value("bind", o.BindAddress);
  if (a.Has("push")) o.Push = ctx.FileText(a.Value("push"), "--push");
  o.CloseAtOnce = a.Has("close");
  RunStatusServer(o, ctx.Out());
  return kExitOk;
}

const Registrar reg({
    "status-server",
    "--port N [--bind ADDRESS] [--push TEXT] [--close]",
    "accept connections on a zone's status port, as the launcher's probe expects",
    "The launcher probes a zone on its game port + 1000: give that port as N (0 picks a\n"
    "free port). The first line printed is \"listening on ADDRESS:PORT\", then one line\n"
    "\"connection from ADDRESS:PORT\" per connection (\" (closed)\" added with --close).\n"
    "A text that the launcher is to show must begin with \"ab#\": --push \"ab#message\".\n"
    "Runs until interrupted (Ctrl+C or SIGTERM) and then prints \"stopped\".",
    {{"port", "N", "port to listen on (the zone's game port + 1000)"},
     {"bind", "ADDRESS", "IPv4 address to listen on (default 127.0.0.1)"},
     {"push", "TEXT", "send TEXT (as GBK) to each new connection"},
     {"close", "", "close each connection at once (after the push)"}},
    0,
    0,
    Run,
});

}  // namespace

}  // namespace qev::tool
