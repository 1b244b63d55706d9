// SPDX-License-Identifier: MIT
// The supersampled drawing surface.
#include "tools/art.h"

namespace art {

namespace {
double g_scale = 1;
}  // namespace

void SetDrawingScale(double scale) {
  g_scale = scale;
}

double DrawingScale() {
  return g_scale;
}

Canvas::Canvas(int width, int height, QRgb background)
    : m_width(int(width * g_scale + 0.5)),
      m_height(int(height * g_scale + 0.5)),
      m_scale(g_scale),
      m_image(m_width * kSuper, m_height * kSuper, QImage::Format_ARGB32_Premultiplied) {
  m_image.fill(background);
  m_painter = new QPainter(&m_image);
  Begin();
}

void Canvas::Begin() {
  m_painter->setRenderHint(QPainter::Antialiasing, false);
  m_painter->setPen(Qt::NoPen);
  m_painter->scale(kSuper * m_scale, kSuper * m_scale);
}

Canvas::~Canvas() {
  delete m_painter;
}

void Canvas::FillPath(const QPainterPath& path, QRgb colour) {
  m_painter->fillPath(path, QColor::fromRgba(colour));
}

void Canvas::FillRect(double x, double y, double w, double h, QRgb colour) {
  QPainterPath path;
  path.addRect(x, y, w, h);
  FillPath(path, colour);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, QRgb colour) {
  QPainterPath path;
  path.addEllipse(QPointF(cx, cy), rx, ry);
  FillPath(path, colour);
}

void Canvas::Glyph(const std::vector<std::string>& rows, int x, int y, QRgb colour) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      if (rows[r][c] == '#') {
        FillRect(x + int(c), y + int(r), 1, 1, colour);
      }
    }
  }
}

QImage Canvas::Resolve() {
  m_painter->end();
  QImage out(m_width, m_height, QImage::Format_ARGB32_Premultiplied);
  constexpr int kCount = kSuper * kSuper;
  for (int y = 0; y < m_height; ++y) {
    QRgb* target = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < m_width; ++x) {
      int sum[4] = {0, 0, 0, 0};
      for (int sy = 0; sy < kSuper; ++sy) {
        const QRgb* row = reinterpret_cast<const QRgb*>(m_image.constScanLine(y * kSuper + sy));
        for (int sx = 0; sx < kSuper; ++sx) {
          const QRgb p = row[x * kSuper + sx];
          sum[0] += qAlpha(p);
          sum[1] += qRed(p);
          sum[2] += qGreen(p);
          sum[3] += qBlue(p);
        }
      }
      auto avg = [](int s) { return (s + kCount / 2) / kCount; };
      target[x] = qRgba(avg(sum[1]), avg(sum[2]), avg(sum[3]), avg(sum[0]));
    }
  }
  m_painter->begin(&m_image);
  Begin();
  return out;
}

}  // namespace art
