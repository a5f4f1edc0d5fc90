#include "skin/FileTheme.h"

#include "platform/FileOps.h"
#include "skin/ExtractFrame.h"

namespace qev {

bool TsuiFileThemeMgr::LoadFromFile(const std::string& path, const std::string& password) {
  if (!fs_.FileExists(path)) return false;
  reader_.reset();
  try {
    auto reader = std::make_unique<Tsk2SkinFileReader>(fs_, path, password);
    if (reader->Loaded()) reader_ = std::move(reader);
  } catch (const std::exception&) {
    // A damaged skin gives the built-in look; the player is not told.
  }
  return reader_ != nullptr;
}

// A key beyond its group has no name and reads as a record the file lacks.
const PlainBitmap* TsuiFileThemeMgr::GetBitmap(int key) const {
  std::string_view name = SkinBitmapName(key);
  return reader_ && !name.empty() ? reader_->GetBitmap(name) : nullptr;
}

uint32_t TsuiFileThemeMgr::GetColor(int key) const {
  if (!reader_) return 0;
  std::string_view name = SkinColorName(key);
  return static_cast<uint32_t>(name.empty() ? -1 : reader_->GetInteger(name));
}

int32_t TsuiFileThemeMgr::GetInteger(int key) const {
  if (!reader_) return 0;
  std::string_view name = SkinIntegerName(key);
  return name.empty() ? -1 : reader_->GetInteger(name);
}

bool TsuiFileThemeMgr::GetBoolean(int key) const {
  std::string_view name = SkinBooleanName(key);
  return reader_ && !name.empty() && reader_->GetBoolean(name);
}

const PlainBitmap* TsuiFileThemeMgr::GetNamedBitmap(std::string_view name) const {
  return reader_ ? reader_->GetBitmap(name) : nullptr;
}

TsuiFileTheme::TsuiFileTheme(FileSystem& fs, ThemeSearchFolders folders, ComponentOwner* owner,
                             std::string name)
    : Component(owner, std::move(name)), fs_(fs), folders_(std::move(folders)), mgr_(fs) {}

namespace {
std::string InFolder(const std::string& dir, const std::string& name) {
  if (dir.empty()) return {};
  return WithoutTrailingSeparator(dir) + "\\" + name;
}
}  // namespace

std::string TsuiFileTheme::FindFile(const std::string& path) const {
  std::string name = NamePart(path);
  for (const std::string& candidate :
       {path, InFolder(folders_.LauncherDir, name), InFolder(folders_.WindowsDir, name),
        InFolder(folders_.SystemDir, name)})
    if (!candidate.empty() && !name.empty() && fs_.FileExists(candidate)) return candidate;
  return {};
}

void TsuiFileTheme::SetThemeFile(const std::string& path) {
  bool hadFile = !themeFile_.empty();
  std::string found = FindFile(path);
  if (found.empty()) return;
  themeFile_ = found;
  ready_ = mgr_.LoadFromFile(themeFile_, password_);
  if (!ready_ || !Owner()) return;
  bool usedBySkinnedForm = false;
  for (Component* c : Owner()->Components()) {
    auto* control = dynamic_cast<ThemedControl*>(c);
    if (control && control->IsSkinnedForm() && control->FileTheme() == this)
      usedBySkinnedForm = true;
  }
  ReassignControls();
  if (usedBySkinnedForm && hadFile) Owner()->RedrawFrame();
}

// Writing a control's FileTheme makes it re-apply its style, so each one re-reads the
// newly loaded file.
void TsuiFileTheme::ReassignControls() {
  std::vector<Component*> components = Owner()->Components();
  for (Component* c : components) {
    auto* control = dynamic_cast<ThemedControl*>(c);
    if (!control || control->FileTheme() != this) continue;
    control->SetFileTheme(nullptr);
    control->SetFileTheme(this);
  }
}

void TsuiFileTheme::SetPassword(const std::string& password) {
  password_ = password;
  if (!password_.empty()) SetThemeFile(themeFile_);
}

void TsuiFileTheme::GetBitmapFrame(int key, PlainBitmap& destination, int frameCount,
                                   int frameIndex) const {
  const PlainBitmap* source = GetBitmap(key);
  if (!source)
    destination = PlainBitmap();
  else if (frameCount == 0 || frameIndex == 0)
    destination = *source;
  else
    ExtractFrame(*source, destination, frameCount, frameIndex);
}

}  // namespace qev
