// The constant strings: every literal text of the translated code, read at start from
// "/constants.bin" (big-endian int32 count, then count strings in the DataInputStream UTF
// form), and the small resource-opener hook through which the runtime opens that file.
//
// What always holds: the table read is an ObjectArray whose every element is a permanent
// String (collectable 0); it is never longer than the strings the file really holds.
// A missing file is logged and gives no table; a cut-off or malformed one is logged once
// and gives the strings read before the fault; the stream is always closed. The device layer installs the archive's opener
// before Application::init; tests install one that serves bytes from memory.
#pragma once

#include "runtime/array.h"

namespace sorv {

class InputStream;
class String;

// Opens a resource by name ("/constants.bin"); null when it does not exist.
using ResourceOpener = InputStream* (*)(String* name);
void setResourceOpener(ResourceOpener opener);
InputStream* openResource(String* name);

// Reads a constant-string table from a stream (which stays open).
ObjectArray* readConstantStrings(InputStream* in);
// Opens "/constants.bin" through the opener, reads it and closes it; null when it is
// missing.
ObjectArray* loadConstantStrings();

}  // namespace sorv
