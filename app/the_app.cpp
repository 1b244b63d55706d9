// SPDX-License-Identifier: MIT
// The one application object. It lives beside the entry points, not in the
// program's library, so that the program always links it while tests can
// make their own.
#include "app/zorv_app.h"

CZorvApp theApp;
