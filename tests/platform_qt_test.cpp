// SPDX-License-Identifier: MIT
// The layer's message boxes and menu bar as Qt draws them: the keys a real
// box answers, and menu items chosen through their Qt actions.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>

#include <oleacc.h>

#include "platform/testing.h"
#include "tests/platform_fixture.h"

namespace platform_test {
namespace {

using namespace testing_seams;

TEST_F(PlatformTest, RealMessageBoxAnswersItsOwnKeys) {
  HWND dlg = Open();
  g_seen.endOnCommand = false;
  // A yes/no box has no cancel answer: Esc and the close box do nothing, so
  // the box is still there for the key that follows them.
  struct Case {
    UINT type;
    std::vector<int> keys;  // 0: the close box
    int answer;
    bool closeBox;
  };
  const Case cases[] = {{MB_YESNO, {Qt::Key_Return}, IDYES, false},
                        {MB_YESNO, {Qt::Key_Escape, 0, Qt::Key_Return}, IDYES, false},
                        {MB_YESNOCANCEL, {Qt::Key_Escape}, IDCANCEL, true},
                        {MB_OK, {Qt::Key_Escape}, IDOK, true},
                        {MB_OK, {0}, IDOK, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.keys.size());
    QString caption;
    bool closeBox = false;
    RunWhenIdle([&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      caption = box->windowTitle();
      closeBox = box->windowFlags().testFlag(Qt::WindowCloseButtonHint) ||
                 !box->windowFlags().testFlag(Qt::CustomizeWindowHint);
      QPointer<QWidget> guard(box);
      for (int key : c.keys) {
        if (!guard)
          break;
        if (key == 0) {
          box->close();
        } else {
          QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
          QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
        }
      }
      // Should the keys go astray, the box still ends and the test fails
      // rather than waits for ever.
      RunWhenIdle([guard] {
        if (guard && guard->isVisible())
          static_cast<QDialog*>(guard.data())->done(0);
      });
    });
    EXPECT_EQ(MessageBox(dlg, "Начать новую игру?", nullptr, c.type), c.answer);
    EXPECT_EQ(caption, QString::fromUtf8("Ошибка"));
    EXPECT_EQ(closeBox, c.closeBox);
  }
  EXPECT_TRUE(g_seen.commands.empty());  // the keys never reached the owner
}

// A short message still leaves room for its caption beside a title bar's
// icon and buttons, which the window manager draws and a box of its text's
// width alone would hide.
TEST_F(PlatformTest, RealMessageBoxIsWideEnoughForItsCaption) {
  HWND dlg = Open();
  for (const char* caption : {"Zorv", "Конец игры, а это длинный заголовок"}) {
    int width = 0, needed = 0;
    RunWhenIdle([&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      QFont title = box->font();
      title.setBold(true);
      needed = QFontMetrics(title).horizontalAdvance(QString::fromUtf8(caption)) +
               4 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
      width = box->width();
      static_cast<QDialog*>(box)->done(0);
    });
    MessageBox(dlg, "Ничья", caption, MB_OK);
    EXPECT_GE(width, needed) << caption;
  }
}

TEST_F(PlatformTest, MenuItemsSendCommands) {
  ASSERT_NE(Open(), nullptr);
  g_seen.endOnCommand = false;
  QAction* newGame = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    for (QAction* a : w->findChildren<QAction*>()) {
      if (a->text() == QString::fromUtf8("Новая игра"))
        newGame = a;
    }
  }
  ASSERT_NE(newGame, nullptr);
  newGame->trigger();
  EXPECT_EQ(g_seen.commands, (std::vector<WPARAM>{MAKEWPARAM(kCmdNew, 0)}));
}

// The menu bar by keys, as the platform's menu loop works it: F10 or Alt
// alone selects the first title without opening it, Left and Right move,
// Down opens, Left and Right then open the neighbour, Esc closes the menu
// and a second Esc leaves the bar; Alt used with another key does nothing.
TEST_F(PlatformTest, MenuBarByKeys) {
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  QMenuBar* bar = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->findChild<QMenuBar*>())
      bar = w->findChild<QMenuBar*>();
  }
  ASSERT_NE(bar, nullptr);
  // Keys as the system delivers them: to the open menu, else to the focus.
  auto send = [&](QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* to = QApplication::activePopupWidget();
    to = to ? to : bar->window()->focusWidget() ? bar->window()->focusWidget() : bar->window();
    QKeyEvent e(type, key, mods);
    QApplication::sendEvent(to, &e);
    QCoreApplication::processEvents();
  };
  auto press = [&](int key) {
    send(QEvent::KeyPress, key);
    send(QEvent::KeyRelease, key);
  };
  // "" for no title selected; a title with "+" when its menu is open.
  auto state = [&] {
    QString s = bar->activeAction() ? bar->activeAction()->text() : QString();
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return (s + (open ? "+" + open->title() : QString())).toStdString();
  };
  press(Qt::Key_F10);
  EXPECT_EQ(state(), "Игра");
  press(Qt::Key_Right);
  EXPECT_EQ(state(), "?");
  press(Qt::Key_Down);
  EXPECT_EQ(state(), "?+?");
  press(Qt::Key_Left);
  EXPECT_EQ(state(), "Игра+Игра");
  press(Qt::Key_Escape);
  EXPECT_EQ(state(), "Игра");
  press(Qt::Key_Escape);
  EXPECT_EQ(state(), "");
  EXPECT_TRUE(IsWindowVisible(dlg)) << "Esc in the menu bar must not cancel the dialog";
  press(Qt::Key_F10);
  press(Qt::Key_F10);
  EXPECT_EQ(state(), "");
  auto alt = [&](bool alone) {
    // As X reports it: the modifiers held before the key.
    send(QEvent::ShortcutOverride, Qt::Key_Alt);
    send(QEvent::KeyPress, Qt::Key_Alt);
    if (!alone)
      send(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier);
    send(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
  };
  alt(true);
  EXPECT_EQ(state(), "Игра");
  alt(true);
  EXPECT_EQ(state(), "");
  alt(false);
  EXPECT_EQ(state(), "");
}

