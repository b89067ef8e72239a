#include "installer/cleanup.h"

#include <cstdio>
#include <string>
#include <vector>

#include "device/messages.h"
#include "device/platform/folders.h"
#include "device/platform/msgbox.h"
#include "device/platform/registry.h"
#include "device/platform/ui_language.h"

namespace sorv::installer {
namespace {

constexpr const char* kGameFolderSuffix = "\\Kestovan\\Sorvantel 2009";
constexpr const char* kSearchPattern = "*.*";
constexpr const char* kSavedGameMarker = "rms_";
constexpr const char* kGameKey = "Software\\Kestovan\\Sorvantel 2009";
constexpr const char* kLauncherKeyFormat = "Software\\HTC\\Manila\\ProgramLauncher\\%d";
constexpr int kLauncherSlots = 24;
constexpr const char* kDisplayNameValue = "DispName";
constexpr const char* kDisplayName = "Sorvantel 2009";
// The phone's path limit in UTF-16 units, terminator included.
constexpr size_t kMaxPath = 260;
constexpr size_t kDisplayNameBufferBytes = 256;

size_t utf16Units(const std::string& utf8) {
  size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++units;
    if ((c & 0xF8) == 0xF0) ++units;  // a surrogate pair
  }
  return units;
}

bool fitsPhonePath(const std::string& path) { return utf16Units(path) < kMaxPath; }

// The game folder with its trailing separator; false when there is no folder to clean.
bool gameFolder(std::string& folder) {
  std::string programFiles;
  if (!platform::specialFolderPath(platform::SpecialFolder::ProgramFiles, programFiles)) {
    return false;
  }
  if (programFiles.empty() || programFiles.front() != '\\') return false;
  while (!programFiles.empty() && programFiles.back() == '\\') programFiles.pop_back();
  folder = programFiles + kGameFolderSuffix + "\\";
  return fitsPhonePath(folder + kSearchPattern);
}

bool isGameFile(const platform::FolderEntry& entry) {
  // A host name holding a separator would name something in a sub-folder once joined.
  return entry.kind == platform::EntryKind::File &&
         entry.name.find_first_of("\\/") == std::string::npos;
}

}  // namespace

void chooseMessageLanguage() {
  LocalizedMessages::setLanguage(platform::userDefaultUILanguage() &
                                 platform::kPrimaryLanguageMask);
}

bool askKeepSavedGames() {
  std::string question =
      LocalizedMessages::toUtf8(LocalizedMessages::get(LocalizedMessages::kKeepSavedDataQuestion));
  int32_t answer =
      platform::messageBox(question, kDisplayName, platform::kMbYesNo | platform::kMbIconQuestion);
  return answer != platform::kIdNo;
}

void deleteGameFiles(bool keepSavedGames) {
  std::string folder;
  if (!gameFolder(folder)) return;
  std::vector<platform::FolderEntry> entries;
  platform::listFolder(folder, entries);
  for (const platform::FolderEntry& entry : entries) {
    if (!isGameFile(entry)) continue;
    std::string path = folder + entry.name;
    // A path that does not fit is skipped, never cut: a cut name could be another file.
    if (!fitsPhonePath(path)) continue;
    if (keepSavedGames && path.find(kSavedGameMarker) != std::string::npos) continue;
    platform::deleteFile(path);
  }
  if (!keepSavedGames) platform::removeFolder(folder);
}

void deleteGameKey() { platform::regDeleteKey(kGameKey); }

void clearLauncherEntries() {
  for (int slot = 0; slot < kLauncherSlots; ++slot) {
    char key[64];
    std::snprintf(key, sizeof key, kLauncherKeyFormat, slot);
    if (platform::regOpenKey(key) != platform::RegStatus::Ok) continue;
    platform::RegValue name;
    if (platform::regQueryValue(key, kDisplayNameValue, kDisplayNameBufferBytes, name) !=
            platform::RegStatus::Ok ||
        name.type != platform::RegType::String) {
      continue;
    }
    // Compared as the terminated string the launcher shows, whatever follows a NUL.
    if (name.data.substr(0, name.data.find('\0')) != kDisplayName) continue;
    platform::regDeleteKey(key);
    platform::regCreateKey(key);
  }
}

}  // namespace sorv::installer
