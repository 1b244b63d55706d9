// SPDX-License-Identifier: MIT
// The multi-line edit control over a QPlainTextEdit: CR LF texts, read-only
// mode and the colours of WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT.
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextLayout>

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
    // A multi-line edit wraps words at its width unless it scrolls sideways.
    box->setLineWrapMode((h->style & (WS_HSCROLL | ES_AUTOHSCROLL)) ? QPlainTextEdit::NoWrap
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

// The lines the edit shows: its paragraphs, each wrapped at the width of
// the text area when the edit wraps.
LRESULT lineCount(HWND h) {
  EditBox* box = boxOf(h);
  QString text = QString::fromUtf8(h->text.c_str());
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const QStringList paragraphs = text.split(QLatin1Char('\n'));
  if (!box || box->lineWrapMode() == QPlainTextEdit::NoWrap)
    return paragraphs.size();
  const qreal width = box->viewport()->width() - 2 * box->document()->documentMargin();
  LRESULT lines = 0;
  for (const QString& paragraph : paragraphs) {
    QTextLayout layout(paragraph, box->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int n = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++n)
      line.setLineWidth(qMax<qreal>(width, 1));
    layout.endLayout();
    lines += qMax(n, 1);
  }
  return lines;
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
    case EM_GETLINECOUNT:
      return lineCount(h);
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
