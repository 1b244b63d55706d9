// SPDX-License-Identifier: MIT
// The program's module: its resource tables, found by id ("#220" names
// too) and type, strings, and a few system metrics.
#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/qt/internal.h"

namespace {

// The desktop's input settings; none before the GUI application exists.
QStyleHints* hints() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
             ? QGuiApplication::styleHints()
             : nullptr;
}

const RESOURCEMODULE* g_module = nullptr;
int g_decoded = 0;  // bitmaps whose sharper copies were decoded
char g_moduleTag;   // its address is the program's HINSTANCE

HINSTANCE programInstance() {
  return reinterpret_cast<HINSTANCE>(&g_moduleTag);
}

bool ourModule(HMODULE m) {
  return !m || m == programInstance();
}

// A resource name or type: an integer id, "#n", or a name.
bool nameMatches(LPCSTR want, LPCSTR have, WORD haveId) {
  if (!want)
    return false;
  long id = -1;
  if (IS_INTRESOURCE(want)) {
    id = (long)(ULONG_PTR)want;
  } else if (want[0] == '#') {
    char* end = nullptr;
    id = std::strtol(want + 1, &end, 10);
    if (!end || *end)
      return false;
  }
  if (have == nullptr)
    return id == haveId;  // comparing ids
  if (IS_INTRESOURCE(have))
    return id >= 0 && id == (long)(ULONG_PTR)have;
  if (id >= 0)
    return false;
  for (; *want && *have; ++want, ++have) {
    if (std::toupper((unsigned char)*want) != std::toupper((unsigned char)*have))
      return false;
  }
  return *want == *have;
}

const BINRESDATA* validResource(HRSRC r) {
  if (!g_module || !r)
    return nullptr;
  auto* p = reinterpret_cast<const BINRESDATA*>(r);
  for (int i = 0; i < g_module->binaryCount; ++i) {
    if (&g_module->binaries[i] == p)
      return p;
  }
  return nullptr;
}

}  // namespace

namespace qtb {

const BINRESDATA* findBinary(HINSTANCE module, LPCSTR name, LPCSTR type) {
  if (!ourModule(module) || !g_module || !name || !type)
    return nullptr;
  for (int i = 0; i < g_module->binaryCount; ++i) {
    const BINRESDATA& b = g_module->binaries[i];
    if (b.type && nameMatches(type, b.type, 0) && nameMatches(name, nullptr, b.id))
      return &b;
  }
  return nullptr;
}

const std::vector<QImage>& scaledCopies(const RESOURCEMODULE* module, const BINRESDATA* resource,
                                        LPCSTR type) {
  static auto& cache =
      *new std::map<std::pair<const RESOURCEMODULE*, const BINRESDATA*>, std::vector<QImage>>;
  auto key = std::make_pair(module, resource);
  auto it = cache.find(key);
  if (it != cache.end())
    return it->second;
  std::vector<QImage> copies;
  for (int i = 0; resource && module && i < module->scaledCount; ++i) {
    const SCALEDRESDATA& r = module->scaled[i];
    if (r.id != resource->id || !r.type || !nameMatches(type, r.type, 0) || r.scale < 2)
      continue;
    QImage image = QImage::fromData(r.data, (int)r.size, "PNG");
    if (image.isNull())
      continue;
    image.setDevicePixelRatio(r.scale);
    copies.push_back(image);
  }
  std::sort(copies.begin(), copies.end(), [](const QImage& a, const QImage& b) {
    return a.devicePixelRatio() < b.devicePixelRatio();
  });
  g_decoded += !copies.empty() && type == RT_BITMAP ? 1 : 0;
  return cache.emplace(key, std::move(copies)).first->second;
}

int sharperCopiesDecoded() {
  return g_decoded;
}

struct SharperCopies::State {
  const RESOURCEMODULE* module = nullptr;  // the module the picture came from
  const BINRESDATA* resource = nullptr;
  LPCSTR type = nullptr;
  bool masked = false;
  COLORREF key = 0;
  const std::vector<QImage>* decoded = nullptr;  // once decoded: the plain copies or clear
  std::vector<QImage> clear;                     // the masked copies
};

SharperCopies::SharperCopies(const BINRESDATA* resource, LPCSTR type)
    : m_state(std::make_shared<State>()) {
  m_state->module = g_module;
  m_state->resource = resource;
  m_state->type = type;
}

SharperCopies SharperCopies::masked(COLORREF key) const {
  SharperCopies copy;
  if (m_state) {
    copy.m_state = std::make_shared<State>();
    copy.m_state->module = m_state->module;
    copy.m_state->resource = m_state->resource;
    copy.m_state->type = m_state->type;
    copy.m_state->masked = true;
    copy.m_state->key = key;
  }
  return copy;
}

const std::vector<QImage>& SharperCopies::images() const {
  static const std::vector<QImage> kNone;
  if (!m_state)
    return kNone;
  State& s = *m_state;
  if (!s.decoded) {
    const std::vector<QImage>& plain = scaledCopies(s.module, s.resource, s.type);
    for (const QImage& copy : s.masked ? plain : kNone) {
      QImage cleared = clearColour(copy, s.key);
      cleared.setDevicePixelRatio(copy.devicePixelRatio());
      s.clear.push_back(cleared);
    }
    s.decoded = s.masked ? &s.clear : &plain;
  }
  return *s.decoded;
}

}  // namespace qtb

