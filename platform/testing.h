// SPDX-License-Identifier: MIT
// Test seams of the layer. Harmless in the program: nothing here is active
// until a test switches it on.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace testing_seams {

// The message spy: an ordered record of the messages sent (SendMessage) to
// child controls while it runs.
struct SpiedMessage {
  HWND hwnd;
  int controlId;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
void StartMessageSpy();
std::vector<SpiedMessage> StopMessageSpy();

// Scripted message boxes: while scripting is on, MessageBox shows nothing,
// records the call and returns the next queued answer (or, when none is
// queued, IDOK for MB_OK / IDOK-first boxes and IDYES for yes/no boxes).
struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
  int answer;
};
void ScriptMessageBoxes(bool on);
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxCall>& MessageBoxCalls();
void ClearMessageBoxCalls();

// Runs the window system's pending work: lazy widget updates, paints, posted
// messages and timers that are due.
void ProcessEvents();

// Runs fn once the window system next waits for input: inside a modal loop
// that is about to start, this is the way to act on the running dialog.
void RunWhenIdle(std::function<void()> fn);

// The dialog whose modal loop runs innermost, or NULL.
HWND ActiveModalDialog();

// EndDialog on a dialog that runs without a modal loop (CreateDialogParam, as
// tests create windows) records its result and hides it: this reads it back.
bool DialogEnded(HWND hDlg, INT_PTR* result);

// Real input, delivered through the window system as a user's would be.
// Points are in the client coordinates of the window given.
// Separate clicks are far enough apart in time never to make a double click;
// MouseDoubleClick puts gapMs between its two clicks.
void MouseClick(HWND hWnd, int x, int y);
void MouseDoubleClick(HWND hWnd, int x, int y, unsigned gapMs);
void MouseDrag(HWND hWnd, int x, int y, int toX, int toY);  // press, move, release
void MouseMove(HWND hWnd, int x, int y);
void KeyPress(HWND hWnd, int virtualKey, bool shift = false);
// Keys typed one after another before the program looks at any: what a
// modal loop the first of them starts (the menu's) reads the rest.
void KeySequence(HWND hWnd, const std::vector<int>& virtualKeys);
void CloseBox(HWND hWnd);  // the close box of a top-level window

// Writes what the window shows (with its children and menu bar) to a PNG file.
bool SaveWindowImage(HWND hWnd, const char* pngPath);

// What the window's client area shows on the screen, children included:
// rows from the top, each pixel as RGB(r, g, b); empty when unreadable.
struct ClientImage {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? pixels[(size_t)(y * width + x)]
                                                       : CLR_INVALID;
  }
};
// In the screen's own pixels (more than one a window pixel on a dense screen).
ClientImage GrabClient(HWND hWnd);

// The text of the tooltip on the screen, or "" when none shows.
std::string ShownTooltip();

// Whether the system under the tests is Wine's rendering of Windows, whose
// controls differ from Windows' own in a few known ways; the tests that
// allow for one say which.
bool SystemIsWine();

// The GDI and USER objects the process holds now, as counted against its
// quotas; -1 for a count the system does not give (Wine answers 0 for both,
// and there the USER count is the windows of this thread).
struct GuiObjectCount {
  int gdi = -1;
  int user = -1;
};
GuiObjectCount GuiObjects();

// How many bitmaps' sharper copies our layer has decoded so far (it does so
// when a screen of more than one device pixel a pixel first draws one; the
// window's icon goes to the desktop at every size when the window shows).
int SharperCopiesDecoded();

// What a screen reader is told, read through the system's accessibility
// interfaces: the name of a window's object (child 0) or of its item child
// (1 for the first); and a window's child windows in the order a reader
// meets them.
std::string ReaderName(HWND hwnd, LONG child = 0);
std::vector<HWND> ReaderOrder(HWND parent);

}  // namespace testing_seams
