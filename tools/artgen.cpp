// SPDX-License-Identifier: MIT
// zorv_artgen <outdir> [--sheet contact.png]: draws every bitmap, the icon
// and the two MY_BITMAP files of the program into <outdir>, and optionally
// a contact sheet of them all, enlarged, for looking them over.
// zorv_artgen --icons <dir> <name>: draws the icon at every size of the
// desktop's icon theme, as <dir>/<n>x<n>/apps/<name>.png.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "tools/art.h"

namespace {

using art::Indexed;
using art::Suit;

struct Output {
  std::string name;
  Indexed picture;
};

constexpr const char* kRanks[9] = {"Q", "6", "7", "8", "9", "A", "J", "K", "10"};

std::vector<Output> DrawAll() {
  std::vector<Output> out;
  const struct {
    Suit suit;
    int base;
  } suits[4] = {
      {Suit::Clubs, 155}, {Suit::Diamonds, 165}, {Suit::Hearts, 174}, {Suit::Spades, 183}};
  for (const auto& s : suits) {
    for (int offset = 0; offset < 9; ++offset) {
      out.push_back({"bmp_" + std::to_string(s.base + offset) + ".bmp",
                     art::DrawFace(s.suit, kRanks[offset])});
    }
  }
  out.push_back({"bmp_195.bmp", art::DrawBack(false)});
  const Indexed back = art::DrawBack(true);
  out.push_back({"bmp_196.bmp", back});
  out.push_back({"bmp_197.bmp", art::DrawCloth(69, 94)});
  const Suit symbols[4] = {Suit::Clubs, Suit::Diamonds, Suit::Hearts, Suit::Spades};
  for (int i = 0; i < 4; ++i) {
    out.push_back({"bmp_" + std::to_string(205 + i) + ".bmp", art::DrawSuitSymbol(symbols[i])});
  }
  out.push_back({"bmp_209.bmp", art::RotateClockwise(back)});
  out.push_back({"bmp_210.bmp", art::DrawCloth(94, 69)});
  out.push_back({"my_217.bmp", art::DrawPaletteCarrier()});
  out.push_back({"my_220.bmp", art::DrawDigitStrip()});
  return out;
}

bool WriteFile(const QString& path, const std::vector<uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return false;
  }
  return file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
         qint64(bytes.size());
}

void Blit(QImage& sheet, const QImage& picture, int x0, int y0, int scale) {
  for (int y = 0; y < picture.height() * scale; ++y) {
    for (int x = 0; x < picture.width() * scale; ++x) {
      const QRgb p = picture.pixel(x / scale, y / scale);
      if (qAlpha(p) != 0) {
        sheet.setPixel(x0 + x, y0 + y, p | 0xff000000);
      }
    }
  }
}

QImage ToImage(const Indexed& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      image.setPixel(x, y, art::Palette()[picture.at(x, y)]);
    }
  }
  return image;
}

// All pictures three times their size in rows of ten on dark grey.
bool WriteSheet(const QString& path, const std::vector<Output>& outputs, const QImage& icon) {
  constexpr int kScale = 3;
  constexpr int kCell = 100 * kScale;
  constexpr int kColumns = 10;
  const int rows = int(outputs.size() + 1 + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_ARGB32);
  sheet.fill(qRgb(48, 52, 60));
  int i = 0;
  for (const Output& o : outputs) {
    Blit(sheet, ToImage(o.picture), (i % kColumns) * kCell + 6, (i / kColumns) * kCell + 6, kScale);
    ++i;
  }
  Blit(sheet, icon.convertToFormat(QImage::Format_ARGB32), (i % kColumns) * kCell + 6,
       (i / kColumns) * kCell + 6, kScale * 2);
  return sheet.save(path, "PNG");
}

// Each size drawn afresh from the icon's drawing, none scaled from another.
int WriteThemeIcons(const QString& dir, const QString& name) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(size);
    if (!QDir().mkpath(folder) ||
        !art::DrawIcon(size)
             .convertToFormat(QImage::Format_ARGB32)
             .save(folder + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG")) {
      std::fprintf(stderr, "zorv_artgen: cannot write the %dx%d icon\n", size, size);
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs no display; the offscreen platform keeps the tool usable
  // on build machines without one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  if (argc == 4 && std::string(argv[1]) == "--icons") {
    return WriteThemeIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
    std::fprintf(stderr,
                 "usage: zorv_artgen <outdir> [--sheet contact.png]\n"
                 "       zorv_artgen --icons <dir> <name>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "zorv_artgen: cannot make %s\n", argv[1]);
    return 1;
  }
  const std::vector<Output> outputs = DrawAll();
  const QImage icon = art::DrawIcon();
  bool ok = true;
  for (const Output& o : outputs) {
    ok = WriteFile(dir.filePath(QString::fromStdString(o.name)), art::EncodeBmp8(o.picture)) && ok;
  }
  ok = WriteFile(dir.filePath("icon_200.bmp"), art::EncodeBmp32(icon)) && ok;
  if (argc == 4) {
    ok = WriteSheet(QString::fromLocal8Bit(argv[3]), outputs, icon) && ok;
  }
  if (!ok) {
    std::fprintf(stderr, "zorv_artgen: could not write every file\n");
    return 1;
  }
  return 0;
}
