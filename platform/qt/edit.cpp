// SPDX-License-Identifier: MIT
// The multi-line edit control over a QPlainTextEdit: CR LF texts, read-only
// mode and the colours of WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT.
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>

#include "platform/qt/widgets.h"

namespace {

class EditBox : public QPlainTextEdit {
 public:
  explicit EditBox(QWidget* parent) : QPlainTextEdit(parent) { setFrameShape(QFrame::NoFrame); }

 protected:
  void paintEvent(QPaintEvent* e) override {
    applyColours();
    QPlainTextEdit::paintEvent(e);
  }

 private:
  // Read-only edits take the static colours, as on the platform.
  void applyColours() {
    HWND h = qtb::fromWidget(this);
    if (!h || !qtb::isWindow(h->parent))
      return;
    HDC dc = qtb::makePaintDC(h, nullptr);
    UINT msg = (h->style & ES_READONLY) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = qtb::ctlColor(h, msg, dc);
    auto* d = qtb::as<HDC__>(dc, qtb::Kind::Dc);
    auto* b = qtb::as<HBRUSH__>(brush, qtb::Kind::Brush);
    QPalette pal = palette();
    QColor base = b && !b->hollow ? qtb::toQColor(b->color) : QColor(Qt::white);
    if (b && b->hollow && qtb::isWindow(h->parent))
      base = QColor(Qt::transparent);
    QColor text = brush && d ? qtb::toQColor(d->textColor) : QColor(Qt::black);
    qtb::freeDC(dc);
    if (pal.color(QPalette::Base) != base || pal.color(QPalette::Text) != text) {
      pal.setColor(QPalette::Base, base);
      pal.setColor(QPalette::Text, text);
      setPalette(pal);
    }
  }
};

class EditFrame : public qtb::WindowWidget {
 public:
  EditFrame(HWND h, QWidget* parent) : WindowWidget(h, parent) {
    box = new EditBox(this);
    box->setReadOnly((h->style & ES_READONLY) != 0);
    box->setLineWrapMode((h->style & WS_HSCROLL) ? QPlainTextEdit::NoWrap
                                                 : QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy((h->style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy((h->style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
  }
  EditBox* box;

 protected:
  void resizeEvent(QResizeEvent*) override {
    HWND h = qtb::fromWidget(this);
    if (h)
      box->setGeometry(qtb::clientRectPx(h));
  }
};

EditBox* boxOf(HWND h) {
  auto* f = dynamic_cast<EditFrame*>(h->widget.data());
  return f ? f->box : nullptr;
}

}  // namespace

namespace qtb {

QWidget* makeEditWidget(HWND h, QWidget* parent) {
  return new EditFrame(h, parent);
}

void setEditText(HWND h) {
  EditBox* box = boxOf(h);
  if (!box)
    return;
  QString s = QString::fromUtf8(h->text.c_str());
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  box->setPlainText(s);
}

LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!isWindow(h))
    return 0;
  switch (msg) {
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, msg, wp, lp);
      setEditText(h);
      return r;
    }
    case EM_GETLINECOUNT: {
      LRESULT lines = 1;
      for (char c : h->text)
        lines += c == '\n';
      return lines;
    }
    case EM_SETREADONLY:
      if (wp) {
        h->style |= ES_READONLY;
      } else {
        h->style &= ~(DWORD)ES_READONLY;
      }
      if (EditBox* box = boxOf(h))
        box->setReadOnly(wp != 0);
      return TRUE;
    case WM_ENABLE:
      markDirty(h);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

}  // namespace qtb
