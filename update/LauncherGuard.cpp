// The launcher's UpdateGuard, apart from the guard itself so that only the program that
// makes one links the system's cryptography.

#include <exception>

#include "config/LauncherConfig.h"
#include "update/UpdateGuard.h"

namespace qev {

namespace {

// Not hex: a guard with it refuses every update.
constexpr char kUnreadableKey[] = "(configuration file unreadable)";

std::string PinnedKeyOf(FileSystem& fs, const std::string& configFile) {
  TLauncherConfig config;
  TServerList servers;
  try {
    LoadLauncherConfig(fs, configFile, config, servers);
  } catch (const std::exception&) {
    return kUnreadableKey;
  }
  return config.UpdateKey;
}

}  // namespace

std::unique_ptr<UpdateGuard> MakeLauncherGuard(FileSystem& fs, const ProcessValues& values,
                                               GuardLog log) {
  UpdateGuardSetup setup{PinnedKeyOf(fs, values.ConfigFileName),
                         values.AppDir + LauncherId + ".serial", values.AppDir};
  std::unique_ptr<Crypto> crypto = setup.PinnedKey.empty() ? nullptr : MakeSystemCrypto();
  return std::make_unique<UpdateGuard>(fs, std::move(crypto), std::move(setup), std::move(log));
}

}  // namespace qev
