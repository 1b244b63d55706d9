// SPDX-License-Identifier: MIT
// The records behind the handles of the Qt backend. Every handle the layer
// gives out points at one of these; the live sets make stale or foreign
// handles harmless (calls on them fail quietly).
#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <commctrl.h>
#include <resdata.h>
#include <windows.h>
#include <windowsx.h>

class QEventLoop;
class QPainter;
class QMenuBar;

namespace qtb {

enum class Kind { Bitmap, Brush, Font, Palette, Pen, Dc, Icon, ImageList, Menu, Accel };

struct GdiBase {
  explicit GdiBase(Kind k) : kind(k) {}
  virtual ~GdiBase() = default;
  Kind kind;
  bool stock = false;
  bool counted = false;  // against the process's quota
};

// Live-handle registry shared by every kind of object. The platform gives a
// process at most kObjectQuota GDI objects and as many USER objects (its
// default quotas: windows, menus, accelerator tables and icons are USER
// objects, the rest GDI ones; stock objects and the DCs of painting are the
// system's); a call that would make one more fails, so a program that leaks
// runs out here as it would there. registerObject answers false then.
constexpr int kObjectQuota = 10000;
bool registerObject(GdiBase* obj);
void unregisterObject(GdiBase* obj);
// Registers a new object, or frees it and answers null past the quota.
template <class T>
T* adopt(T* obj) {
  if (registerObject(obj))
    return obj;
  delete obj;
  return nullptr;
}
// The objects of each quota the process holds now; windows count as USER
// objects.
int gdiObjects();
int userObjects();
bool userQuotaLeft(int windows);  // room for this many more windows
GdiBase* lookupObject(const void* handle, Kind kind);
GdiBase* lookupAnyObject(const void* handle);

template <class T>
T* as(const void* handle, Kind kind) {
  return static_cast<T*>(lookupObject(handle, kind));
}

// The sharper copies of a picture (the resource's PNG files at two and
// three times its size), decoded when a screen of more than one device pixel
// a pixel first draws the picture: a 1x screen never decodes them. Copies
// of this handle share one decoding.
class SharperCopies {
 public:
  SharperCopies() = default;
  SharperCopies(const BINRESDATA* resource, LPCSTR type);
  // The same copies with the pixels of colour key made clear, as an image
  // list adds a picture with a mask colour.
  SharperCopies masked(COLORREF key) const;
  // Sorted by pixel ratio, each with its ratio set.
  const std::vector<QImage>& images() const;

 private:
  struct State;
  std::shared_ptr<State> m_state;
};

// The picture with its pixels of colour key made clear (ARGB32).
QImage clearColour(QImage image, COLORREF key);

}  // namespace qtb

struct HBITMAP__ : qtb::GdiBase {
  HBITMAP__() : GdiBase(qtb::Kind::Bitmap) {}
  QImage image;               // drawing form (RGB32/ARGB32), shared between loads of one resource
  QImage indexed;             // the 8-bit original when the resource had one
  qtb::SharperCopies scaled;  // the resource's sharper copies
  int bitsPixel = 32;
  int selectedIn = 0;  // memory DCs holding it
};

struct HBRUSH__ : qtb::GdiBase {
  HBRUSH__() : GdiBase(qtb::Kind::Brush) {}
  COLORREF color = 0;
  bool hollow = false;
};

struct HPEN__ : qtb::GdiBase {
  HPEN__() : GdiBase(qtb::Kind::Pen) {}
  COLORREF color = 0;
};

struct HFONT__ : qtb::GdiBase {
  HFONT__() : GdiBase(qtb::Kind::Font) {}
  LOGFONT lf{};  // the QFont is made when text is drawn or measured (needs a GUI application)
};

struct HPALETTE__ : qtb::GdiBase {
  HPALETTE__() : GdiBase(qtb::Kind::Palette) {}
  std::vector<PALETTEENTRY> entries;
};

struct HICON__ : qtb::GdiBase {
  HICON__() : GdiBase(qtb::Kind::Icon) {}
  QImage image;
  qtb::SharperCopies scaled;  // as a bitmap's
  bool cursor = false;
  int shape = 0;  // Qt::CursorShape for system cursors
  bool system = false;
};

struct HDC__ : qtb::GdiBase {
  HDC__() : GdiBase(qtb::Kind::Dc) {}
  QPainter* painter = nullptr;  // paint-time painter (not owned)
  HWND hwnd = nullptr;
  bool memory = false;
  HBITMAP bitmap = nullptr;  // memory DC: the selected bitmap
  HFONT font = nullptr;
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;
  HPALETTE palette = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int stretchMode = BLACKONWHITE;
  bool textColorSet = false;
};

