#!/usr/bin/env python3
"""Works out, independently of the code, the colours the bake golden scripts
expect (bake_lighting.ms, bake_shadows.ms, bake_materials.ms): the wire-colour
material and the standard material under point lights, as plain arithmetic.
Prints each expected colour on the 0..255 scale with two decimals, as the
scripts print them."""
import math

WIRE = (100 / 255, 50 / 255, 200 / 255)


def norm(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def show(c):
    return " ".join(f"{x * 255:.2f}" for x in c)


def clamp(c):
    return tuple(min(1.0, max(0.0, x)) for x in c)


def wire_colour(p, n, lights, ambient, wire=WIRE):
    """The wire-colour material at p with unit normal n, seen from along n:
    the reflection vector is n itself, so the highlight is (R.L)^4 (N.L)."""
    diffuse = [0.0, 0.0, 0.0]
    specular = [0.0, 0.0, 0.0]
    for pos, colour in lights:
        l = norm(sub(pos, p))
        d = dot(n, l)
        if d <= 0:
            continue
        for i in range(3):
            diffuse[i] += colour[i] * d
            specular[i] += colour[i] * d ** 4 * d
    return clamp(tuple((diffuse[i] + 0.3 * ambient[i]) * wire[i] + 0.2 * specular[i] for i in range(3)))


TRIANGLE = [(0, 0, 0), (10, 0, 0), (0, 10, 0)]
UP = (0, 0, 1)
WHITE = (1, 1, 1)
BLACK = (0, 0, 0)
DEFAULT_LIGHTS = [((-900000, -1000000, 1500000), WHITE), ((900000, 1000000, -1500000), WHITE)]


def corners(title, lights, ambient, points=TRIANGLE):
    print(title)
    for p in points:
        print("  ", show(wire_colour(p, UP, lights, ambient)))


def main():
    print("headlight:", show(clamp(tuple(1.1 * w for w in WIRE))))
    print("no light:", show(tuple(0.3 * w for w in WIRE)))
    corners("default lights, black ambient", DEFAULT_LIGHTS, BLACK)
    # A new omni light's colour is (180, 180, 180).
    overhead = [((0, 0, 100), (180 / 255,) * 3)]
    corners("new omni at [0,0,100], black ambient", overhead, BLACK)
    grey = (51 / 255,) * 3
    corners("new omni at [0,0,100], ambient 51", overhead, grey)
    corners("white omni at [0,0,100], black ambient", [((0, 0, 100), WHITE)], BLACK)
    print("light off, ambient 51:", show(tuple(0.3 * grey[i] * WIRE[i] for i in range(3))))
    corners("red omni at [0,0,100], multiplier 0.5, black ambient", [((0, 0, 100), (0.5, 0, 0))], BLACK)
    # Shadows: the light at [3,3,100], white ambient.
    shadow_light = [((3, 3, 100), WHITE)]
    corners("shadow scene lit", shadow_light, WHITE)
    print("shadow scene blocked:", show(tuple(0.3 * w for w in WIRE)))
    # The same mesh's upper triangle, 50 above the lower one.
    upper = [(x, y, 50) for x, y, _ in TRIANGLE]
    corners("upper triangle lit", shadow_light, WHITE, upper)
    # Standard material, headlight: ambient colour x white ambient + diffuse x 0.8
    # (the highlight's level is 0).
    print("standard, checker corners (black, white, white), ambient 0:")
    for c in (BLACK, WHITE, WHITE):
        print("  ", show(tuple(0.8 * x for x in c)))
    diffuse = (0.5, 0.25, 0.125)
    print("standard, diffuse (0.5 0.25 0.125), ambient 0:", show(tuple(0.8 * x for x in diffuse)))
    sub2 = (0.0, 1.0, 0.0)
    print("multi, sub 2 green:", show(tuple(0.8 * x for x in sub2)))


if __name__ == "__main__":
    main()
