// The table of the game's states: for each state 0..64 and each message (enter, update,
// paint, exit) the handler, or null where the message does nothing.
#pragma once

#include <cstdint>

namespace sorv {

using StateHandler = void (*)();

// Null for a state or message outside the table and for a message the state ignores.
StateHandler stateHandler(int32_t state, int32_t message);

}  // namespace sorv
