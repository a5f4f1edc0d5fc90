#include "updater/TarnUpMain.h"

namespace qev {

namespace {

// The launcher passes its own file name without a folder. Anything else would let the
// copy land outside the updater's folder, so it is refused before a file is touched.
bool IsBareFileName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  return name.find_first_of(L"\\/:") == std::wstring::npos;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t p = path.find_last_of(L"\\:");
  std::wstring dir = p == std::wstring::npos ? std::wstring() : path.substr(0, p + 1);
  if (dir.empty() || dir.back() != L'\\') dir += L'\\';
  return dir;
}

// Never writes into target directly: a failed copy leaves the old executable whole.
bool ReplaceOnce(UpdaterOps& ops, const std::wstring& source, const std::wstring& target) {
  const std::wstring temp = TarnUpTempName(target);
  if (ops.CopyOver(source, temp) && ops.MoveReplacing(temp, target)) return true;
  ops.Remove(temp);
  return false;
}

}  // namespace

std::wstring TarnUpTempName(const std::wstring& target) { return target + L".new~"; }

int RunTarnUp(UpdaterOps& ops, const std::vector<std::wstring>& args, const std::wstring& exePath) {
  if (args.empty()) return kTarnUpNoArgument;
  const std::wstring& name = args[0];
  if (!IsBareFileName(name) || !ops.FileExists(name)) return kTarnUpNoSuchFile;

  const std::wstring dir = FolderOf(exePath);
  const std::wstring source = dir + L"update\\" + name;
  const std::wstring target = dir + name;

  ops.Wait(kTarnUpFirstWaitMs);
  bool done = false;
  for (int attempt = 0; attempt < kTarnUpAttempts && !done; ++attempt) {
    done = ReplaceOnce(ops, source, target);
    if (!done) ops.Wait(kTarnUpRetryWaitMs);
  }
  if (!done) return kTarnUpCopyFailed;

  ops.Remove(source);
  ops.Remove(source + L".zip");
  return kTarnUpDone;
}

}  // namespace qev
