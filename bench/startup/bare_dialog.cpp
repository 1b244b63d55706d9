// SPDX-License-Identifier: MIT
// The floor for the start-up benchmark: a bare Qt dialog with the controls
// of the table (a menu bar, twelve 69 x 94 eight-bit pictures, two icon
// lists of six cards, two buttons, a few texts) and nothing of ours.
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

namespace {

QPixmap card(int seed) {
  QImage image(69, 94, QImage::Format_Indexed8);
  image.setColorCount(256);
  for (int i = 0; i < 256; ++i)
    image.setColor(i, qRgb(i, (i * 7 + seed) & 255, 255 - i));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.scanLine(y)[x] = (uchar)((x * 3 + y + seed) & 255);
  return QPixmap::fromImage(image);
}

QListWidget* hand(QWidget* parent, int x, int y) {
  auto* list = new QListWidget(parent);
  list->setViewMode(QListView::IconMode);
  list->setIconSize(QSize(69, 94));
  list->setGeometry(x, y, 560, 120);
  for (int i = 0; i < 6; ++i)
    list->addItem(new QListWidgetItem(QIcon(card(i)), QString()));
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QString::fromUtf8("Игра \"Зорв\" v.0.4"));
  dialog.setFixedSize(640, 480);
  auto* bar = new QMenuBar(&dialog);
  QMenu* game = bar->addMenu(QString::fromUtf8("&Игра"));
  game->addAction(QString::fromUtf8("&Новая игра\tF2"));
  game->addAction(QString::fromUtf8("&Выход"));
  QMenu* help = bar->addMenu(QString::fromUtf8("&?"));
  help->addAction(QString::fromUtf8("&Правила"));
  help->addAction(QString::fromUtf8("&История"));
  help->addAction(QString::fromUtf8("&О программе"));
  bar->setGeometry(0, 0, 640, bar->sizeHint().height());
  hand(&dialog, 40, 30);
  hand(&dialog, 40, 340);
  for (int i = 0; i < 12; ++i) {
    auto* place = new QLabel(&dialog);
    place->setPixmap(card(i));
    place->setGeometry(40 + (i % 6) * 80, 160 + (i / 6) * 20, 69, 94);
  }
  (new QPushButton(QString::fromUtf8("Бито"), &dialog))->setGeometry(540, 170, 80, 24);
  (new QPushButton(QString::fromUtf8("Взять"), &dialog))->setGeometry(540, 200, 80, 24);
  (new QLabel(QString::fromUtf8("Ваш ход..."), &dialog))->setGeometry(40, 300, 300, 16);
  (new QLabel(QString::fromUtf8("бито:"), &dialog))->setGeometry(540, 240, 40, 16);
  dialog.show();
  return app.exec();
}
