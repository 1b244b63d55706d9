// SPDX-License-Identifier: MIT
#include <cstring>
#include <functional>
#include <set>

#include <oleacc.h>

#include "tests/table_fixture.h"

using HandViewTest = TableTest;

struct Order {
  const char* trump;
  std::vector<const char*> arrival;
  const char* shown;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Order& o, std::ostream* os) {
  *os << "trumps " << o.trump << ": " << o.shown;
}

class DisplayOrderTest : public TableTest, public ::testing::WithParamInterface<Order> {};

TEST_P(DisplayOrderTest, SuitsWithTrumpsLastThenRanks) {
  const Order& o = GetParam();
  SetTrump(o.trump);
  dlg->m_nPlayerCards = 0;
  for (const char* code : o.arrival) {
    dlg->m_playerHand[dlg->m_nPlayerCards++] = C(code);
  }
  dlg->ShowPlayerHand();
  EXPECT_EQ(PlayerHand(), o.shown);
  EXPECT_EQ(ItemCount(IDC_PLAYER_LIST), (int)o.arrival.size());
  HIMAGELIST list =
      (HIMAGELIST)::SendMessage(Item(IDC_PLAYER_LIST), LVM_GETIMAGELIST, LVSIL_NORMAL, 0);
  EXPECT_EQ(ImageList_GetImageCount(list), (int)o.arrival.size());
}

INSTANTIATE_TEST_SUITE_P(
    Trumps, DisplayOrderTest,
    ::testing::Values(
        Order{"9d", {"Kd", "6s", "Ah", "6d", "10c", "7s"}, "6s 7s 10c Ah 6d Kd"},
        Order{"9s", {"As", "6s", "Qh", "10s", "6d"}, "6d Qh 6s 10s As"},
        Order{"9c", {"6c", "Ah", "9s", "7d", "Jc", "10h"}, "9s 7d 10h Ah 6c Jc"},
        Order{"9h", {"Ah", "10d", "Jc", "6s", "9h", "10s", "7c"}, "6s 10s 7c Jc 10d 9h Ah"},
        Order{"6s", {"As", "Ks", "Qs", "Js", "10s", "9s", "8s", "7s"}, "7s 8s 9s 10s Js Qs Ks As"},
        Order{"7h",
              {"Kc", "Ac", "Qd", "9c", "10c", "6c", "7d", "8c", "Jc", "6d"},
              "6c 8c 9c 10c Jc Kc Ac 6d 7d Qd"},
        Order{"7h", {}, ""}));

TEST_F(HandViewTest, ComputerHandShowsBacksOnly) {
  struct {
    int cards;
    int backs;  // hidden places 1002.. showing the back
  } rows[] = {{0, 0}, {3, 3}, {6, 6}, {9, 6}};
  static const char* const kCards[] = {"6h", "7h", "8h", "9h", "10h", "Jh", "Qh", "Kh", "Ah"};
  for (const auto& row : rows) {
    dlg->m_nComputerCards = 0;
    for (int i = 0; i < row.cards; ++i) {
      dlg->m_computerHand[dlg->m_nComputerCards++] = C(kCards[i]);
    }
    dlg->ShowComputerHand();
    EXPECT_EQ(ItemCount(IDC_COMPUTER_LIST), row.cards);
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(Image(IDC_COMPUTER_CARD0 + k), k < row.backs ? dlg->m_hbmBack : dlg->m_hbmEmpty)
          << row.cards << " cards, place " << k;
    }
    EXPECT_EQ(Text(IDC_COMPUTER_COUNT), std::to_string(row.cards));
  }
}