void SetModuleResources(const RESOURCEMODULE* module) {
  g_module = module;
}
const RESOURCEMODULE* GetModuleResources() {
  return g_module;
}

HMODULE GetModuleHandle(LPCSTR moduleName) {
  return moduleName ? nullptr : programInstance();
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size) {
  if (!ourModule(module) || !buffer || size == 0)
    return 0;
  const char* name = g_module && g_module->fileName ? g_module->fileName : "";
  // A name that does not fit is cut, ended, and answered with the size.
  DWORD length = (DWORD)std::strlen(name);
  DWORD n = std::min<DWORD>(length, size - 1);
  std::memcpy(buffer, name, n);
  buffer[n] = 0;
  return length < size ? n : size;
}

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type) {
  return (HRSRC) const_cast<BINRESDATA*>(qtb::findBinary(module, name, type));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  if (!ourModule(module))
    return nullptr;
  const BINRESDATA* r = validResource(resource);
  return r ? (HGLOBAL)r->data : nullptr;
}

LPVOID LockResource(HGLOBAL data) {
  return data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  if (!ourModule(module))
    return 0;
  const BINRESDATA* r = validResource(resource);
  return r ? r->size : 0;
}

BOOL FreeResource(HGLOBAL) {
  return FALSE;
}

int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int max) {
  if (!ourModule(instance) || !g_module || !buffer || max <= 0)
    return 0;
  for (int i = 0; i < g_module->stringCount; ++i) {
    const STRINGDATA& s = g_module->strings[i];
    if (s.id != id || !s.text)
      continue;
    size_t len = std::strlen(s.text);
    size_t n = std::min(len, (size_t)max - 1);
    // A cut text never ends inside a UTF-8 character.
    while (n > 0 && n < len && ((unsigned char)s.text[n] & 0xC0) == 0x80)
      --n;
    while (n > 0 && n < std::strlen(s.text) && ((unsigned char)s.text[n] & 0xC0) == 0x80)
      --n;
    std::memcpy(buffer, s.text, n);
    buffer[n] = 0;
    return (int)n;
  }
  buffer[0] = 0;
  return 0;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
      QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
      QSize size = s ? s->size() : QSize(1024, 768);
      return index == SM_CXSCREEN ? size.width() : size.height();
    }
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    // The rectangles are centred on the first press, so they are twice the
    // distance the desktop allows the pointer to stray.
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 2 * (hints() ? hints()->mouseDoubleClickDistance() : 2);
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 2 * (hints() ? hints()->startDragDistance() : 2);
  }
  return 0;
}

UINT GetDoubleClickTime() {
  return hints() ? (UINT)hints()->mouseDoubleClickInterval() : 500;
}
