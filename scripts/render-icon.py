#!/usr/bin/env python3
# Renders data/icons/tavrel-macro-creator.svg into the committed PNG sizes of
# data/icons/png, with the librsvg and cairo of the desktop (no Python packages):
#   python3 scripts/render-icon.py data/icons/tavrel-macro-creator.svg data/icons/png
import ctypes, sys
rsvg = ctypes.CDLL("librsvg-2.so.2"); cairo = ctypes.CDLL("libcairo.so.2")
rsvg.rsvg_handle_new_from_file.restype = ctypes.c_void_p
rsvg.rsvg_handle_new_from_file.argtypes = [ctypes.c_char_p, ctypes.c_void_p]
cairo.cairo_image_surface_create.restype = ctypes.c_void_p
cairo.cairo_create.restype = ctypes.c_void_p
cairo.cairo_create.argtypes = [ctypes.c_void_p]
cairo.cairo_scale.argtypes = [ctypes.c_void_p, ctypes.c_double, ctypes.c_double]
rsvg.rsvg_handle_render_cairo.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
cairo.cairo_surface_write_to_png.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
cairo.cairo_destroy.argtypes = [ctypes.c_void_p]; cairo.cairo_surface_destroy.argtypes = [ctypes.c_void_p]
src, outdir = sys.argv[1], sys.argv[2]
h = rsvg.rsvg_handle_new_from_file(src.encode(), None)
assert h
for size in (16, 24, 32, 48, 64, 128, 256):
    s = cairo.cairo_image_surface_create(0, size, size)  # ARGB32
    c = cairo.cairo_create(s)
    cairo.cairo_scale(c, size / 128.0, size / 128.0)
    assert rsvg.rsvg_handle_render_cairo(h, c)
    cairo.cairo_surface_write_to_png(s, f"{outdir}/{size}x{size}.png".encode())
    cairo.cairo_destroy(c); cairo.cairo_surface_destroy(s)