TEST_F(HandViewTest, ShowPlayerHandOnlySwitchesButtonsOff) {
  struct {
    int cards;
    int attack;
    bool moreBefore, beatenBefore;
    bool moreAfter, beatenAfter;
  } rows[] = {
      {6, 0, true, true, false, false},   {7, 1, true, true, true, true},
      {7, 0, false, true, false, false},  {3, 2, false, true, false, true},
      {0, 0, false, false, false, false},
  };
  static const char* const kCards[] = {"6h", "7h", "8h", "9h", "10h", "Jh", "Qh"};
  for (const auto& row : rows) {
    dlg->m_nPlayerCards = 0;
    for (int i = 0; i < row.cards; ++i) {
      dlg->m_playerHand[dlg->m_nPlayerCards++] = C(kCards[i]);
    }
    dlg->m_nAttack = (BYTE)row.attack;
    ::EnableWindow(Item(IDC_MORE), row.moreBefore);
    ::EnableWindow(Item(IDC_BEATEN), row.beatenBefore);
    dlg->ShowPlayerHand();
    EXPECT_EQ(Enabled(IDC_MORE), row.moreAfter) << row.cards << "/" << row.attack;
    EXPECT_EQ(Enabled(IDC_BEATEN), row.beatenAfter) << row.cards << "/" << row.attack;
  }
}

TEST_F(HandViewTest, FaceIdsCoverTheDeckWithoutGaps) {
  std::set<int> ids;
  for (const char* suit : g_aszSuits) {
    for (const char* rank : g_aszRanks) {
      ids.insert(dlg->FaceBitmapId(rank, suit));
    }
  }
  EXPECT_EQ(ids.size(), 36u);
  EXPECT_EQ(*ids.begin(), 155);
  EXPECT_EQ(*ids.rbegin(), 191);
  EXPECT_EQ(ids.count(164), 0u);
  EXPECT_EQ(dlg->FaceBitmapId("Q", "clubs"), 155);
  EXPECT_EQ(dlg->FaceBitmapId("10", "diamonds"), 173);
  EXPECT_EQ(dlg->FaceBitmapId("A", "hearts"), 179);
  EXPECT_EQ(dlg->FaceBitmapId("J", "spades"), 189);
  EXPECT_EQ(dlg->FaceBitmapId("K", "hearts"), 181);
  EXPECT_EQ(dlg->FaceBitmapId("5", "hearts"), 195);
  EXPECT_EQ(dlg->FaceBitmapId("A", "stars"), 195);
}

using CounterTest = TableTest;

// The pixel of an 8-bit bottom-up image at column x of row y counted from
// the bottom; rows are padded to four bytes.
static BYTE Pixel(const CDIB& dib, int x, int y) {
  int stride = (dib.Width() + 3) & ~3;
  return dib.GetBits()[y * stride + x];
}

// "b" for the blank glyph, else the digit shown in each place.
static std::string LedReading(const CDIB& led, const CDIB& digits) {
  std::string reading;
  for (int place = 0; place < 2; ++place) {
    char found = '?';
    for (int glyph = 0; glyph <= 10 && found == '?'; ++glyph) {
      bool same = true;
      for (int y = 0; y < 13 && same; ++y) {
        for (int x = 0; x < 9 && same; ++x) {
          same = Pixel(led, 8 + 11 * place + x, 4 + y) == Pixel(digits, 9 * glyph + x, y);
        }
      }
      if (same) {
        found = glyph == 10 ? 'b' : (char)('0' + glyph);
      }
    }
    reading += found;
  }
  return reading;
}

static bool BlackOutsideTheGlyphs(const CDIB& led) {
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 37; ++x) {
      bool glyph = y >= 4 && y <= 16 && ((x >= 8 && x <= 16) || (x >= 19 && x <= 27));
      if (!glyph && Pixel(led, x, y) != 0) {
        return false;
      }
    }
  }
  return true;
}

