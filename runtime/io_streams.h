// The java.io stream classes: InputStream with DataInputStream and ByteArrayInputStream;
// OutputStream with DataOutputStream, ByteArrayOutputStream, PrintStream and the console
// stream behind System.out.
//
// Slot orders (virtual functions after the six Object slots) are fixed, because the device
// layer's resource and file streams implement the same ones:
//   InputStream:  6 read(b, off, len), 7 read(b), 8 read(), 9 skip(n), 10 available(),
//                 11 close(), 12 mark(limit), 13 reset(), 14 markSupported()
//   OutputStream: 6 close(), 7 flush(), 8 write(int), 9 write(b, off, len), 10 write(b);
//                 ByteArrayOutputStream adds 11 reset(), 12 size().
// End of stream, format and argument errors are thrown as managed exceptions (pending,
// Application::throwException); the method then returns 0, -1 or null. Every byte range
// handed in is checked against the array in 64 bits before anything is read or written.
// Subclasses that override one `read` or `write` bring the others in with `using`.
// Translated code makes streams with the create helpers and calls them through the slots;
// the device layer derives its resource and file streams from InputStream/OutputStream.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class String;

class InputStream : public Object {
 public:
  static constexpr ClassId kClassId = kInputStream;

  virtual int32_t read(ByteArray* b, int32_t off, int32_t len);  // slot 6
  virtual int32_t read(ByteArray* b);                             // slot 7: read(b, 0, length)
  virtual int32_t read();                                         // slot 8: -1 at the end
  virtual int64_t skip(int64_t n);                                // slot 9
  virtual int32_t available();                                    // slot 10
  virtual void close();                                           // slot 11
  virtual void setMark(int32_t readLimit);  // slot 12: mark(limit) (Object::mark is taken)
  virtual void reset();                                           // slot 13
  virtual bool markSupported();                                   // slot 14
};

class DataInputStream : public InputStream {
 public:
  static constexpr ClassId kClassId = kDataInputStream;

  InputStream* in = nullptr;

  static DataInputStream* create(InputStream* in);

  using InputStream::read;
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read(ByteArray* b) override;
  int32_t read() override;
  int64_t skip(int64_t n) override;
  int32_t available() override;
  void close() override;
  void setMark(int32_t readLimit) override;
  void reset() override;
  bool markSupported() override;

  int32_t readByte();
  int32_t readUnsignedShort();
  int32_t readShort();
  int32_t readInt();
  // Reads exactly len bytes; an end of stream first (a read giving -1, or 0 while bytes are
  // still wanted) throws EOFException after keeping what was read.
  void readFully(ByteArray* b, int32_t off, int32_t len);
  // u16 byte length, then modified UTF-8; a malformed or cut-off sequence throws
  // UTFDataFormatException and gives null.
  String* readUTF();
};

class ByteArrayInputStream : public InputStream {
 public:
  static constexpr ClassId kClassId = kByteArrayInputStream;

  ByteArray* buf = nullptr;
  int32_t pos = 0;
  int32_t markPos = 0;
  int32_t count = 0;

  // pos := offset and count := min(offset + length, buf length), both kept inside buf.
  static ByteArrayInputStream* create(ByteArray* buf, int32_t offset, int32_t length);
  static ByteArrayInputStream* create(ByteArray* buf);

  using InputStream::read;
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read() override;
  int64_t skip(int64_t n) override;
  int32_t available() override;
  void close() override {}
  void setMark(int32_t readLimit) override;
  void reset() override;
  bool markSupported() override { return true; }
};

class OutputStream : public Object {
 public:
  static constexpr ClassId kClassId = kOutputStream;

  virtual void close() {}                                          // slot 6
  virtual void flush() {}                                          // slot 7
  virtual void write(int32_t b);                                   // slot 8
  virtual void write(ByteArray* b, int32_t off, int32_t len);      // slot 9
  virtual void write(ByteArray* b);                                // slot 10: write(b, 0, length)
};

class DataOutputStream : public OutputStream {
 public:
  static constexpr ClassId kClassId = kDataOutputStream;

  OutputStream* out = nullptr;

  static DataOutputStream* create(OutputStream* out);

  void close() override;
  void flush() override;
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  void write(ByteArray* b) override;
  // Big-endian; stops after the first byte that leaves an exception pending.
  void writeInt(int32_t v);
};

class ByteArrayOutputStream : public OutputStream {
 public:
  static constexpr ClassId kClassId = kByteArrayOutputStream;
  static constexpr int32_t kInitialSize = 32;

  ByteArray* buf = nullptr;
  int32_t count = 0;
  int8_t closed = 0;

  static ByteArrayOutputStream* create();

  using OutputStream::write;
  void close() override { closed = 1; }
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  virtual void reset() { count = 0; }         // slot 11
  virtual int32_t size() { return count; }    // slot 12
  String* toString() override;                // the bytes as ISO-8859-1

  // Always a copy: the caller's bytes must not change with later writes.
  ByteArray* toByteArray();

 private:
  bool ensureRoom(int32_t more);
};

class PrintStream : public OutputStream {
 public:
  static constexpr ClassId kClassId = kPrintStream;

  OutputStream* out = nullptr;

  static PrintStream* create(OutputStream* out);

  using OutputStream::write;
  // Forward to out and drop a pending IOException.
  void close() override;
  void flush() override;
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;

  void print(String* s);  // the low bytes through out's write(byte[])
  void println();         // byte 10 through out's write(int)
  void println(String* s) {
    print(s);
    println();
  }
};

// Behind System.out: accepts everything and shows nothing.
class ConsoleOutputStream : public OutputStream {
 public:
  static constexpr ClassId kClassId = kConsoleOutputStream;

  using OutputStream::write;
  void write(int32_t) override {}
  void write(ByteArray*) override {}
};

}  // namespace sorv
