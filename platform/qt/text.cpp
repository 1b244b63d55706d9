// SPDX-License-Identifier: MIT
// Fonts and text: CreateFontIndirect, TextOut and text measurement.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include "platform/qt/internal.h"

namespace {

QString textOf(LPCSTR text, int length) {
  if (!text || length <= 0)
    return QString();
  return QString::fromUtf8(text, length);
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (!font)
    return nullptr;
  auto* f = new HFONT__;
  f->lf = *font;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  qtb::registerObject(f);
  return f;
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int length) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d || !text || length < 0 || !QGuiApplication::instance())
    return FALSE;
  QString s = textOf(text, length);
  QFont font = qtb::fontOf(d->font);
  return qtb::paintOn(hdc,
                      [&](QPainter& p) {
                        QFontMetrics fm(font);
                        QRect box(x, y, fm.horizontalAdvance(s), fm.height());
                        if (d->bkMode == OPAQUE)
                          p.fillRect(box, qtb::toQColor(d->bkColor));
                        p.setFont(font);
                        p.setPen(qtb::toQColor(d->textColor));
                        p.drawText(QPoint(x, y + fm.ascent()), s);
                      })
             ? TRUE
             : FALSE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int length, LPSIZE size) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d || !size || !text || length < 0)
    return FALSE;
  if (!QGuiApplication::instance()) {
    size->cx = 6 * length;
    size->cy = 13;
    return TRUE;
  }
  QFontMetrics fm(qtb::fontOf(d->font));
  size->cx = fm.horizontalAdvance(textOf(text, length));
  size->cy = fm.height();
  return TRUE;
}
