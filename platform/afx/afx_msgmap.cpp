// SPDX-License-Identifier: MIT
// Message-map lookup and the dispatch bookkeeping around every message.
#include "afx_state.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

static bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, UINT code, UINT id) {
  if (entry.nMessage != message || entry.nCode != code) {
    return false;
  }
  // Commands and notifications are addressed by id; other messages (the
  // reflected ones included) concern the window itself.
  if (message == WM_COMMAND || message == WM_NOTIFY) {
    return id >= entry.nID && id <= entry.nLastID;
  }
  return true;
}

BOOL CCmdTarget::DispatchMapMessage(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                                    LRESULT* result) {
  LRESULT ignored = 0;
  if (!result) {
    result = &ignored;
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry && entry->pfn; ++entry) {
      if (Matches(*entry, message, code, id)) {
        return entry->pfn(this, wParam, lParam, result);
      }
    }
  }
  return FALSE;
}

UINT AfxCtlColorIndex() {
  return AfxGetState().ctlColorIndex;
}

// ---------------------------------------------------------------------------

AfxState& AfxGetState() {
  // Never destroyed: windows and wrappers may outlive other statics. The
  // cleaner below frees the temporaries at exit.
  static AfxState* state = new AfxState;
  struct Cleaner {
    ~Cleaner() { AfxDeleteTempObjects(true); }
  };
  static Cleaner cleaner;
  return *state;
}

AfxDispatchScope::AfxDispatchScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  AfxState& state = AfxGetState();
  m_saved = state.currentMsg;
  state.currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
  ++state.dispatchDepth;
}

AfxDispatchScope::~AfxDispatchScope() {
  AfxState& state = AfxGetState();
  state.currentMsg = m_saved;
  if (--state.dispatchDepth == 0) {
    if (state.windowsDestroyed) {
      AfxSweepDeadWindows();
    }
    AfxDeleteTempObjects(false);
  }
}

void AfxDeleteTempObjects(bool atExit) {
  AfxState& state = AfxGetState();
  for (auto it = state.tempDCs.begin(); it != state.tempDCs.end();) {
    if (atExit || it->second.second) {
      CDC* dc = it->second.first;
      dc->Detach();
      delete dc;
      it = state.tempDCs.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = state.tempGdi.begin(); it != state.tempGdi.end();) {
    if (atExit || it->second.second) {
      CGdiObject* object = it->second.first;
      object->Detach();
      delete object;
      it = state.tempGdi.erase(it);
    } else {
      ++it;
    }
  }
  for (CWnd* wnd : state.zombieWnds) {
    wnd->m_hWnd = nullptr;
    delete wnd;
  }
  state.zombieWnds.clear();
  if (atExit) {
    for (auto& [hWnd, wnd] : state.tempWnds) {
      wnd->m_hWnd = nullptr;
      delete wnd;
    }
    state.tempWnds.clear();
  }
}

void AfxSweepDeadWindows() {
  AfxState& state = AfxGetState();
  state.windowsDestroyed = false;
  for (auto it = state.tempWnds.begin(); it != state.tempWnds.end();) {
    if (!::IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      delete it->second;
      it = state.tempWnds.erase(it);
    } else {
      ++it;
    }
  }
  std::vector<CWnd*> dead;
  for (auto& [hWnd, wnd] : state.permanentWnds) {
    if (!::IsWindow(hWnd)) {
      dead.push_back(wnd);
    }
  }
  for (CWnd* wnd : dead) {
    AfxForgetDeadWindow(wnd);
  }
}
