// Special folders, folder listing and the deletion of files and folders on the phone's
// file system (stand-ins for SHGetSpecialFolderPath, FindFirstFile/FindNextFile, DeleteFile
// and RemoveDirectory), on the host folder of paths.h.
//
// Deletion never follows a link: a phone path that runs through a link on the host (in any
// component below SORV_ROOT) is refused, deleteFile removes plain files only and removeFolder
// empty folders only. Each deletion that happens is written to the trace
// ("delete-file <path>", "remove-folder <path>", phone paths). Test control:
// SORV_SPECIAL_FOLDER=fail makes every special-folder query fail.
#pragma once

#include <string>
#include <vector>

namespace sorv::platform {

enum class SpecialFolder { ProgramFiles = 0x26 };

// The phone path of a special folder ("\Program Files"); false when the query fails.
bool specialFolderPath(SpecialFolder folder, std::string& cePath);

enum class EntryKind { File, Folder, Link, Other };

struct FolderEntry {
  std::string name;  // as stored on the host, UTF-8
  EntryKind kind;    // of the entry itself: a link is a Link whatever it points to
};

// The entries of a folder, without "." and "..", sorted by name; false when the path is
// refused or is not a folder.
bool listFolder(const std::string& ceFolder, std::vector<FolderEntry>& entries);

// Deletes a plain file; false (and nothing changed) for anything else or on failure.
bool deleteFile(const std::string& cePath);

// Removes an empty folder; false (and nothing changed) for anything else or on failure.
bool removeFolder(const std::string& cePath);

}  // namespace sorv::platform
