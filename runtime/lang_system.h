// java.lang.System and java.lang.Runtime.
//
// System.out (a PrintStream over the console stream, which shows nothing) and the
// properties table are static roots made by System::clinit, the first static initialiser;
// it reads the constant strings, so those are loaded before it. Runtime's one instance is
// made by Runtime::clinit. Runtime.exit does nothing: the game ends through its midlet.
// The application properties ("app.jad") are set by the device layer's MIDlet.<init>.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Hashtable;
class PrintStream;
class String;

class System {
 public:
  static StaticRef<PrintStream> out;
  static StaticRef<Hashtable> properties;
  static StaticRef<Hashtable> appProperties;

  static void clinit();
  // A full collection of the object heap.
  static void gc();

  // "microedition.media.version" gives "1.0"; else the application property, else the
  // system property, else the text "PROPERTY VALUE EMPTY" (never null).
  static String* getProperty(String* key);
  // Milliseconds on the program clock, its 32-bit tick count with a high word of 0.
  static int64_t currentTimeMillis();

  // Copies length elements; the checks, in this order, each log, report and copy nothing:
  // src or dst null ("NullPointerException"), different classes ("ArrayStoreException"),
  // length < 0 ("arraycopy length"); then, when length is not 0, each position below 0, at
  // or past its array's end, or position + length past it ("src_position",
  // "dst_position"), computed in 64 bits. Overlapping ranges of one array move correctly.
  static void arraycopy(Object* src, int32_t srcPos, Object* dst, int32_t dstPos, int32_t length);
};

class Runtime : public Object {
 public:
  static constexpr ClassId kClassId = kRuntime;

  static StaticRef<Runtime> instance;
  static void clinit();

  virtual void exit(int32_t) {}  // slot 6: the game ends through its midlet instead
  virtual void gc() {}           // slot 7: collections are System::gc's business
};

}  // namespace sorv
