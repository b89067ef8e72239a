// The phone's file system as a folder on the host.
//
// SORV_ROOT (default $XDG_DATA_HOME/sorvantel, else ~/.local/share/sorvantel) stands for the
// phone's "\". Paths inside the program stay phone paths ("\Program Files\..."); only this
// module turns them into host paths: '\' and '/' both separate, each component matches an
// existing entry ignoring ASCII case (the phone's file system ignores case), a missing one
// keeps its spelling, and "." / ".." components are refused.
#pragma once

#include <string>

namespace sorv::platform {

// The phone's program-files folder and the game's installation folder inside it.
inline constexpr const char* kProgramFilesFolder = "\\Program Files";
inline constexpr const char* kInstallFolder = "\\Program Files\\Kestovan\\Sorvantel 2009";

std::string rootDir();
// Tests: use another root (empty: back to the environment).
void setRootDir(const std::string& dir);

// Host path of a phone path; false for a refused path.
bool toHostPath(const std::string& cePath, std::string& hostPath);

// Creates the folders of a phone path (like the installer did on the phone).
bool makeFolders(const std::string& cePath);

}  // namespace sorv::platform