// A reader that is listening while a dialog is made (Qt 6.8's bridge asks
// at the title) still finds a dialog named by its caption.
TEST_F(PlatformTest, AReaderListeningFromTheStartFindsTheDialog) {
  struct AskAtTitle : QObject {
    bool eventFilter(QObject* o, QEvent* e) override {
      if (e->type() == QEvent::WindowTitleChange)
        QAccessible::queryAccessibleInterface(o);
      return false;
    }
  } reader;
  qApp->installEventFilter(&reader);
  HWND dlg = Open();
  qApp->removeEventFilter(&reader);
  ASSERT_NE(dlg, nullptr);
  QWidget* frame = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->property("qtbHwnd").toULongLong() == (quintptr)dlg)
      frame = w;
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(frame)->role(), QAccessible::Dialog);
}

// A reader learns of a status text only from the live-region event; a text
// static is a plain label until then, and other events leave it one.
TEST_F(PlatformTest, LiveRegionEventMakesAStaticAStatusText) {
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND hint = CreateWindowEx(0, "STATIC", "подсказка", WS_CHILD | WS_VISIBLE, 0, 0, 80, 12, dlg,
                             nullptr, GetModuleHandle(nullptr), nullptr);
  ASSERT_NE(hint, nullptr);
  QWidget* widget = nullptr;
  for (QWidget* w : QApplication::allWidgets()) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a && a->text(QAccessible::Name) == QString::fromUtf8("подсказка"))
      widget = w;
  }
  ASSERT_NE(widget, nullptr);
  auto role = [&] { return QAccessible::queryAccessibleInterface(widget)->role(); };
  EXPECT_EQ(role(), QAccessible::StaticText);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, hint, 0, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED + 1, hint, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, OBJID_CLIENT, CHILDID_SELF);
  EXPECT_EQ(role(), QAccessible::StaticText);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, hint, OBJID_CLIENT, CHILDID_SELF);
  EXPECT_EQ(role(), QAccessible::StatusBar);
  SetWindowText(hint, "новая подсказка");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
            QString::fromUtf8("новая подсказка"));
  EXPECT_EQ(role(), QAccessible::StatusBar);
}

// The annotation service names a window's own object, once COM runs on the
// thread; a name the program gives wins over the window's text.
TEST_F(PlatformTest, AnnotatedNamesReachTheReader) {
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND pic = CreateWindowEx(0, "STATIC", "#155", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 20, 20,
                            dlg, nullptr, GetModuleHandle(nullptr), nullptr);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(testing_seams::ReaderName(pic), "");  // not its resource's name
  void* object = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IAccPropServices, &object),
            CO_E_NOTINITIALIZED);
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  ASSERT_EQ(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IAccPropServices, &object),
            S_OK);
  auto* service = static_cast<IAccPropServices*>(object);
  WCHAR name[32];
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "дама пик", -1, name, 32), 9);
  EXPECT_EQ(service->SetHwndPropStr(pic, (DWORD)OBJID_CLIENT, 1, PROPID_ACC_NAME, name),
            E_INVALIDARG);
  EXPECT_EQ(service->SetHwndPropStr(pic, (DWORD)OBJID_CLIENT, CHILDID_SELF, IID_IUnknown, name),
            E_INVALIDARG);
  EXPECT_EQ(service->SetHwndPropStr(pic, (DWORD)OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name),
            S_OK);
  EXPECT_EQ(testing_seams::ReaderName(pic), "дама пик");
  service->Release();
  CoUninitialize();
}

}  // namespace
}  // namespace platform_test
