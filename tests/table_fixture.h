// SPDX-License-Identifier: MIT
// TableTest: the real table window, created modelessly from dialog 102 on
// the offscreen platform so a test can send it messages and read back what
// the player sees. Message boxes are scripted (answers queued with
// QueueMessageBoxAnswer, calls read with BoxTexts) and the deck's generator
// is fixed, so every test starts from the same deal.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/deck.h"
#include "platform/testing.h"
#include "table/zorv_dlg.h"

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_seams::ScriptMessageBoxes(true);
    testing_seams::ClearMessageBoxCalls();
    UseSeededGenerator(1);
    dlg = new CZorvDlg;
    ASSERT_TRUE(dlg->Create(IDD_ZORV_DIALOG));
    ASSERT_NE(dlg->m_hWnd, nullptr);
    hwnd = dlg->m_hWnd;
  }

  void TearDown() override {
    if (dlg) {
      if (dlg->m_hWnd) {
        dlg->DestroyWindow();
      }
      delete dlg;
      dlg = nullptr;
    }
    g_pfnDeckRandom = nullptr;
    testing_seams::ClearMessageBoxCalls();
    testing_seams::ScriptMessageBoxes(false);
  }

  // --- The deck's generator (takes effect at the next deal). ---

  // A small linear congruential generator: a mixed deal that repeats.
  static void UseSeededGenerator(unsigned seed) {
    Seed() = seed;
    g_pfnDeckRandom = [] {
      Seed() = Seed() * 1103515245u + 12345u;
      return (int)((Seed() >> 16) & 0x7fff);
    };
  }
  // Always 0: the deck comes out as the fresh order turned by one place.
  static void UseZeroGenerator() {
    g_pfnDeckRandom = [] { return 0; };
  }
  static unsigned& Seed() {
    static unsigned seed = 1;
    return seed;
  }

  // --- Cards. ---

  // A card by its rank and suit texts ("10", "hearts"), with the shared
  // texts and the face handle the deck itself uses.
  Card CardOf(const char* rank, const char* suit) {
    Card card = {nullptr, nullptr, nullptr};
    for (const char* text : g_aszRanks) {
      if (strcmp(text, rank) == 0) {
        card.rank = text;
      }
    }
    for (const char* text : g_aszSuits) {
      if (strcmp(text, suit) == 0) {
        card.suit = text;
      }
    }
    EXPECT_TRUE(card.rank && card.suit) << rank << " of " << suit;
    if (card.rank && card.suit) {
      card.hBitmap = dlg->CachedBitmap(dlg->FaceBitmapId(card.rank, card.suit));
    }
    return card;
  }
  // Short form: rank then the suit's initial, "10h", "As", "6d", "Qc".
  Card C(const std::string& code) {
    static const char* const kSuits[] = {"hearts", "diamonds", "clubs", "spades"};
    std::string rank = code.substr(0, code.size() - 1);
    char initial = code.empty() ? '?' : code.back();
    for (const char* suit : kSuits) {
      if (suit[0] == initial) {
        return CardOf(rank.c_str(), suit);
      }
    }
    ADD_FAILURE() << "no suit in " << code;
    return Card{nullptr, nullptr, nullptr};
  }

 public:
  // The short form of a card, "?" for an entry that holds none.
  static std::string Code(const Card& card) {
    if (!card.rank || !card.suit) {
      return "?";
    }
    return std::string(card.rank) + card.suit[0];
  }
  // The first n cards of a row, as "6s 7s 10c".
  static std::string Codes(const Card* row, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
      text += (i ? " " : "") + Code(row[i]);
    }
    return text;
  }

 protected:
  std::string PlayerHand() const { return Codes(dlg->m_playerHand, dlg->m_nPlayerCards); }
  std::string ComputerHand() const { return Codes(dlg->m_computerHand, dlg->m_nComputerCards); }

  // --- Arranging a position. ---

  // Puts the cards in a hand and marks every later entry empty, as the
  // game keeps its hands.
  void SetHand(Card* hand, BYTE& count, std::initializer_list<const char*> codes) {
    count = 0;
    for (const char* code : codes) {
      hand[count++] = C(code);
    }
    for (int i = count; i < 36; ++i) {
      hand[i].hBitmap = dlg->m_hbmEmpty;
    }
  }
  void SetPlayerHand(std::initializer_list<const char*> codes) {
    SetHand(dlg->m_playerHand, dlg->m_nPlayerCards, codes);
  }
  void SetComputerHand(std::initializer_list<const char*> codes) {
    SetHand(dlg->m_computerHand, dlg->m_nComputerCards, codes);
  }
  // The trump card (and so the trump suit), e.g. SetTrump("9d").
  void SetTrump(const char* code) { dlg->m_trump = C(code); }
  // The stock as these cards, m_deck[0] first (the bottom, the trump card).
  void SetStock(std::initializer_list<const char*> codes) {
    dlg->m_nDeckCards = 0;
    for (const char* code : codes) {
      dlg->m_deck[dlg->m_nDeckCards++] = C(code);
    }
  }
  void SetAttack(std::initializer_list<const char*> codes) {
    dlg->m_nAttack = 0;
    for (const char* code : codes) {
      dlg->m_attack[dlg->m_nAttack++] = C(code);
    }
  }
  void SetDefence(std::initializer_list<const char*> codes) {
    dlg->m_nDefence = 0;
    for (const char* code : codes) {
      dlg->m_defence[dlg->m_nDefence++] = C(code);
    }
  }

  // --- Acting as the player does. ---

  // A menu command or accelerator (WM_COMMAND from a menu).
  void Command(int id) { ::SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // A click on a push button (BN_CLICKED) or a notify static (STN_CLICKED).
  void Click(int id) {
    ::SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id));
  }

  // --- Reading what the player sees. ---

  HWND Item(int id) const { return ::GetDlgItem(hwnd, id); }
  HBITMAP Image(int id) const {
    return (HBITMAP)::SendMessage(Item(id), STM_GETIMAGE, IMAGE_BITMAP, 0);
  }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
  std::string Text(int id) const {
    char buffer[256] = {};
    ::GetDlgItemText(hwnd, id, buffer, sizeof buffer);
    return buffer;
  }
  std::string Hint() const { return Text(IDC_HINT); }
  int ItemCount(int listId) const {
    return (int)::SendMessage(Item(listId), LVM_GETITEMCOUNT, 0, 0);
  }
  // The texts of the message boxes shown so far, in order.
  static std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& call : testing_seams::MessageBoxCalls()) {
      texts.push_back(call.text);
    }
    return texts;
  }
  // Whether the window has been ended (EndDialog), and with what.
  bool Ended(INT_PTR* result = nullptr) const {
    INT_PTR value = 0;
    bool ended = testing_seams::DialogEnded(hwnd, &value);
    if (result) {
      *result = value;
    }
    return ended;
  }

  CZorvDlg* dlg = nullptr;
  HWND hwnd = nullptr;
};
