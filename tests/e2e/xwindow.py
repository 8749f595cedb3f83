#!/usr/bin/python3
"""What the end-to-end check needs from the X server beyond xdotool and xclip.

  xwindow.py thumbs WINDOW TOP BOTTOM
      Looks at the window as a person would and prints the centres of the slider thumbs between the
      pixel rows TOP and BOTTOM, left to right, one "x y" per line. A thumb is the light face of the
      handle, whose left column is pure white for at least six rows; the face ends at its dark border.
  xwindow.py close WINDOW
      Asks the window to close the way a window manager's close box does: a WM_DELETE_WINDOW client
      message, so that the program runs its own close handling.

The display is the one in DISPLAY; WINDOW is a window id as xdotool prints it.
"""
import re
import sys

from Xlib import X, display, protocol

SHORTEST_FACE = 6  # rows of white a handle's face has at least
WHITE = (255, 255, 255)
LIGHTEST_BACKGROUND = 241  # the face is lighter than the window behind it


def thumbs(d, window, top, bottom):
    width, height = window.get_geometry().width, bottom - top + 1
    data = window.get_image(0, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
    if len(data) < width * height * 4:
        raise SystemExit("unexpected image format")

    def colour(x, y):
        at = (y * width + x) * 4
        return data[at + 2], data[at + 1], data[at]  # stored blue, green, red

    def face(x, y):
        red, green, blue = colour(x, y)
        return red == green == blue > LIGHTEST_BACKGROUND

    # Columns that hold a run of white, with the run's middle row.
    runs = {}
    for x in range(width):
        column = "".join("w" if colour(x, y) == WHITE else "." for y in range(height))
        run = re.search("w{%d,}" % SHORTEST_FACE, column)
        if run:
            runs[x] = (run.start() + run.end() - 1) // 2
    # Neighbouring white columns are one handle; its face runs right from the first to the border.
    for left in sorted(x for x in runs if x - 1 not in runs):
        y = runs[left]
        right = left
        while right + 1 < width and face(right + 1, y):
            right += 1
        print((left + right) // 2, top + y)


def close(d, window):
    protocols = d.intern_atom("WM_PROTOCOLS")
    delete = d.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    d.sync()


def main():
    commands = {"thumbs": thumbs, "close": close}
    if len(sys.argv) < 3 or sys.argv[1] not in commands:
        raise SystemExit(__doc__)
    d = display.Display()
    window = d.create_resource_object("window", int(sys.argv[2], 0))
    commands[sys.argv[1]](d, window, *map(int, sys.argv[3:]))


if __name__ == "__main__":
    main()