TEST_F(CounterTest, LedsShowTwoGlyphsWithABlankForOneDigit) {
  ASSERT_EQ(dlg->m_dibDeckCount.Width(), 37);
  ASSERT_EQ(dlg->m_dibDeckCount.Height(), 20);
  ASSERT_EQ(dlg->m_dibDigits.Width(), 99);
  struct {
    BYTE count;
    const char* led;
    const char* text;
  } rows[] = {{36, "36", "36"}, {24, "24", "24"}, {10, "10", "10"}, {7, "b7", "7"}, {0, "b0", "0"}};
  for (const auto& row : rows) {
    // Deck and discard pile show each value in turn, the other one opposite.
    dlg->m_nDeckCards = row.count;
    dlg->m_nBeaten = (BYTE)(36 - row.count);
    dlg->UpdateCounters();
    EXPECT_EQ(LedReading(dlg->m_dibDeckCount, dlg->m_dibDigits), row.led);
    EXPECT_EQ(Text(IDC_DECK_COUNT), row.text);
    dlg->m_nBeaten = row.count;
    dlg->m_nDeckCards = (BYTE)(36 - row.count);
    dlg->UpdateCounters();
    EXPECT_EQ(LedReading(dlg->m_dibBeatenCount, dlg->m_dibDigits), row.led);
    EXPECT_EQ(Text(IDC_BEATEN_COUNT), row.text);
    EXPECT_TRUE(BlackOutsideTheGlyphs(dlg->m_dibDeckCount));
    EXPECT_TRUE(BlackOutsideTheGlyphs(dlg->m_dibBeatenCount));
  }
}

// What a drawing leaves on a card-sized canvas of the screen's colours,
// as pixels.
static std::vector<COLORREF> Sampled(const std::function<void(HDC)>& draw) {
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  HBITMAP canvas = ::CreateCompatibleBitmap(screen, 69, 94);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(mem, canvas);
  draw(mem);
  std::vector<COLORREF> out;
  for (int y = 0; y < 94; y += 7) {
    for (int x = 0; x < 69; x += 5) {
      out.push_back(::GetPixel(mem, x, y));
    }
  }
  ::SelectObject(mem, old);
  ::DeleteObject(canvas);
  ::DeleteDC(mem);
  return out;
}

// What image k of a list shows.
static std::vector<COLORREF> Drawn(HIMAGELIST list, int k) {
  return Sampled([&](HDC dc) { ImageList_Draw(list, k, dc, 0, 0, ILD_NORMAL); });
}

// What a bitmap shows when drawn as it is, as a picture static draws it.
static std::vector<COLORREF> Drawn(HBITMAP bitmap) {
  return Sampled([&](HDC dc) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    ::BitBlt(dc, 0, 0, 69, 94, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
  });
}

static std::vector<COLORREF> DrawnResource(int id) {
  HBITMAP bitmap = ::LoadBitmap(::GetModuleHandle(nullptr), MAKEINTRESOURCE(id));
  std::vector<COLORREF> out = Drawn(bitmap);
  ::DeleteObject(bitmap);
  return out;
}

// The hands show the cards in their own colours, as the places on the table
// and the stock show the same pictures (an image list of a lower depth
// would map them to sixteen colours).
TEST_F(HandViewTest, HandsShowTheCardsInTheColoursOfTheirPictures) {
  SetTrump("9d");
  SetPlayerHand({"Qs", "Kh"});
  dlg->ShowPlayerHand();
  dlg->m_nComputerCards = 1;
  dlg->m_computerHand[0] = C("6h");
  dlg->ShowComputerHand();
  auto list = [&](int view) {
    return (HIMAGELIST)::SendMessage(Item(view), LVM_GETIMAGELIST, LVSIL_NORMAL, 0);
  };
  EXPECT_EQ(Drawn(list(IDC_COMPUTER_LIST), 0), DrawnResource(IDB_BACK));
  for (int i = 0; i < 2; ++i) {
    const Card& card = dlg->m_playerHand[i];
    EXPECT_EQ(Drawn(list(IDC_PLAYER_LIST), i),
              DrawnResource(dlg->FaceBitmapId(card.rank, card.suit)))
        << "card " << i;
  }
}

