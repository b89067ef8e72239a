// Test support: the promotion's application properties as the shipped app.jad has them,
// variants of them, and the promotion set up from them as the midlet's start does.
#pragma once

#include <map>
#include <string>

#include "device/midlet.h"
#include "promo/igp.h"
#include "runtime/string.h"
#include "runtime/util_hashtable.h"

namespace sorv::test {

using PromoProperties = std::map<std::string, std::string>;

inline PromoProperties shippedPromoProperties() {
  return {
      {"IGP-PROMO", "VIP=VIP;PROMO=promo;PORTAL=portal;TOP1=top1;TOP2=top2"},
      {"IGP-LINK", "http://example.invalid/game?id=[GAME]&ctr&lang=xx"},
      {"IGP-GAMES", "RR=rr;AA=;CK=ck"},
      {"IGP-PORTAL", "http://example.invalid/portal?from=sorvantel&lang=xx"},
      {"IGP-TEXT", "PLAY MORE TENNIS\\nON YOUR PHONE"},
      {"IGP-LIST0", "GAMES=all;G1=g1;G2=g2;G3=g3;G4=g4;G5=g5;G6=g6"},
      {"IGP-LIST1", "N1=n1;N2=n2"},
      {"IGP-VIP", "http://example.invalid/vip?lang=xx"},
  };
}

inline MIDlet* midletWith(const PromoProperties& properties) {
  MIDlet* midlet = newObject<MIDlet>();
  midlet->properties = Hashtable::create();
  for (const auto& [key, value] : properties) {
    Hashtable::put(midlet->properties, String::fromCString(key.c_str()), String::fromCString(value.c_str()));
  }
  return midlet;
}

// The promotion's statics from the start, then its set-up over the archive in place.
inline void startPromotion(const PromoProperties& properties, Object* listener = nullptr) {
  IGP::clinit();
  IGP::initialize(midletWith(properties), nullptr, 800, 480, listener);
}

}  // namespace sorv::test
