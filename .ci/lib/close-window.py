#!/usr/bin/env python3
"""Asks an X window to close as a window manager does: sends it the
WM_PROTOCOLS client message WM_DELETE_WINDOW, which a program answers as a
click on its close button. (xdotool windowclose destroys the window instead,
and wmctrl -c needs a window manager to pass the request on.)

usage: close-window.py WINDOW_ID
"""
import sys

from Xlib import X, display
from Xlib.protocol import event

d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
message = event.ClientMessage(window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
                              data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=0)
d.flush()
