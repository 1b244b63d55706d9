// SPDX-License-Identifier: MIT
// The platform's headers define their GUIDs where this comes first; the
// stand-in oleacc.h defines them inline, so there is nothing to switch on.
#pragma once
