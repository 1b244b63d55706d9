// SPDX-License-Identifier: MIT
// What a click costs: the player's card with the computer's answer and both
// views rebuilt, and a whole game through the handlers.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QCoreApplication>
#include <algorithm>
#include <vector>

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
  // How the window is brought up to date after each handler: not at all,
  // by Qt's own event loop (as the running program is), or through the
  // test seam's ProcessEvents (as the tests are).
  enum Update { kNone = 0, kQtLoop = 1, kSeam = 2 };
  static void Bring(Update update) {
    if (update == kQtLoop) {
      QCoreApplication::processEvents();
    } else if (update == kSeam) {
      testing_seams::ProcessEvents();
    }
  }

  // A simple player: leads its first card, ends its attack at once, covers
  // with the first card that beats, or takes. Each handler is followed by
  // the update; onHandler, when given, hears the CPU time of both together.
  // Returns the handlers run.
  int PlayGame(Update update, std::vector<double>* cpuMs = nullptr) {
    int handlers = 0;
    while (dlg.m_nGameResult != 4 && handlers < 2000) {
      ++handlers;
      const double start = cpuMs ? ThreadCpuMs() : 0;
      Act();
      Bring(update);
      if (cpuMs) {
        cpuMs->push_back(ThreadCpuMs() - start);
      }
    }
    testing_seams::ClearMessageBoxCalls();
    return handlers;
  }

  void Act() {
    if (!dlg.m_bComputerAttacks) {
      if (dlg.m_nAttack > 0) {
        Press(IDC_BEATEN);
      } else {
        ClickItem(0);
      }
      return;
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

  static double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
  }

  CZorvDlg dlg;
};

// The lead of a fresh deal: the click's handler and the computer's answer,
// then the window brought up to date as Table::Update says (0: not at all,
// 1: Qt's event loop, 2: the seam's ProcessEvents).
void BM_LeadClick(benchmark::State& state) {
  const auto update = (Table::Update)state.range(0);
  Table table;
  unsigned seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    table.Deal(seed++);
    testing_seams::ProcessEvents();
    state.ResumeTiming();
    table.ClickItem(0);
    Table::Bring(update);
  }
}
BENCHMARK(BM_LeadClick)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Whole games from the deal to the result, through the handlers, the window
// brought up to date after every handler as BM_LeadClick's argument. Each
// iteration plays the same hundred deals, so that every iteration, and every
// repetition, does the same work: the spread is the machine's alone.
double Lowest(const std::vector<double>& v) {
  return *std::min_element(v.begin(), v.end());
}
double Highest(const std::vector<double>& v) {
  return *std::max_element(v.begin(), v.end());
}

void BM_WholeGame(benchmark::State& state) {
  constexpr unsigned kDeals = 100;
  Table table;
  long handlers = 0;
  for (auto _ : state) {
    for (unsigned seed = 1; seed <= kDeals; ++seed) {
      table.Deal(seed);
      handlers += table.PlayGame((Table::Update)state.range(0));
    }
  }
  const double games = (double)state.iterations() * kDeals;
  state.counters["handlers/game"] = benchmark::Counter((double)handlers / games);
  state.counters["games/s"] = benchmark::Counter(games, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeGame)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ComputeStatistics("min", Lowest)
    ->ComputeStatistics("max", Highest)
    ->ReportAggregatesOnly(true);

// The answer to every click of 1,000 games, each with its update, as CPU
// time of this thread: the median and the 99th percentile of the clicks.
void BM_ClickAnswerCpu(benchmark::State& state) {
  const auto update = (Table::Update)state.range(0);
  std::vector<double> cpuMs;
  for (auto _ : state) {
    Table table;
    cpuMs.clear();
    for (unsigned seed = 1; seed <= 1000; ++seed) {
      table.Deal(seed);
      Table::Bring(update);
      table.PlayGame(update, &cpuMs);
    }
  }
  std::sort(cpuMs.begin(), cpuMs.end());
  auto at = [&](double q) { return cpuMs.empty() ? 0.0 : cpuMs[(size_t)(q * (cpuMs.size() - 1))]; };
  state.counters["clicks"] = (double)cpuMs.size();
  state.counters["p50_ms"] = at(0.50);
  state.counters["p99_ms"] = at(0.99);
  state.counters["max_ms"] = cpuMs.empty() ? 0.0 : cpuMs.back();
}
BENCHMARK(BM_ClickAnswerCpu)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
