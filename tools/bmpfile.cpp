// SPDX-License-Identifier: MIT
// BMP files: a 14-byte file header, a 40-byte BITMAPINFOHEADER, the colour
// table and the rows, bottom row first, each padded to four bytes. Icon
// files: a directory of entries, then each image; images up to 255 pixels
// are BMPs without their file header, twice their height (colour rows, then
// a one-bit mask), larger ones PNG files, as the system reads them.
#include <QBuffer>
#include <algorithm>

#include "tools/art.h"

namespace art {
namespace {

void Put16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

void PutHeaders(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t tableBytes) {
  const uint32_t stride = uint32_t((width * bits + 31) / 32 * 4);
  const uint32_t imageBytes = stride * uint32_t(height);
  const uint32_t offBits = 14 + 40 + tableBytes;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + imageBytes);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, unsigned(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageBytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);  // biClrUsed 0: the full table for the depth
  Put32(out, 0);
}

}  // namespace

std::vector<uint8_t> EncodeBmp8(const Indexed& picture) {
  std::vector<uint8_t> out;
  PutHeaders(out, picture.width, picture.height, 8, 1024);
  for (QRgb c : Palette()) {
    out.push_back(uint8_t(qBlue(c)));
    out.push_back(uint8_t(qGreen(c)));
    out.push_back(uint8_t(qRed(c)));
    out.push_back(0);
  }
  const int stride = (picture.width + 3) / 4 * 4;
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < stride; ++x) {
      out.push_back(x < picture.width ? picture.at(x, y) : 0);
    }
  }
  return out;
}

std::vector<uint8_t> EncodeBmp32(const QImage& premultiplied) {
  std::vector<uint8_t> out;
  PutHeaders(out, premultiplied.width(), premultiplied.height(), 32, 0);
  for (int y = premultiplied.height() - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
    for (int x = 0; x < premultiplied.width(); ++x) {
      const int a = qAlpha(row[x]);
      // Straight alpha, undone here by integer arithmetic so that it is
      // the same everywhere.
      auto straight = [a](int c) { return a == 0 ? 0 : std::min(255, (c * 255 + a / 2) / a); };
      out.push_back(uint8_t(straight(qBlue(row[x]))));
      out.push_back(uint8_t(straight(qGreen(row[x]))));
      out.push_back(uint8_t(straight(qRed(row[x]))));
      out.push_back(uint8_t(a));
    }
  }
  return out;
}

namespace {

std::vector<uint8_t> IconImage(const QImage& premultiplied) {
  const int w = premultiplied.width(), h = premultiplied.height();
  if (w >= 256) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    premultiplied.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return {png.begin(), png.end()};
  }
  std::vector<uint8_t> bmp = EncodeBmp32(premultiplied);
  std::vector<uint8_t> out(bmp.begin() + 14, bmp.end());
  const uint32_t doubled = uint32_t(2 * h);
  for (int i = 0; i < 4; ++i) {
    out[8 + i] = uint8_t(doubled >> (8 * i));
  }
  // The mask hides what the alpha channel leaves clear, for whatever draws
  // the icon without its alpha.
  const int maskRow = (w + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(maskRow), 0);
    const QRgb* pixels = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      if (qAlpha(pixels[x]) < 128) {
        row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<QImage>& sizes) {
  std::vector<std::vector<uint8_t>> images;
  for (const QImage& image : sizes) {
    images.push_back(IconImage(image));
  }
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, unsigned(images.size()));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    // 256 is written as 0 in the one byte each side has.
    out.push_back(uint8_t(sizes[i].width() & 0xff));
    out.push_back(uint8_t(sizes[i].height() & 0xff));
    out.push_back(0);  // no colour table
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, uint32_t(images[i].size()));
    Put32(out, offset);
    offset += uint32_t(images[i].size());
  }
  for (const std::vector<uint8_t>& image : images) {
    out.insert(out.end(), image.begin(), image.end());
  }
  return out;
}

}  // namespace art
