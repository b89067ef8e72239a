// java.lang.Runnable: the one interface the main loop calls. A class that implements it
// answers getInterface(kRunnable) with its Runnable part; callers test instanceOf first.
#pragma once

namespace sorv {

class Runnable {
 public:
  virtual void run() = 0;

 protected:
  ~Runnable() = default;
};

}  // namespace sorv
