#include "game/cgame.h"

namespace sorv {


}  // namespace sorv
