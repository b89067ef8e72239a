// The steps of the clean-up on removal, in the order Uninstall_Exit runs them.
//
// Each step passes over whatever is missing or fails. Deletion touches only plain files
// directly inside the game's own folder ("<program files>\Kestovan\Sorvantel 2009"): no
// sub-folder, no link, nothing outside it; saved games ("rms_" in the name) survive unless
// the user explicitly said No.
#pragma once

namespace sorv::installer {

// The messages in the phone's UI language.
void chooseMessageLanguage();
// Asks whether to keep the saved games; only an explicit No gives false, so a box that
// cannot be shown keeps them.
bool askKeepSavedGames();
// Deletes the game's files (sparing the saved games when asked) and, when nothing was
// spared, the folder itself once it is empty. Without a program-files folder: nothing.
void deleteGameFiles(bool keepSavedGames);
// Removes the game's registry key.
void deleteGameKey();
// Empties the home-screen launcher slots whose display name is the game's.
void clearLauncherEntries();

}  // namespace sorv::installer
