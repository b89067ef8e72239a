#include "match/ctennis.h"

namespace sorv {

StaticRef<ObjectArray> CTennis::lineCornerKinds;
StaticRef<IntArray> CTennis::courtLossTable;

}  // namespace sorv
