// The game's sound calls (`GameSound`): the one SoundPlayer behind them, gated by whether
// the sounds are loaded and by the game's sound option, and the title music's pause and
// resume.
//
// Always: nothing plays before loadAll or while the sound option is off; an index outside
// 0..20 plays nothing; musicWasPlaying is set only by pause and cleared by resumeMusic.
// The player is created by the first loadAll and kept for the whole run. Game thread only.
#pragma once

namespace sorv::GameSound {

// Sound on means element 0 of the game's options is 1. Until the game's options exist the
// sound is on; the game installs the reader of its options here (null: back to on).
using SoundOptionReader = bool (*)();
void setSoundOptionReader(SoundOptionReader reader);

// Loads the 21 sounds from the installation folder, once.
void loadAll();
void play(int index, bool loop);
void stopAll();
// Remembers whether the title music was playing, then stops everything.
void pause();
// Starts the title music again, looped, when pause found it playing.
void resumeMusic();
bool isPlaying(int index);

// Tests: closes the voices and forgets the sounds, so the next loadAll reads the files again.
void unloadForTests();

}  // namespace sorv::GameSound