struct _IMAGELIST : qtb::GdiBase {
  _IMAGELIST() : GdiBase(qtb::Kind::ImageList) {}
  int cx = 0, cy = 0;
  UINT flags = 0;
  std::vector<QImage> images;
  std::vector<qtb::SharperCopies> scaled;  // each image's sharper copies
};

struct MenuItemRec {
  int level;
  std::string text;
  WORD command;
};

struct HMENU__ : qtb::GdiBase {
  HMENU__() : GdiBase(qtb::Kind::Menu) {}
  std::vector<MenuItemRec> items;
};

struct HACCEL__ : qtb::GdiBase {
  HACCEL__() : GdiBase(qtb::Kind::Accel) {}
  std::vector<ACCELDATA> entries;
};

struct ListItemRec {
  std::string text;
  int image = -1;
  UINT state = 0;
  LPARAM param = 0;
};

struct ToolRec {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  std::string text;
};

enum class WndClass { Generic, Dialog, Static, Button, Edit, ListView, ToolTip };

struct HWND__ {
  std::string className;
  WndClass cls = WndClass::Generic;
  int id = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  RECT rect{};  // in the parent's client pixels (screen pixels for top-level windows)
  bool enabled = true;
  bool visible = false;
  bool minimized = false;
  bool liveRegion = false;   // a status text whose changes are announced
  bool readerNamed = false;  // the program gave the name a screen reader says
  std::string readerName;
  std::vector<std::string> childReaderNames;  // of item children 1.., by position
  HWND parent = nullptr;                      // parent, or owner for top-level windows
  std::vector<HWND> children;
  WNDPROC proc = nullptr;
  LONG_PTR userData = 0;
  LONG_PTR msgResult = 0;
  HINSTANCE instance = nullptr;
  HFONT font = nullptr;
  HICON bigIcon = nullptr, smallIcon = nullptr;
  HMENU menu = nullptr;

  // Dialogs.
  DLGPROC dlgProc = nullptr;
  bool modal = false;
  bool ended = false;
  INT_PTR endResult = 0;
  QEventLoop* loop = nullptr;

  // Statics: the image shown and its type; buttons: default flag.
  void* image = nullptr;
  int imageType = IMAGE_BITMAP;
  void* templateImage = nullptr;  // loaded for the template; freed with the window
  bool defButton = false;
  bool pressed = false;

  // List views.
  std::vector<ListItemRec> items;
  HIMAGELIST normalList = nullptr;
  HIMAGELIST smallList = nullptr;
  COLORREF lvBkColor = RGB(255, 255, 255);
  int spacingX = 75, spacingY = 75;
  int scrollY = 0;
  bool lvPressed = false;

  // Tooltips.
  std::vector<ToolRec> tools;
  bool tipActive = true;

  bool focusCues = false;      // top level: the keyboard was used, focus marks show
  bool updatePending = false;  // asked Qt for a paint that has not come yet
  QPointer<QWidget> widget;    // the window's widget (the frame for top-level windows)
  QPointer<QWidget> client;    // where children live: the client widget of a dialog
  QPointer<QMenuBar> menuBar;
};

