// SPDX-License-Identifier: MIT
// Message boxes (QMessageBox with Russian buttons and the owner's colours
// from WM_CTLCOLORMSGBOX), the beep, and scripted boxes for tests.
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <deque>

#include "platform/qt/internal.h"
#include "platform/testing.h"

namespace {

bool g_scripted = false;
std::deque<int> g_answers;
std::vector<testing_seams::MessageBoxCall> g_calls;

const char* const kDefaultCaption = "Ошибка";

// A box without a cancel answer (Yes and No only) ignores Esc and has no
// close box: the user must choose.
class Box : public QMessageBox {
 public:
  bool mustChoose = false;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (mustChoose && e->key() == Qt::Key_Escape) {
      e->accept();
      return;
    }
    QMessageBox::keyPressEvent(e);
  }
  void closeEvent(QCloseEvent* e) override {
    if (mustChoose) {
      e->ignore();
      return;
    }
    QMessageBox::closeEvent(e);
  }
};

int defaultAnswer(UINT type) {
  UINT kind = type & MB_TYPEMASK;
  return kind == MB_YESNO || kind == MB_YESNOCANCEL ? IDYES : IDOK;
}

void applyOwnerColours(QMessageBox& box, HWND owner) {
  if (!qtb::isWindow(owner))
    return;
  HDC dc = qtb::makePaintDC(owner, nullptr);
  auto brush = (HBRUSH)SendMessage(owner, WM_CTLCOLORMSGBOX, (WPARAM)dc, 0);
  auto* b = qtb::as<HBRUSH__>(brush, qtb::Kind::Brush);
  auto* d = qtb::as<HDC__>(dc, qtb::Kind::Dc);
  if (b && d && !b->hollow) {
    QPalette pal = box.palette();
    pal.setColor(QPalette::Window, qtb::toQColor(b->color));
    pal.setColor(QPalette::WindowText, qtb::toQColor(d->textColor));
    box.setPalette(pal);
    box.setAutoFillBackground(true);
  }
  qtb::freeDC(dc);
}

// The platform's box is as wide as its text and buttons need (a short text
// gives a narrow box, about 104 pixels under Wine for "Ничья") and its own
// title bar still shows the caption there: an icon, the caption, one close
// box. A desktop's title bar may hold an icon and three buttons beside the
// caption, so the box is at least that wide, whatever its text.
void fitCaption(QMessageBox& box, const QString& caption) {
  QFont title = box.font();
  title.setBold(true);
  const int buttons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
  const int width = QFontMetrics(title).horizontalAdvance(caption) + buttons;
  // The box sizes itself to its layout when it shows, so the room goes in
  // there, as a row of its own.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, std::max(1, grid->columnCount()));
  }
}

}  // namespace

namespace qtb {

bool scriptedBoxes() {
  return g_scripted;
}

int scriptedAnswer(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  int answer = defaultAnswer(type);
  if (!g_answers.empty()) {
    answer = g_answers.front();
    g_answers.pop_front();
  }
  g_calls.push_back({owner, text ? text : "", caption ? caption : "", type, answer});
  return answer;
}

}  // namespace qtb

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner && !qtb::isWindow(owner))
    owner = nullptr;
  if (!caption)
    caption = kDefaultCaption;
  if (g_scripted)
    return qtb::scriptedAnswer(owner, text, caption, type);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    return 0;
  // A box that takes the user's attention ends any mouse capture, as the
  // platform cancels capture when another window becomes active.
  ReleaseCapture();
  HWND top = qtb::topLevelOf(owner);
  Box box;  // no Qt parent: a disabled owner must not disable the box
  box.setWindowModality(Qt::ApplicationModal);
  qtb::keepAbove(&box, top);
  box.setWindowTitle(QString::fromUtf8(caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromUtf8(text ? text : ""));
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      box.setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box.setIcon(QMessageBox::Question);
      break;
    case MB_ICONEXCLAMATION:
      box.setIcon(QMessageBox::Warning);
      break;
    case MB_ICONASTERISK:
      box.setIcon(QMessageBox::Information);
      break;
  }
  struct Choice {
    QPushButton* button;
    int answer;
  };
  std::vector<Choice> choices;
  auto add = [&](const char* label, QMessageBox::ButtonRole role, int answer) {
    choices.push_back({box.addButton(QString::fromUtf8(label), role), answer});
    return choices.back().button;
  };
  // Esc and the close box give Cancel where there is one, else OK; a yes/no
  // box has neither.
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      box.setDefaultButton(add("ОК", QMessageBox::AcceptRole, IDOK));
      box.setEscapeButton(add("Отмена", QMessageBox::RejectRole, IDCANCEL));
      break;
    case MB_YESNO:
      box.setDefaultButton(add("Да", QMessageBox::YesRole, IDYES));
      add("Нет", QMessageBox::NoRole, IDNO);
      box.mustChoose = true;
      box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
      break;
    case MB_YESNOCANCEL:
      box.setDefaultButton(add("Да", QMessageBox::YesRole, IDYES));
      add("Нет", QMessageBox::NoRole, IDNO);
      box.setEscapeButton(add("Отмена", QMessageBox::RejectRole, IDCANCEL));
      break;
    default: {
      QPushButton* ok = add("ОК", QMessageBox::AcceptRole, IDOK);
      box.setDefaultButton(ok);
      box.setEscapeButton(ok);
      break;
    }
  }
  applyOwnerColours(box, owner);
  fitCaption(box, box.windowTitle());
  box.exec();
  qtb::uncover(&box);
  for (const Choice& c : choices) {
    if (box.clickedButton() == c.button)
      return c.answer;
  }
  return choices.empty() ? IDOK : choices.back().answer;
}

BOOL MessageBeep(UINT) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    QApplication::beep();
  return TRUE;
}

namespace testing_seams {

void ScriptMessageBoxes(bool on) {
  g_scripted = on;
  if (!on)
    g_answers.clear();
}

void QueueMessageBoxAnswer(int answer) {
  g_answers.push_back(answer);
}

const std::vector<MessageBoxCall>& MessageBoxCalls() {
  return g_calls;
}

void ClearMessageBoxCalls() {
  g_calls.clear();
}

}  // namespace testing_seams
