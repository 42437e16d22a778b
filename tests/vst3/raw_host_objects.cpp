#include "tests/vst3/raw_host_objects.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace raw {

const Bytes16 kIidFUnknown = {0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
const Bytes16 kIidHostApplication = {0xCC, 0x95, 0xE5, 0x58, 0x2D, 0xDB, 0x69, 0x49,
                                     0x8B, 0x6A, 0xAF, 0x8C, 0x36, 0xA6, 0x64, 0xE5};
const Bytes16 kIidComponentHandler = {0xA3, 0xBE, 0xA0, 0x93, 0xD0, 0x0B, 0xDB, 0x45,
                                      0x8E, 0x89, 0x0B, 0x0C, 0xC1, 0xE4, 0x6A, 0xC6};
const Bytes16 kIidComponentHandler3 = {0x17, 0x16, 0xF1, 0x69, 0x6B, 0xD2, 0x0D, 0x40,
                                       0xA4, 0xB6, 0xB9, 0x64, 0x7B, 0x6E, 0xBB, 0xAB};
const Bytes16 kIidContextMenu = {0x63, 0xC8, 0x93, 0x2E, 0x9C, 0x0C, 0x88, 0x45,
                                 0x97, 0xDB, 0xEC, 0xF5, 0xAD, 0x17, 0x81, 0x7D};
const Bytes16 kIidPlugFrame = {0x01, 0xAF, 0x7F, 0x36, 0xA9, 0xAF, 0x93, 0x46,
                               0x8D, 0x4D, 0xA2, 0xA0, 0xED, 0x08, 0x82, 0xA3};
const Bytes16 kIidStream = {0xA2, 0x6E, 0xBF, 0xC3, 0x99, 0x30, 0x52, 0x47,
                            0x9B, 0x6B, 0xF9, 0x90, 0x1E, 0xE3, 0x3E, 0x9B};
const Bytes16 kIidParameterChanges = {0x63, 0x96, 0x77, 0xA4, 0xB6, 0x0B, 0x56, 0x4A,
                                      0xB4, 0x43, 0x84, 0xA8, 0x46, 0x6F, 0xEB, 0x9D};
const Bytes16 kIidParamValueQueue = {0x18, 0x3A, 0x26, 0x01, 0x07, 0xED, 0x6F, 0x4F,
                                     0x98, 0xC9, 0xD3, 0x56, 0x46, 0x86, 0xF9, 0xBA};

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

namespace {

template <class T>
T* Self(void* self) {
  return static_cast<T*>(static_cast<Object*>(self));
}

std::string Format(const char* format, double a = 0, double b = 0, double c = 0, double d = 0) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

// Slots 0 to 2, shared by every raw object.
int32_t RAW_API QueryInterface(void* self, const char* iid, void** obj) {
  Object* o = Self<Object>(self);
  Object* answer = nullptr;
  if (std::memcmp(iid, kIidFUnknown, 16) == 0 || std::memcmp(iid, o->iid, 16) == 0) answer = o;
  else if (o->other && std::memcmp(iid, o->otherIid, 16) == 0) answer = o->other;
  *obj = answer;
  if (!answer) return kNoInterface;
  ++answer->refs;
  return kOk;
}
uint32_t RAW_API AddRef(void* self) { return static_cast<uint32_t>(++Self<Object>(self)->refs); }
uint32_t RAW_API Release(void* self) { return static_cast<uint32_t>(--Self<Object>(self)->refs); }

#define RAW_TABLE_START reinterpret_cast<void*>(&QueryInterface), reinterpret_cast<void*>(&AddRef), \
                        reinterpret_cast<void*>(&Release)
#define RAW_SLOT(fn) reinterpret_cast<void*>(&fn)

// IHostApplication: 3 getName(char16[128]), 4 createInstance.
int32_t RAW_API GetName(void*, char16_t* name) {
  Log().push_back("getName");
  const char16_t text[] = u"Raw host";
  std::memcpy(name, text, sizeof text);
  return kOk;
}
int32_t RAW_API CreateInstance(void*, char*, char*, void** obj) {
  *obj = nullptr;
  return kNotImplemented;
}

// IComponentHandler: 3 beginEdit, 4 performEdit, 5 endEdit, 6 restartComponent.
int32_t RAW_API BeginEdit(void*, uint32_t id) {
  Log().push_back(Format("beginEdit %g", id));
  return kOk;
}
int32_t RAW_API PerformEdit(void*, uint32_t id, double value) {
  Log().push_back(Format("performEdit %g %g", id, value));
  return kOk;
}
int32_t RAW_API EndEdit(void*, uint32_t id) {
  Log().push_back(Format("endEdit %g", id));
  return kOk;
}
int32_t RAW_API RestartComponent(void*, int32_t flags) {
  Log().push_back(Format("restartComponent %g", flags));
  return kOk;
}

// IComponentHandler3: 3 createContextMenu(IPlugView*, const ParamID*), a menu with one reference.
void* RAW_API CreateContextMenu(void* self, void* view, const uint32_t* id) {
  Log().push_back(Format("createContextMenu %g %g", view ? 1 : 0, id ? *id : -1));
  ContextMenu& menu = Self<ComponentHandler3>(self)->menu;
  ++menu.refs;
  return menu.Interface();
}

// IContextMenu: 3 getItemCount, 4 getItem, 5 addItem, 6 removeItem, 7 popup(x, y).
int32_t RAW_API GetItemCount(void*) { return 0; }
int32_t RAW_API ItemOp(void*, void*, void*) { return kFalse; }
int32_t RAW_API GetItem(void*, int32_t, void*, void**) { return kFalse; }
int32_t RAW_API Popup(void*, int32_t x, int32_t y) {
  Log().push_back(Format("popup %g %g", x, y));
  return kOk;
}

// IPlugFrame: 3 resizeView(IPlugView*, ViewRect*), the rectangle as left, top, right, bottom.
int32_t RAW_API ResizeView(void*, void* view, const int32_t* rect) {
  Log().push_back(Format("resizeView %g %g %g %g", rect[0], rect[1], rect[2], rect[3]) + (view ? "" : " without view"));
  return kOk;
}

// IParamValueQueue: 3 getParameterId, 4 getPointCount, 5 getPoint(index, int32&, double&), 6 addPoint.
uint32_t RAW_API GetParameterId(void* self) { return Self<ParamValueQueue>(self)->id; }
int32_t RAW_API GetPointCount(void* self) { return static_cast<int32_t>(Self<ParamValueQueue>(self)->points.size()); }
int32_t RAW_API GetPoint(void* self, int32_t index, int32_t* offset, double* value) {
  auto& points = Self<ParamValueQueue>(self)->points;
  if (index < 0 || index >= static_cast<int32_t>(points.size())) return kFalse;
  *offset = points[static_cast<size_t>(index)].first;
  *value = points[static_cast<size_t>(index)].second;
  return kOk;
}
int32_t RAW_API AddPoint(void*, int32_t, double, int32_t*) { return kFalse; }

// IParameterChanges: 3 getParameterCount, 4 getParameterData(index), 5 addParameterData.
int32_t RAW_API GetParameterCount(void* self) {
  return static_cast<int32_t>(Self<ParameterChanges>(self)->queues.size());
}
void* RAW_API GetParameterData(void* self, int32_t index) {
  auto& queues = Self<ParameterChanges>(self)->queues;
  return index >= 0 && index < static_cast<int32_t>(queues.size()) ? queues[static_cast<size_t>(index)]->Interface()
                                                                    : nullptr;
}
void* RAW_API AddParameterData(void*, const uint32_t*, int32_t*) { return nullptr; }

// IBStream: 3 read, 4 write, 5 seek, 6 tell.
int32_t RAW_API Read(void* self, void* buffer, int32_t count, int32_t* done) {
  Stream* s = Self<Stream>(self);
  size_t n = std::min(static_cast<size_t>(count), s->bytes.size() - s->position);
  std::memcpy(buffer, s->bytes.data() + s->position, n);
  s->position += n;
  if (done) *done = static_cast<int32_t>(n);
  return kOk;
}
int32_t RAW_API Write(void* self, void* buffer, int32_t count, int32_t* done) {
  Stream* s = Self<Stream>(self);
  s->bytes.insert(s->bytes.end(), static_cast<unsigned char*>(buffer), static_cast<unsigned char*>(buffer) + count);
  if (done) *done = count;
  return kOk;
}
int32_t RAW_API Seek(void*, int64_t, int32_t, int64_t*) { return kFalse; }
int32_t RAW_API Tell(void* self, int64_t* pos) {
  *pos = static_cast<int64_t>(Self<Stream>(self)->position);
  return kOk;
}

}  // namespace

HostApplication::HostApplication() : Object(nullptr, kIidHostApplication) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(GetName), RAW_SLOT(CreateInstance)};
  vtable = table;
}

