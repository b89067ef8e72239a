// Command (javax.microedition.lcdui): a label, a long label, a type and a priority. The
// game's promotion screens make them; they are never shown or delivered.
//
// Invariants: a constructed Command has a non-null label and a type in 1..8; a failed
// check throws (NullPointerException, IllegalArgumentException) and leaves the rest unset.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class String;

class Command : public Object {
 public:
  static constexpr ClassId kClassId = kCommand;
  static constexpr int32_t kFirstType = 1;  // SCREEN
  static constexpr int32_t kLastType = 8;   // ITEM

  String* label = nullptr;
  String* longLabel = nullptr;
  int32_t commandType = 0;
  int32_t priority = 0;

  // Command.<init>(Ljava/lang/String;II)V
  void init(String* label, int32_t type, int32_t priority);
  // Command.setLabel(Ljava/lang/String;Ljava/lang/String;)V
  void setLabel(String* label, String* longLabel);
  // Command.initialize(II)V
  void initialize(int32_t type, int32_t priority);
};

}  // namespace sorv
