// The java.util.Enumeration interface (class id 54): an abstract base after Object,
// reached through getInterface(kEnumeration); its methods in slot order.
#pragma once

namespace sorv {

class Object;

class Enumeration {
 public:
  virtual bool hasMoreElements() = 0;
  virtual Object* nextElement() = 0;

 protected:
  ~Enumeration() = default;
};

}  // namespace sorv