// A face that cannot be drawn must not shift the pictures of the cards after
// it: each item keeps its own card's picture, and the damaged one shows the
// empty place.
TEST_F(HandViewTest, DamagedFaceLeavesEveryOtherItemWithItsOwnCard) {
  SetTrump("9d");
  SetPlayerHand({"6s", "7s", "8s", "9s"});
  dlg->ShowPlayerHand();
  HIMAGELIST intact =
      (HIMAGELIST)::SendMessage(Item(IDC_PLAYER_LIST), LVM_GETIMAGELIST, LVSIL_NORMAL, 0);
  std::vector<std::vector<COLORREF>> faces;
  for (int i = 0; i < 4; ++i) {
    faces.push_back(Drawn(intact, i));
  }
  std::vector<COLORREF> emptyPlace = Drawn(dlg->m_hbmEmpty);

  // The 7 of spades' face becomes a handle that no longer draws: the one the
  // window keeps for it is deleted under it.
  ::DeleteObject(
      dlg->CachedBitmap(dlg->FaceBitmapId(dlg->m_playerHand[1].rank, dlg->m_playerHand[1].suit)));
  dlg->ShowPlayerHand();

  HWND view = Item(IDC_PLAYER_LIST);
  HIMAGELIST list = (HIMAGELIST)::SendMessage(view, LVM_GETIMAGELIST, LVSIL_NORMAL, 0);
  ASSERT_EQ(ItemCount(IDC_PLAYER_LIST), 4);
  for (int i = 0; i < 4; ++i) {
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    ASSERT_TRUE(::SendMessage(view, LVM_GETITEM, 0, (LPARAM)&item));
    EXPECT_EQ(Drawn(list, item.iImage), i == 1 ? emptyPlace : faces[i]) << "item " << i;
  }
}

// A screen reader names each picture by the string of its bitmap's id: the
// face of every card is its own rank and suit, in Russian.
TEST_F(HandViewTest, EveryFaceIsNamedForItsRankAndSuit) {
  const char* const ranks[9] = {"6", "7", "8", "9", "10", "J", "Q", "K", "A"};
  const char* const rankNames[9] = {"шестёрка", "семёрка", "восьмёрка", "девятка", "десятка",
                                    "валет",    "дама",    "король",    "туз"};
  const char* const suits[4] = {"clubs", "diamonds", "hearts", "spades"};
  const char* const suitNames[4] = {"треф", "бубён", "червей", "пик"};
  std::set<std::string> seen;
  for (int r = 0; r < 9; ++r) {
    for (int s = 0; s < 4; ++s) {
      char name[64] = {};
      WORD id = dlg->FaceBitmapId(ranks[r], suits[s]);
      ASSERT_GT(::LoadString(::GetModuleHandle(nullptr), id, name, sizeof name), 0) << id;
      EXPECT_EQ(std::string(name), std::string(rankNames[r]) + " " + suitNames[s]) << id;
      seen.insert(name);
    }
  }
  EXPECT_EQ(seen.size(), 36u);
}

// Whether this system's accessibility library takes the names a program
// gives (Wine's answers E_NOTIMPL to every annotation).
static bool SystemTakesNames(HWND hwnd) {
  HRESULT com = ::CoInitialize(nullptr);
  void* service = nullptr;
  bool takes = false;
  if (SUCCEEDED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, &service))) {
    const WCHAR none[1] = {0};
    takes = static_cast<IAccPropServices*>(service)->SetHwndPropStr(
                hwnd, (DWORD)OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, none) != E_NOTIMPL;
    static_cast<IAccPropServices*>(service)->Release();
  }
  if (SUCCEEDED(com)) {
    ::CoUninitialize();
  }
  return takes;
}

// The counters and the computer's hand are named for a screen reader in
// words, with the plural Russian takes for the number.
TEST_F(CounterTest, CountersAreNamedWithTheRightPlural) {
  struct {
    BYTE deck;
    const char* name;
  } rows[] = {{24, "в колоде 24 карты"}, {21, "в колоде 21 карта"}, {11, "в колоде 11 карт"},
              {12, "в колоде 12 карт"},  {5, "в колоде 5 карт"},    {1, "в колоде 1 карта"},
              {0, "колода кончилась"}};
  testing_seams::ProcessEvents();  // names come with the first paint
  const bool takesNames = SystemTakesNames(Item(IDC_DECK_COUNT));
  for (const auto& row : rows) {
    dlg->m_nDeckCards = row.deck;
    dlg->m_nBeaten = row.deck;
    dlg->m_nComputerCards = row.deck;
    dlg->UpdateCounters();
    EXPECT_EQ(Text(IDC_DECK_LED), row.name);
    EXPECT_EQ(Text(IDC_BEATEN_LED), std::to_string(row.deck));
    if (takesNames) {
      EXPECT_EQ(testing_seams::ReaderName(Item(IDC_COMPUTER_LIST)),
                "карты компьютера: " + std::to_string(row.deck));
    }
  }
}

