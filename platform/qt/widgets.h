// SPDX-License-Identifier: MIT
// The Qt widgets that stand for windows: a plain one that paints through
// WM_PAINT and turns Qt input into messages, and the top-level frame of a
// dialog (menu bar above the client widget).
#pragma once

#include <QWidget>

#include "platform/qt/internal.h"

namespace qtb {

class WindowWidget : public QWidget {
 public:
  WindowWidget(HWND h, QWidget* parent, bool isClient = false);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void input(UINT msg, QMouseEvent* e);
  bool m_isClient;
};

class DialogFrame : public QWidget {
 public:
  explicit DialogFrame(HWND h, QWidget* parent);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
};

QPainter* currentPainter(HWND h);
void drawFrame(QPainter& p, HWND h, const QRect& outer);

}  // namespace qtb