namespace qtb {

// Windows.
bool isWindow(HWND h);
int liveWindowCount();
HWND fromWidget(const QWidget* w);                         // the window a widget stands for
LRESULT dispatch(HWND h, UINT msg, WPARAM wp, LPARAM lp);  // call the proc, no spy
void markDirty(HWND h);
int frameWidth(HWND h);      // non-client edge on each side
QRect clientRectPx(HWND h);  // client rect in widget coordinates
void syncGeometry(HWND h);
void createWidget(HWND h);
void keepAbove(QWidget* window, HWND owner);  // owned windows stay above their owner
// A top-level window that goes away uncovers the windows beneath it, which
// the platform repaints there (a link drawn hovered is drawn again as it is).
void uncover(const QWidget* window);
HWND topLevelOf(HWND h);
bool offerToHooks(MSG* msg);  // true = a message filter hook ate it

// Default procedures of the built-in classes.
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ToolTipProc(HWND, UINT, WPARAM, LPARAM);

// Widgets for each class.
QWidget* makeEditWidget(HWND h, QWidget* parent);
void setEditText(HWND h);
QWidget* makeListViewWidget(HWND h, QWidget* parent);
void paintStatic(HWND h, HDC dc);
void paintButton(HWND h, HDC dc);
void paintListView(HWND h, QPainter& p);
void listViewMouse(HWND h, UINT msg, int x, int y);
// A key the focused list view acts on: LVN_KEYDOWN to the parent, then the
// focus and selection move.
void listViewKey(HWND h, WPARAM vk);

// Mouse input, turned into messages (hooks, WM_SETCURSOR, the message).
void mouseInput(HWND target, UINT msg, WPARAM keys, QPoint clientPos);
bool keyInput(HWND target, int vk, bool up = false);
// A key as the platform and as Qt name it (0 and Qt::Key_unknown for none).
int vkFromQt(int key);
int qtKeyFromVk(int vk);
void installKeyFilter();  // once: keys of our dialogs reach the dialog manager  // true = the
                          // dialog manager used it

// Graphics helpers.
bool paintOn(HDC hdc, const std::function<void(QPainter&)>& fn);  // paint DC or memory bitmap
QRect drawableRect(HDC hdc);  // where drawing on the DC can show, in its coordinates
// No device reaches this far: what is drawn beyond it shows nothing, and
// Qt's own coordinate sums stay far from overflowing. The calls take any
// int, so they reckon in 64 bits and cut to this before Qt sees a number.
constexpr qint64 kFar = 1 << 24;
// Whether a picture of at most kFar a side drawn at (x, y) shows nowhere.
inline bool beyondEveryDevice(qint64 x, qint64 y) {
  return x < -kFar || x > kFar || y < -kFar || y > kFar;
}
// The rectangle of these edges cut to where a device can be.
QRect deviceRect(qint64 left, qint64 top, qint64 right, qint64 bottom);
HDC makePaintDC(HWND h, QPainter* p);
void freeDC(HDC dc);
QColor toQColor(COLORREF c);
COLORREF fromQColor(const QColor& c);
HFONT dialogFont();
HBRUSH__* stockBrush(int index);
HFONT__* stockFont();
HBITMAP__* stockBitmap();  // the 1 x 1 bitmap a new memory DC holds
HPALETTE__* stockPalette();
QFont fontOf(HFONT f);
HBRUSH ctlColor(HWND h, UINT msg, HDC dc);  // asks the parent for the colours
void fillWithBrush(QPainter& p, const QRect& r, HBRUSH b, const QColor& fallback);
HBITMAP newBitmap(const QImage& image, const QImage& indexed, int bitsPixel);
// The sharper copies of a bitmap or icon resource (scaled, with their pixel
// ratios set), decoded once, at the first call; none when the module has
// none.
const std::vector<QImage>& scaledCopies(const RESOURCEMODULE* module, const BINRESDATA* resource,
                                        LPCSTR type);
int sharperCopiesDecoded();  // the bitmaps whose copies scaledCopies has decoded
// Tells the accessibility bridge that a window's name or state changed.
void accessibleChanged(HWND h);
// ... and that the focus moved to item index of a list view.
void accessibleFocusItem(HWND list, int index);
// ... and that a list view's items changed, so that a reader that keeps
// its view follows: items are told by place, so `removing` places go from
// the end (told while they are still there), `changed` places from first
// on may show other pictures, and `added` places came at the end.
void accessibleItemsRemoving(HWND list, int removing);
void accessibleItemsChanged(HWND list, int first, int changed, int added);
void installAccessibility();

// Whether the focus mark of a control shows: it has the focus, and its
// window has been used from the keyboard (until then the platform hides
// focus marks).
bool showsFocusMark(HWND h);
// Draws the platform's dotted focus rectangle just inside r.
void drawFocusMark(QPainter& p, const QRect& r);
// Draws a picture into target (its own size at one pixel per pixel) from
// the sharpest copy the painter's device can show.
void drawSharpest(QPainter& p, const QRect& target, const QImage& image,
                  const SharperCopies& scaled);
bool decodeBmp(const BYTE* data, size_t size, QImage* draw, QImage* indexed, int* bitsPixel);
QImage iconImage(HICON icon);
int cursorShapeOf(HCURSOR c);
void setCursorTarget(HWND h);  // the window whose widget shows the cursor SetCursor sets
const BINRESDATA* findBinary(HINSTANCE module, LPCSTR name, LPCSTR type);
HCURSOR arrowCursor();

// Dialogs and modal loops.
std::vector<HWND>& modalStack();
void recordModelessEnd(HWND h, INT_PTR result);
void forgetWindow(HWND h);
void buildMenuBar(HWND h);
// F10: the menu bar selected by keys, or left again, as Alt alone does.
void toggleMenuBarKeys(HWND top);

// Message spy.
void spy(HWND h, UINT msg, WPARAM wp, LPARAM lp);
bool scriptedBoxes();
int scriptedAnswer(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

}  // namespace qtb