ContextMenu::ContextMenu() : Object(nullptr, kIidContextMenu) {
  static void* table[] = {RAW_TABLE_START,  RAW_SLOT(GetItemCount), RAW_SLOT(GetItem),
                          RAW_SLOT(ItemOp), RAW_SLOT(ItemOp),       RAW_SLOT(Popup)};
  vtable = table;
}

ComponentHandler3::ComponentHandler3() : Object(nullptr, kIidComponentHandler3) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(CreateContextMenu)};
  vtable = table;
}

ComponentHandler::ComponentHandler() : Object(nullptr, kIidComponentHandler) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(BeginEdit), RAW_SLOT(PerformEdit), RAW_SLOT(EndEdit),
                          RAW_SLOT(RestartComponent)};
  vtable = table;
  other = &third;
  otherIid = kIidComponentHandler3;
}

PlugFrame::PlugFrame() : Object(nullptr, kIidPlugFrame) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(ResizeView)};
  vtable = table;
}

ParamValueQueue::ParamValueQueue(uint32_t parameterId) : Object(nullptr, kIidParamValueQueue), id(parameterId) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(GetParameterId), RAW_SLOT(GetPointCount), RAW_SLOT(GetPoint),
                          RAW_SLOT(AddPoint)};
  vtable = table;
}

ParameterChanges::ParameterChanges() : Object(nullptr, kIidParameterChanges) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(GetParameterCount), RAW_SLOT(GetParameterData),
                          RAW_SLOT(AddParameterData)};
  vtable = table;
}

Stream::Stream() : Object(nullptr, kIidStream) {
  static void* table[] = {RAW_TABLE_START, RAW_SLOT(Read), RAW_SLOT(Write), RAW_SLOT(Seek), RAW_SLOT(Tell)};
  vtable = table;
}

}  // namespace raw
