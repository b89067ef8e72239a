#include "runtime/class_table.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "runtime/frames.h"
#include "runtime/static_class.h"

namespace sorv {

namespace {

struct ClassData {
  const char* name;
  int32_t superclassId;
};

// Names and superclass ids by class id; a class with no superclass given extends Object.
constexpr ClassData kClassData[kClassCount] = {
    {"java_lang_Object", kNoSuperclass},  // 0
    {"java_lang_Class", 0},  // 1
    {"java_lang_String", 0},  // 2
    {"java_lang_StringBuffer", 0},  // 3
    {"ObjectArray", 0},  // 4
    {"BoolArray", 0},  // 5
    {"ByteArray", 0},  // 6
    {"CharArray", 0},  // 7
    {"ShortArray", 0},  // 8
    {"IntArray", 0},  // 9
    {"Long64Array", 0},  // 10
    {"FloatArray", 0},  // 11
    {"DoubleArray", 0},  // 12
    {"com_samsung_util_AudioClip", 0},  // 13
    {"com_sun_cldc_i18n_uclc_DefaultCaseConverter", 0},  // 14
    {"java_io_ByteArrayInputStream", 21},  // 15
    {"java_io_ByteArrayOutputStream", 23},  // 16
    {"java_io_ConsoleOutputStream", 23},  // 17
    {"java_io_DataInputStream", 21},  // 18
    {"java_io_DataOutputStream", 23},  // 19
    {"java_io_EOFException", 22},  // 20
    {"java_io_InputStream", 0},  // 21
    {"java_io_IOException", 33},  // 22
    {"java_io_OutputStream", 0},  // 23
    {"java_io_PrintStream", 23},  // 24
    {"java_io_UTFDataFormatException", 22},  // 25
    {"java_lang_ArithmeticException", 45},  // 26
    {"java_lang_ArrayIndexOutOfBoundsException", 37},  // 27
    {"java_lang_ArrayStoreException", 45},  // 28
    {"java_lang_Boolean", 0},  // 29
    {"java_lang_Character", 0},  // 30
    {"java_lang_ClassNotFoundException", 33},  // 31
    {"java_lang_Error", 49},  // 32
    {"java_lang_Exception", 49},  // 33
    {"java_lang_Float", 0},  // 34
    {"java_lang_IllegalArgumentException", 45},  // 35
    {"java_lang_IllegalStateException", 45},  // 36
    {"java_lang_IndexOutOfBoundsException", 45},  // 37
    {"java_lang_Integer", 0},  // 38
    {"java_lang_InterruptedException", 33},  // 39
    {"java_lang_Long", 0},  // 40
    {"java_lang_Math", 0},  // 41
    {"java_lang_NullPointerException", 45},  // 42
    {"java_lang_Runnable", 0},  // 43
    {"java_lang_Runtime", 0},  // 44
    {"java_lang_RuntimeException", 33},  // 45
    {"java_lang_StringDecoder", 0},  // 46
    {"java_lang_System", 0},  // 47
    {"java_lang_Thread", 0},  // 48
    {"java_lang_Throwable", 0},  // 49
    {"java_util_Calendar", 0},  // 50
    {"java_util_CalendarImpl", 50},  // 51
    {"java_util_Date", 0},  // 52
    {"java_util_EmptyStackException", 45},  // 53
    {"java_util_Enumeration", 0},  // 54
    {"java_util_Hashtable_HashtableEnumerator", 0},  // 55
    {"java_util_Hashtable", 0},  // 56
    {"java_util_HashtableEntry", 0},  // 57
    {"java_util_NoSuchElementException", 45},  // 58
    {"java_util_Random", 0},  // 59
    {"java_util_Stack", 63},  // 60
    {"java_util_TimeZone", 0},  // 61
    {"java_util_TimeZoneImpl", 61},  // 62
    {"java_util_Vector", 0},  // 63
    {"javax_microedition_io_Connection", 0},  // 64
    {"javax_microedition_io_ConnectionNotFoundException", 22},  // 65
    {"javax_microedition_io_Connector", 0},  // 66
    {"javax_microedition_io_ContentConnection", 0},  // 67
    {"javax_microedition_io_File", 0},  // 68
    {"javax_microedition_io_HttpConnection", 0},  // 69
    {"javax_microedition_io_InputConnection", 0},  // 70
    {"javax_microedition_io_OutputConnection", 0},  // 71
    {"javax_microedition_io_ResourceInputStream", 21},  // 72
    {"javax_microedition_io_StreamConnection", 0},  // 73
    {"javax_microedition_lcdui_Canvas", 78},  // 74
    {"javax_microedition_lcdui_Command", 0},  // 75
    {"javax_microedition_lcdui_CommandListener", 0},  // 76
    {"javax_microedition_lcdui_Display", 0},  // 77
    {"javax_microedition_lcdui_Displayable", 0},  // 78
    {"javax_microedition_lcdui_Font", 0},  // 79
    {"javax_microedition_lcdui_Graphics", 0},  // 80
    {"javax_microedition_lcdui_Image", 0},  // 81
    {"javax_microedition_lcdui_game_GameCanvas", 74},  // 82
    {"javax_microedition_lcdui_game_Sprite", 0},  // 83
    {"javax_microedition_media_Control", 0},  // 84
    {"javax_microedition_media_Controllable", 0},  // 85
    {"javax_microedition_media_Manager", 0},  // 86
    {"javax_microedition_media_MediaException", 33},  // 87
    {"javax_microedition_media_Player", 0},  // 88
    {"javax_microedition_media_PlayerListener", 0},  // 89
    {"javax_microedition_media_control_MIDIControl", 0},  // 90
    {"javax_microedition_media_control_VolumeControl", 0},  // 91
    {"javax_microedition_midlet_MIDlet", 0},  // 92
    {"javax_microedition_rms_InvalidRecordIDException", 100},  // 93
    {"javax_microedition_rms_RecordComparator", 0},  // 94
    {"javax_microedition_rms_RecordEnumeration", 0},  // 95
    {"javax_microedition_rms_RecordEnumerationImpl", 0},  // 96
    {"javax_microedition_rms_RecordFilter", 0},  // 97
    {"javax_microedition_rms_RecordListener", 0},  // 98
    {"javax_microedition_rms_RecordStore", 0},  // 99
    {"javax_microedition_rms_RecordStoreException", 33},  // 100
    {"javax_microedition_rms_RecordStoreFullException", 100},  // 101
    {"javax_microedition_rms_RecordStoreNotFoundException", 100},  // 102
    {"javax_microedition_rms_RecordStoreNotOpenException", 100},  // 103
    {"ANIM", 0},  // 104
    {"ASprite", 0},  // 105
    {"CActor", 0},  // 106
    {"CAE", 0},  // 107
    {"CGame", 74},  // 108
    {"CPlayer", 114},  // 109
    {"CTennis", 0},  // 110
    {"CTraining", 110},  // 111
    {"ZentuKR09", 92},  // 112
    {"IGP", 0},  // 113
    {"RigidBody", 0},  // 114
};

// The superclass walk never needs more steps than there are classes; a longer walk would be
// a cycle in the data.
constexpr int kMaxChain = kClassCount;

}  // namespace

const char* classNameOf(int32_t classId) {
  return classId >= 0 && classId < kClassCount ? kClassData[classId].name : nullptr;
}

int32_t superclassIdOf(int32_t classId) {
  return classId >= 0 && classId < kClassCount ? kClassData[classId].superclassId : kNoSuperclass;
}

void buildClassTable(Class* table) {
  std::vector<uint32_t> own[kClassCount];
  for (const OwnRefFields* f = OwnRefFields::first(); f != nullptr; f = f->next) {
    own[f->classId].insert(own[f->classId].end(), f->offsets.begin(), f->offsets.end());
  }
  for (int32_t k = 0; k < kClassCount; k++) {
    Class& c = table[k];
    c.name = kClassData[k].name;
    c.classIndex = k;
    c.superclassId = kClassData[k].superclassId;
    std::vector<uint32_t> all;
    int32_t id = k;
    for (int steps = 0; id >= 0 && id < kClassCount && steps < kMaxChain; steps++) {
      all.insert(all.end(), own[id].begin(), own[id].end());
      id = kClassData[id].superclassId;
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    std::free(c.refOffsets);
    c.refOffsets = nullptr;
    c.refCount = static_cast<int32_t>(all.size());
    if (!all.empty()) {
      c.refOffsets = static_cast<uint32_t*>(std::malloc(all.size() * sizeof(uint32_t)));
      std::copy(all.begin(), all.end(), c.refOffsets);
    }
  }
}

void freeClassTable(Class* table) {
  for (int32_t k = 0; k < kClassCount; k++) {
    std::free(table[k].refOffsets);
    table[k].refOffsets = nullptr;
    table[k].refCount = 0;
  }
}

bool Class::isSubclassOf(const Class* a, const Class* b) {
  if (a == nullptr || b == nullptr) return false;
  const Class* c = a;
  for (int steps = 0; steps < kMaxChain; steps++) {
    if (c->classIndex == b->classIndex) return true;
    if (c->superclassId == kNoSuperclass) return false;
    const Class* super = StaticClass::findClass(c->superclassId);
    if (super == nullptr) {
      reportError("superClass not found");
      return false;
    }
    c = super;
  }
  return false;
}

bool instanceOf(Object* object, int32_t classId) {
  SORV_FRAME("Object::instanceof");
  if (isNull(object)) return false;
  if (object->getInterface(classId) != nullptr) return true;
  return Class::isSubclassOf(StaticClass::findClassOfObject(object), StaticClass::findClass(classId));
}

}  // namespace sorv
