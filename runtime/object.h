// The managed object model: header, class ids, allocation, reference-field lists and
// static roots.
//
// Invariants:
// - Every managed object derives from Object, with Object as its first (primary) base, so a
//   pointer to any managed class is also a valid Object* with the same address. Interfaces
//   are extra abstract bases after Object; an interface pointer is an interior pointer.
// - The C++ virtual functions are the class method tables: Object declares the six common
//   slots in their order (finalize, equals, clone, toString, hashCode, getInterface), and
//   each class appends its own virtual slots in the order the game calls them by number.
// - Managed objects are created only by newObject<T>() (object heap, listed by the
//   collector). They never move. A released object has classId == kReleasedClassId.
// - A field that holds a managed reference is a pointer to an Object-derived class (never an
//   interface pointer) and is listed in its class's SORV_REF_FIELDS; the collector finds the
//   complete list, inherited fields included, through the class table's superclass chain,
//   which the C++ base classes must mirror.
// - C++ constructors of managed classes only initialise fields and never allocate: a
//   collection must not meet a half-built object whose class id is not yet written.
// - Managed references held by native code live only in managed objects, StaticRef roots, the
//   Application's context fields, or on the machine stack (scanned conservatively); never in
//   host containers or host-heap objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <vector>

namespace sorv {

class String;

// Class ids: the index into the class table of 115 classes.
enum ClassId : int16_t {
  kObject = 0, kClass, kString, kStringBuffer, kObjectArray, kBoolArray, kByteArray,
  kCharArray, kShortArray, kIntArray, kLong64Array, kFloatArray, kDoubleArray,
  kAudioClip, kDefaultCaseConverter,
  kByteArrayInputStream, kByteArrayOutputStream, kConsoleOutputStream, kDataInputStream,
  kDataOutputStream, kEOFException, kInputStream, kIOException, kOutputStream, kPrintStream,
  kUTFDataFormatException,
  kArithmeticException, kArrayIndexOutOfBoundsException, kArrayStoreException, kBoolean,
  kCharacter, kClassNotFoundException, kError, kException, kFloat, kIllegalArgumentException,
  kIllegalStateException, kIndexOutOfBoundsException, kInteger, kInterruptedException, kLong,
  kMath, kNullPointerException, kRunnable, kRuntime, kRuntimeException, kStringDecoder,
  kSystem, kThread, kThrowable,
  kCalendar, kCalendarImpl, kDate, kEmptyStackException, kEnumeration, kHashtableEnumerator,
  kHashtable, kHashtableEntry, kNoSuchElementException, kRandom, kStack, kTimeZone,
  kTimeZoneImpl, kVector,
  kConnection, kConnectionNotFoundException, kConnector, kContentConnection, kFile,
  kHttpConnection, kInputConnection, kOutputConnection, kResourceInputStream,
  kStreamConnection,
  kCanvas, kCommand, kCommandListener, kDisplay, kDisplayable, kFont, kGraphics, kImage,
  kGameCanvas, kGameSprite,
  kControl, kControllable, kManager, kMediaException, kPlayer, kPlayerListener, kMIDIControl,
  kVolumeControl,
  kMIDlet,
  kInvalidRecordIDException, kRecordComparator, kRecordEnumeration, kRecordEnumerationImpl,
  kRecordFilter, kRecordListener, kRecordStore, kRecordStoreException,
  kRecordStoreFullException, kRecordStoreNotFoundException, kRecordStoreNotOpenException,
  kANIM, kASprite, kCActor, kCAE, kCGame, kCPlayer, kCTennis, kCTraining, kZentuKR09, kIGP,
  kRigidBody,
  kClassCount
};
static_assert(kClassCount == 115);

// Class id of an object the collector has released; such a reference counts as null.
constexpr int16_t kReleasedClassId = static_cast<int16_t>(0xFEEE);
// Superclass id of Object: no superclass.
constexpr int16_t kNoSuperclass = static_cast<int16_t>(0xFEEE);

class Object {
 public:
  // The six common class-table slots, in order.
  virtual void finalize();                      // slot 0: before the memory is returned
  virtual bool equals(Object* other);           // slot 1: same reference
  virtual Object* clone();                      // slot 2: logs "clone", reports, null
  virtual String* toString();                   // slot 3: "Object_id=%d @0x%x"
  virtual int32_t hashCode();                   // slot 4: identity (offset in the heap)
  virtual void* getInterface(int32_t classId);  // slot 5: interface word or null

  int16_t classId = kObject;
  uint8_t collectable = 0;  // 1: the collector may free it; 0: permanent
  uint8_t mark = 0;         // collector mark

  // Zero-filled bytes: kind 0 from the object heap (listed by the collector), any other
  // kind from the buffer heap with the system heap as fallback (not listed). Null on failure
  // after the log line and stack trace.
  static void* allocate(size_t size, int kind);

 protected:
  Object() = default;
  ~Object() = default;
};

// True for null and for a released object: the runtime's null test.
inline bool isNull(const Object* o) { return o == nullptr || o->classId == kReleasedClassId; }

// Creates a managed object of class T (which names its id as T::kClassId) in the object
// heap. Only the C++ constructor runs: the class's <init> is a separate call. Null when the
// heap is exhausted.
template <class T>
T* newObject() {
  void* mem = Object::allocate(sizeof(T), 0);
  if (mem == nullptr) return nullptr;
  T* object = ::new (mem) T();
  object->classId = T::kClassId;
  object->collectable = 1;
  object->mark = 1;
  return object;
}

// The reference fields a class declares itself (not inherited ones), as byte offsets from
// the object's start. One definition per class, made by SORV_REF_FIELDS in its .cpp file;
// the class table joins them with the superclass chain's at start.
struct OwnRefFields {
  OwnRefFields(ClassId id, std::initializer_list<uint32_t> offsets);

  ClassId classId;
  std::vector<uint32_t> offsets;
  const OwnRefFields* next;  // all definitions, linked at static initialisation

  static const OwnRefFields* first();
};

#define SORV_REF_OFFSET(Class, field) static_cast<uint32_t>(offsetof(Class, field))
// SORV_REF_FIELDS(Vector, SORV_REF_OFFSET(Vector, elementData), ...)
#define SORV_REF_FIELDS(Class, ...)                                         \
  static const ::sorv::OwnRefFields sorvOwnRefFields_##Class(Class::kClassId, \
                                                              {__VA_ARGS__})

// The root registry: every static field that holds a managed reference is a StaticRef,
// which lists its own address for the collector for the whole run.
class StaticRootBase {
 public:
  Object* object = nullptr;
  StaticRootBase* nextRoot = nullptr;

 protected:
  StaticRootBase();
  ~StaticRootBase() = default;
};

template <class T>
class StaticRef : public StaticRootBase {
 public:
  StaticRef() = default;
  // Copying one root into another copies the reference only: the registry links stay put.
  StaticRef(const StaticRef&) = delete;
  StaticRef& operator=(const StaticRef& other) {
    object = other.object;
    return *this;
  }
  T* get() const { return static_cast<T*>(object); }
  operator T*() const { return get(); }
  T* operator->() const { return get(); }
  StaticRef& operator=(T* value) {
    object = value;
    return *this;
  }
};

// Calls visit(root) for every registered static root; used by the collector and by the
// runtime's start and close, which clear them all.
template <class Visit>
void forEachStaticRoot(Visit visit);
StaticRootBase* firstStaticRoot();

template <class Visit>
void forEachStaticRoot(Visit visit) {
  for (StaticRootBase* r = firstStaticRoot(); r != nullptr; r = r->nextRoot) visit(*r);
}

}  // namespace sorv
