# SPDX-License-Identifier: MIT
# What the readers of tests/a11y/ share: the running program on the
# accessibility bus.
import sys
import time

import pyatspi


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(80):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "zorv" and app.childCount:
                return app
        time.sleep(0.25)
    sys.exit("the program did not appear on the accessibility bus")
