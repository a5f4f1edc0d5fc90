#pragma once
// The launcher configuration file: the "LoginInfo" values and the server records.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qev {

struct TServerInfo {
  std::string ServerAddress;
  std::string ServerName;
  int32_t ServerPort = 0;
  std::string ServerNotice;
  std::string ServerCaption;
};

using TServerList = std::vector<std::unique_ptr<TServerInfo>>;

struct TLauncherConfig {
  std::string Caption1, Command1, Caption2, Command2, Caption3, Command3;
  std::string NoticeURL, UpdateURL, Website, ExitURL, Chongzhi, BBS, InfoVer;
  // The public key every update must be signed with (hex); empty: updates are unsigned.
  std::string UpdateKey;
};

inline constexpr uint32_t ServerKey = 24681357;
inline constexpr int ServerRounds = 21;

// HexToStr, then StrDecipher with ServerKey and 21 rounds.
std::string DecodeServerValue(const std::string& stored);
// The inverse, as configuration authors write the stored values (upper-case hex).
std::string EncodeServerValue(const std::string& plain);

// A server section that was not accepted, and why (for the operator tool).
struct DroppedSection {
  std::string Name;
  std::string Reason;
};

// Reads fileName: overwrites every field of config and appends the accepted servers to
// servers. File errors raise qev::FileError. dropped, when given, receives the skipped
// server sections in file order.
void LoadLauncherConfig(FileSystem& fs, const std::string& fileName, TLauncherConfig& config,
                        TServerList& servers, std::vector<DroppedSection>* dropped = nullptr);

}  // namespace qev
