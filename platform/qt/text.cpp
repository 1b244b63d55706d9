// SPDX-License-Identifier: MIT
// Fonts and text: CreateFontIndirect, TextOut and text measurement.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <cstring>

#include "platform/qt/internal.h"

namespace {

QString textOf(LPCSTR text, int length) {
  if (!text || length <= 0)
    return QString();
  return QString::fromUtf8(text, length);
}

}  // namespace

namespace qtb {

QFont fontOf(HFONT f) {
  auto* font = as<HFONT__>(f, Kind::Font);
  const LOGFONT& lf = font ? font->lf : stockFont()->lf;
  QString face = QString::fromUtf8(lf.lfFaceName);
  // The dialog faces of the platform have no Cyrillic here; a sans face
  // with Cyrillic glyphs at the same size keeps texts inside their places.
  if (face.isEmpty() || face == QLatin1String("MS Sans Serif") ||
      face == QLatin1String("MS Shell Dlg") || face == QLatin1String("System")) {
    face = QStringLiteral("DejaVu Sans");
  }
  QFont q(face);
  int px = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? lf.lfHeight * 4 / 5 : 11;
  q.setPixelSize(std::max(px, 1));
  q.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
  q.setItalic(lf.lfItalic != 0);
  q.setUnderline(lf.lfUnderline != 0);
  q.setStrikeOut(lf.lfStrikeOut != 0);
  return q;
}

}  // namespace qtb

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (!font)
    return nullptr;
  auto* f = new HFONT__;
  f->lf = *font;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return qtb::adopt(f);
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int length) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d || !text || length < 0 || !QGuiApplication::instance())
    return FALSE;
  if (qtb::beyondEveryDevice(x, y))
    return TRUE;
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

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                        int room) {
  if ((codePage != CP_ACP && codePage != CP_UTF8) || flags || !text || length == 0 || length < -1 ||
      room < 0 || (room > 0 && !wide))
    return 0;
  // -1: the text and its terminator, which the answer counts.
  QString s = length == -1 ? QString::fromUtf8(text, (qsizetype)std::strlen(text) + 1)
                           : QString::fromUtf8(text, length);
  const int needed = (int)s.size();
  if (room == 0)
    return needed;
  if (room < needed)
    return 0;
  std::memcpy(wide, s.utf16(), (size_t)needed * sizeof(WCHAR));
  return needed;
}
