// SPDX-License-Identifier: MIT
// On a screen of two device pixels a pixel the table draws its pictures
// from their sharper copies, pixel for pixel, not the ordinary ones
// enlarged. Runs as its own test with QT_SCALE_FACTOR=2 (and skips
// otherwise: one pixel a pixel is what every other test sees).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <cstdlib>

#include "platform/testing.h"
#include "res/resource.h"
#include "res/resources.h"
#include "table/zorv_dlg.h"

namespace {

// The picture's copy at the given scale, as the program carries it.
QImage ScaledCopy(WORD id, int scale) {
  const RESOURCEMODULE& m = g_zorvResources;
  for (int i = 0; i < m.scaledCount; ++i) {
    if (m.scaled[i].id == id && m.scaled[i].scale == scale && m.scaled[i].type == RT_BITMAP)
      return QImage::fromData(m.scaled[i].data, (int)m.scaled[i].size, "PNG")
          .convertToFormat(QImage::Format_RGB32);
  }
  return QImage();
}

// The ordinary picture, as the program carries it.
QImage Picture(WORD id) {
  const RESOURCEMODULE& m = g_zorvResources;
  for (int i = 0; i < m.binaryCount; ++i) {
    if (m.binaries[i].id == id && m.binaries[i].type == RT_BITMAP)
      return QImage::fromData(m.binaries[i].data, (int)m.binaries[i].size, "BMP")
          .convertToFormat(QImage::Format_RGB32);
  }
  return QImage();
}

// How many sampled pixels of the picture, laid at (x0, y0) of the grab,
// differ from what the screen shows.
int Differing(const testing_seams::ClientImage& shot, int x0, int y0, const QImage& picture) {
  int differing = 0;
  for (int y = 0; y < picture.height(); y += 3) {
    for (int x = 0; x < picture.width(); x += 3) {
      QRgb c = picture.pixel(x, y);
      differing += shot.At(x0 + x, y0 + y) != RGB(qRed(c), qGreen(c), qBlue(c));
    }
  }
  return differing;
}

TEST(HighDensity, CardsOfTheHandTrumpAndPlacesShowTheirSharperCopies) {
  CWinApp app;
  app.SetDialogBkColor(RGB(0, 0, 0), RGB(192, 192, 192));
  CZorvDlg dlg;
  bool checked = false;
  testing_seams::RunWhenIdle([&] {
    testing_seams::ProcessEvents();
    HWND trump = ::GetDlgItem(dlg.m_hWnd, IDC_TRUMP);
    RECT client;
    ::GetClientRect(trump, &client);
    testing_seams::ClientImage shot = testing_seams::GrabClient(trump);
    const int ratio = client.right > 0 ? shot.width / client.right : 0;
    if (ratio == 2) {
      checked = true;
      const QImage face = ScaledCopy(dlg.FaceBitmapId(dlg.m_trump.rank, dlg.m_trump.suit), 2);
      ASSERT_FALSE(face.isNull());
      EXPECT_EQ(Differing(shot, 0, 0, face), 0) << "the trump card";
      // The ordinary picture enlarged would not pass for the copy.
      const QImage enlarged =
          Picture(dlg.FaceBitmapId(dlg.m_trump.rank, dlg.m_trump.suit))
              .scaled(face.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
      EXPECT_GT(Differing(shot, 0, 0, enlarged), 0);
      const QImage cloth = ScaledCopy(IDB_EMPTY, 2);
      ASSERT_FALSE(cloth.isNull());
      HWND place = ::GetDlgItem(dlg.m_hWnd, IDC_ATTACK0);
      EXPECT_EQ(Differing(testing_seams::GrabClient(place), 0, 0, cloth), 0) << "a table place";

      HWND hand = ::GetDlgItem(dlg.m_hWnd, IDC_PLAYER_LIST);
      RECT icon{LVIR_ICON, 0, 0, 0};
      ASSERT_TRUE(::SendMessage(hand, LVM_GETITEMRECT, 0, (LPARAM)&icon));
      const Card& first = dlg.m_playerHand[0];
      const QImage card = ScaledCopy(dlg.FaceBitmapId(first.rank, first.suit), 2);
      EXPECT_EQ(Differing(testing_seams::GrabClient(hand), 2 * icon.left, 2 * icon.top, card), 0)
          << "the first card of the hand";
    }
    dlg.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  if (!checked)
    GTEST_SKIP() << "the screen has one device pixel a pixel (run with QT_SCALE_FACTOR=2)";
}

// At one pixel a pixel, the table shows and is played without decoding a
// single sharper copy: their cost is for the screens that use them.
TEST(SharperArt, OneToOneScreenDecodesNone) {
  if (QGuiApplication::primaryScreen()->devicePixelRatio() != 1)
    GTEST_SKIP() << "a screen of one device pixel a pixel only";
  const int before = testing_seams::SharperCopiesDecoded();
  testing_seams::ScriptMessageBoxes(true);
  CZorvDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_ZORV_DIALOG));
  testing_seams::ProcessEvents();
  testing_seams::GrabClient(dlg.m_hWnd);
  EXPECT_EQ(testing_seams::SharperCopiesDecoded(), before);
  dlg.DestroyWindow();
  testing_seams::ScriptMessageBoxes(false);
}

}  // namespace
