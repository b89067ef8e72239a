// The game's 21 sound files by sound index, shared by the sound player and the data builder
// so the two can never disagree. Index 0 is the title music; its format serves every sound.
#pragma once

#include <array>

namespace sorv {

inline constexpr int kSoundCount = 21;
inline constexpr int kTitleMusic = 0;

inline constexpr std::array<const char*, kSoundCount> kSoundFiles = {
    "m_title.wav",
    "m_win.wav",
    "sfx_ball_lift.wav",
    "sfx_ball_serve.wav",
    "sfx_ball_lob.wav",
    "sfx_ball_flat.wav",
    "sfx_ball_hit_hard.wav",
    "vfx_advantage.wav",
    "vfx_deuce.wav",
    "vfx_fault.wav",
    "vfx_game.wav",
    "vfx_out.wav",
    "vfx_set.wav",
    "vfx_game_set_and_match.wav",
    "vfx_please_the_players_are_ready.wav",
    "vfx_love.wav",
    "vfx_15.wav",
    "vfx_30.wav",
    "vfx_40.wav",
    "vfx_all.wav",
    "sfx_crowd_applause.wav",
};

// Layout of the sound files: a 44-byte canonical header, then PCM data; the player never
// plays the last kSoundTailBytes of a file, so the builder pads each sound with that much
// silence.
inline constexpr unsigned kWaveHeaderBytes = 44;
inline constexpr unsigned kSoundTailBytes = 400;

}  // namespace sorv
