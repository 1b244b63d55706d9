// SPDX-License-Identifier: MIT
// What a click costs: the player's card with the computer's answer and both
// views rebuilt, and a whole game through the handlers.
#include <benchmark/benchmark.h>

#include "game/deck.h"
#include "platform/testing.h"
#include "table/zorv_dlg.h"

namespace {

unsigned g_seed = 1;
int SeededRandom() {
  g_seed = g_seed * 1103515245u + 12345u;
  return (int)((g_seed >> 16) & 0x7fff);
}

// The table window, open offscreen, with message boxes answered by the seam.
class Table {
 public:
  Table() {
    testing_seams::ScriptMessageBoxes(true);
    g_pfnDeckRandom = SeededRandom;
    dlg.Create(IDD_ZORV_DIALOG);
    testing_seams::ProcessEvents();
  }
  ~Table() {
    dlg.DestroyWindow();
    g_pfnDeckRandom = nullptr;
    testing_seams::ClearMessageBoxCalls();
    testing_seams::ScriptMessageBoxes(false);
  }
  // The end of a game hides the window (the program would open a fresh
  // one), so it is shown again for the next deal.
  void Deal(unsigned seed) {
    g_seed = seed;
    dlg.ShowWindow(SW_SHOW);
    dlg.NewGame();
  }
  // The messages a click on hand item i sends.
  void ClickItem(int i) {
    dlg.m_listPlayer.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    NMHDR nm{::GetDlgItem(dlg.m_hWnd, IDC_PLAYER_LIST), IDC_PLAYER_LIST, (UINT)NM_CLICK};
    ::SendMessage(dlg.m_hWnd, WM_NOTIFY, IDC_PLAYER_LIST, (LPARAM)&nm);
  }
  void Press(int id) {
    ::SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                  (LPARAM)::GetDlgItem(dlg.m_hWnd, id));
  }
  // A simple player: leads its first card, ends its attack at once, covers
  // with the first card that beats, or takes. Returns the handlers run.
  int PlayGame(bool updateWidgets) {
    int handlers = 0;
    while (dlg.m_nGameResult != 4 && handlers < 2000) {
      ++handlers;
      if (updateWidgets) {
        testing_seams::ProcessEvents();
      }
      if (!dlg.m_bComputerAttacks) {
        if (dlg.m_nAttack > 0) {
          Press(IDC_BEATEN);
        } else {
          ClickItem(0);
        }
        continue;
      }
      int i = 0;
      while (i < dlg.m_nPlayerCards &&
             !dlg.CanBeat(dlg.m_playerHand, (BYTE)i, dlg.m_attack, (BYTE)(dlg.m_nAttack - 1))) {
        ++i;
      }
      if (i < dlg.m_nPlayerCards) {
        ClickItem(i);
      } else {
        Press(IDC_TAKE);
      }
    }
    testing_seams::ClearMessageBoxCalls();
    return handlers;
  }

  CZorvDlg dlg;
};

// The lead of a fresh deal: the click's handler and the computer's answer;
// with argument 1 also the window brought up to date afterwards, as before
// the next paint.
void BM_LeadClick(benchmark::State& state) {
  const bool updateWidgets = state.range(0) != 0;
  Table table;
  unsigned seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    table.Deal(seed++);
    testing_seams::ProcessEvents();
    state.ResumeTiming();
    table.ClickItem(0);
    if (updateWidgets) {
      testing_seams::ProcessEvents();
    }
  }
}
BENCHMARK(BM_LeadClick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A whole game from the deal to the result, through the handlers; with the
// argument 1 the window is brought up to date after every handler.
void BM_WholeGame(benchmark::State& state) {
  Table table;
  unsigned seed = 1;
  long handlers = 0;
  for (auto _ : state) {
    table.Deal(seed++);
    handlers += table.PlayGame(state.range(0) != 0);
  }
  state.counters["handlers/game"] =
      benchmark::Counter((double)handlers / (double)state.iterations());
}
BENCHMARK(BM_WholeGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
