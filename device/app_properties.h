// The application properties: the "app.jad" entry of the archive read into a table of
// String to String held by the MIDlet (class id 92, device/midlet.h), and
// MIDlet.getAppProperty.
//
// What always holds: the table has one value per key (a later line replaces an earlier
// one); keys and values are trimmed and never null. A line is "key: value" up to '\n' (a
// '\r' before it is dropped); a line without ':' is skipped, and a last line without a line
// feed counts. The table is also System::appProperties, which System::getProperty reads.
// The midlet's constructor (ZentuKR09, which extends MIDlet) calls MIDlet::init first.
#pragma once

#include "device/midlet.h"
#include "runtime/object.h"

namespace sorv {

class Hashtable;
class String;

// "app.jad" as a String (ISO-8859-1), or null when the archive has no such entry.
String* readJad();

// Puts every "key: value" line of text into table.
void parseAppProperties(String* text, Hashtable* table);

}  // namespace sorv