// A reader meets the table bout by bout, each place saying what lies there;
// the hands say whose they are, and "бито" is heard once, before its count.
TEST_F(CounterTest, AReaderFollowsTheTable) {
  testing_seams::ProcessEvents();  // names come with the first paint
  const std::vector<HWND> order = testing_seams::ReaderOrder(hwnd);
  std::vector<int> places;
  for (size_t i = 0; i < order.size(); ++i) {
    int id = ::GetDlgCtrlID(order[i]);
    if (id >= IDC_ATTACK0 && id <= IDC_DEFENCE5) {
      places.push_back(id);
    }
    if (id == IDC_BEATEN_COUNT) {  // then its label "бито:", then the count
      ASSERT_LT(i + 2, order.size());
      EXPECT_EQ(::GetDlgCtrlID(order[i + 2]), IDC_BEATEN_LED);
    }
  }
  EXPECT_EQ(places, (std::vector<int>{IDC_ATTACK0, IDC_DEFENCE0, IDC_ATTACK1, IDC_DEFENCE1,
                                      IDC_ATTACK2, IDC_DEFENCE2, IDC_ATTACK3, IDC_DEFENCE3,
                                      IDC_ATTACK4, IDC_DEFENCE4, IDC_ATTACK5, IDC_DEFENCE5}));
  if (!SystemTakesNames(Item(IDC_DECK_COUNT))) {
    GTEST_SKIP() << "this system's accessibility library takes no names (SetHwndPropStr)";
  }

  char trump[64] = {};
  ::LoadString(::GetModuleHandle(nullptr), dlg->FaceBitmapId(dlg->m_trump.rank, dlg->m_trump.suit),
               trump, sizeof trump);
  EXPECT_EQ(testing_seams::ReaderName(Item(IDC_TRUMP)), std::string("козырь: ") + trump);
  SetTrump("9d");
  SetPlayerHand({"6s", "Kh", "Ah"});
  SetComputerHand({"7s", "8c", "9c", "10c"});
  dlg->ShowPlayerHand();
  dlg->ShowComputerHand();
  dlg->PlayCard(0);
  ASSERT_EQ(Codes(dlg->m_defence, dlg->m_nDefence), "7s");
  std::vector<std::string> names,
      expected = {"ход 1: шестёрка пик, покрыта", "ход 1 покрыт: семёрка пик"};
  for (int bout = 2; bout <= 6; ++bout) {
    expected.push_back("ход " + std::to_string(bout) + ": пусто");
    expected.push_back("покрытие хода " + std::to_string(bout) + ": пусто");
  }
  int beaten = 0;
  for (HWND h : order) {
    std::string name = testing_seams::ReaderName(h);
    int id = ::GetDlgCtrlID(h);
    if (id >= IDC_ATTACK0 && id <= IDC_DEFENCE5) {
      names.push_back(name);
    }
    beaten += name.find("бито") != std::string::npos;
  }
  EXPECT_EQ(names, expected);
  EXPECT_EQ(beaten, 1);
  EXPECT_EQ(testing_seams::ReaderName(Item(IDC_BEATEN_LED)), "0");
  EXPECT_EQ(testing_seams::ReaderName(Item(IDC_PLAYER_LIST)), "ваши карты");
  EXPECT_EQ(testing_seams::ReaderName(Item(IDC_PLAYER_LIST), 1), "король червей");
  EXPECT_EQ(testing_seams::ReaderName(Item(IDC_COMPUTER_LIST)), "карты компьютера: 3");
  EXPECT_EQ(testing_seams::ReaderName(Item(IDC_BEATEN_PILE)), "отбой");
}
