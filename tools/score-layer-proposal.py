#!/usr/bin/env python3
"""Scores `ravesect interpret` on synthetic sections whose true ground is known.

Every seed makes one section: a 2-D ground model (fill over natural units of different soil groups
whose boundaries dip and undulate, units that thin out between two soundings, lenses inside or
between units), 5 to 9 soundings at irregular distances and ground elevations, and a sounding file
(.sdw, JACIC soil names, Wsw/Na rows that fit each soil) for each. The section is built with
`ravesect build`, proposed with `ravesect interpret --replace --json` and read back with
`ravesect info`. The score is the share of the section between neighbouring soundings (from the
ground line down to the shallower of the two sounding bottoms) whose drawn layer is the true unit:
each drawn layer stands for the true unit it overlaps most, a point no layer covers is wrong.

The same scorer rates, for comparison (--baselines), two simple correlations: joining the units of
neighbouring soundings by their order ("order"), and extending each sounding's units to halfway to its
neighbours ("nearest"); and the true correlation drawn with straight lines ("linked"), the most that
straight boundaries between the soundings can reach. With --realistic, "ceiling" is "linked" where
both logs reach and, under the shallower log's end, the deeper log's true units moved by what the
shallower log's deepest boundary shows: the most any correlation of the logs can score. Exit status 1 when --min-mean or --min-each fail.

With --realistic the logs are written as offices write them: a few borings (.jdw, 15-20 m) describe
the soil (シルト質粘土, シルト混り砂, 玉石混り砂礫: the main soil decides), soundings of 4-10 m name the
family only (粘性土, 砂質土, 礫質土), single logs show thin bands of another soil that are not ground,
cohesive units lie on each other more often (one 粘性土 to a sounding), and the score reaches down to
the line between the two logs' ends. "beyond" counts the symbols proposed beyond the true units (lenses
included) that the scored part holds; --max-beyond fails on its mean.

  tools/score-layer-proposal.py --ravesect build/apps/ravesect [--seeds 1-30] [--baselines] [--realistic]
                                [--min-mean 95 --min-each 90 --max-beyond 1] [--keep DIR]
"""

import argparse
import bisect
import json
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Soil names of the JACIC table (data/WdtvxJG.mst) by the group the proposal should give them.
NAMES = {
    "fill": ["盛土", "埋土", "造成土", "埋戻し土"],
    "organic": ["有機質土", "腐植土", "泥炭"],
    "loam": ["ローム", "火山灰質粘性土", "黒ボク"],
    "gravel": ["礫", "砂礫", "細礫", "中礫"],
    "sand": ["砂", "細砂", "中砂", "砂質土"],
    "silt": ["シルト"],
    "clay": ["粘土", "粘性土", "硬質粘土"],
}
# Realistic logs: a boring's descriptive names (the main soil decides the group), a sounding's
# estimate by family only.
BORING_NAMES = {
    "fill": ["盛土", "埋土"],
    "organic": ["腐植土", "泥炭"],
    "loam": ["ローム", "火山灰質粘性土"],
    "gravel": ["玉石混り砂礫", "砂礫", "礫混り砂礫"],
    "sand": ["シルト混り砂", "細砂", "礫混り砂", "中砂"],
    "silt": ["粘土質シルト", "砂質シルト", "シルト"],
    "clay": ["シルト質粘土", "砂混り粘土", "粘土"],
}
# The pattern a boring log stores with each name: that of its main soil.
MAIN_SOIL = {"玉石混り砂礫": "砂礫", "礫混り砂礫": "砂礫", "シルト混り砂": "砂", "礫混り砂": "砂",
             "粘土質シルト": "シルト", "砂質シルト": "シルト", "シルト質粘土": "粘土", "砂混り粘土": "粘土"}
SOUNDING_NAME = {"fill": "盛土", "organic": "粘性土", "loam": "粘性土", "silt": "粘性土", "clay": "粘性土",
                 "sand": "砂質土", "gravel": "礫質土"}
FAMILY = {"fill": "fill", "organic": "cohesive", "loam": "cohesive", "silt": "cohesive", "clay": "cohesive",
          "sand": "sand", "gravel": "gravel"}
# A boring's N per group: lowest and highest.
BORING_N = {"fill": (2, 8), "organic": (0, 2), "loam": (3, 6), "clay": (1, 6), "silt": (3, 10),
            "sand": (8, 30), "gravel": (30, 50)}
NATURAL = ["sand", "clay", "silt", "gravel", "organic", "loam"]
NATURAL_WEIGHTS = [5, 5, 3, 2, 1.5, 1.5]
SANDY = {"fill", "gravel", "sand"}
# Where a group lies along gravel .. clay .. organic soil (the proposal merges thin units the same way).
POSITION = {"gravel": 0, "sand": 1, "fill": 1.5, "silt": 2, "clay": 3, "loam": 3.5, "organic": 4}
# Sounding resistance per group: (share of self-sinking rows, lowest and highest Nsw).
RESISTANCE = {
    "fill": (0.05, 15, 60),
    "organic": (0.75, 0, 10),
    "loam": (0.15, 8, 35),
    "clay": (0.35, 0, 20),
    "silt": (0.1, 10, 45),
    "sand": (0.0, 40, 150),
    "gravel": (0.0, 120, 300),
}
MIN_THICKNESS = 0.3


def soil_patterns():
    """The pattern text of every soil name of the JACIC table."""
    patterns = {}
    for line in (ROOT / "data" / "WdtvxJG.mst").read_bytes().decode("cp932").splitlines():
        fields = line.split(",")
        if len(fields) >= 3 and fields[1] == "_":
            patterns.setdefault(fields[0], fields[2])
    return patterns


def ramp(value):
    return min(1.0, max(0.0, value))


class Section:
    """The true ground of one seed and its soundings."""

    def __init__(self, seed, realistic=False):
        rng = random.Random(seed)
        self.seed = seed
        self.realistic = realistic
        count = rng.randint(5, 9)
        xs = [0.0]
        for _ in range(count - 1):
            xs.append(round(xs[-1] + rng.uniform(15.0, 45.0), 1))
        self.xs = xs
        self.length = xs[-1]
        slope = rng.uniform(-0.04, 0.04)
        self.grounds = [round(20.0 + slope * x + rng.uniform(-1.0, 1.0), 2) for x in xs]
        self.depths = [round(rng.uniform(6.0, 12.0), 2) for _ in xs]
        # Realistic: a few borings of 15-20 m (the two ends or inner places), soundings of 4-10 m.
        self.borings = set()
        if realistic:
            want = max(2, round(count * rng.uniform(0.25, 0.45)))
            self.borings = set(rng.sample(range(count), want))
            self.depths = [round(rng.uniform(15.0, 20.0), 2) if c in self.borings
                           else round(rng.uniform(4.0, 10.0), 2) for c in range(count)]
        gaps = [b - a for a, b in zip(xs, xs[1:])]

        # Units top down: fill (most sections), then natural units with groups that never repeat
        # within two places, so that a unit thinning out leaves two different units touching.
        self.units = []
        self.fill = rng.random() < 0.85
        if self.fill:
            base = rng.uniform(0.4, 1.4)
            self.fill_thickness = [max(0.3, base + rng.uniform(-0.4, 0.4)) for _ in xs]
            self.units.append({"group": "fill"})
        self.dip = rng.choice([-1, 1]) * rng.uniform(2.0, 7.0) / self.length  # drop over the section, m
        # Boundaries run straight between soundings and bend at them, by up to `bend` m.
        bend = rng.uniform(0.8, 2.5)
        self.undulation = [rng.uniform(-bend, bend) for _ in xs]
        # The natural sequence starts just under the fill; where it rises above, its top is cut.
        self.top = 0.0
        rises = sorted(self.natural_top(x) - self.erosion(x) for x in [self.length * k / 50 for k in range(51)])
        self.top = rng.uniform(-0.8, 0.4) - rises[int(rng.uniform(0.4, 1.0) * 50)]
        total = 0.0
        natural = []
        while total < max(self.depths) + abs(self.dip) * self.length + 4.0 or len(natural) < 4:
            choices = [g for g in NATURAL if g not in natural[-2:]]
            weights = [NATURAL_WEIGHTS[NATURAL.index(g)] for g in choices]
            group = rng.choices(choices, weights)[0]
            if realistic and natural and FAMILY[natural[-1]] == "cohesive" and rng.random() < 0.35:
                # Two cohesive units one above the other: a sounding sees one.
                near = [g for g in choices if FAMILY[g] == "cohesive"]
                group = rng.choice(near) if near else group
            base = rng.uniform(0.6, 2.0) if group == "organic" else rng.uniform(1.0, 4.0)
            unit = {
                "group": group,
                "base": base,
                "wave": [rng.uniform(-0.45, 0.45) for _ in xs],
                "trend": rng.uniform(-0.4, 0.4),
                "pinch": None,
            }
            kind = rng.random()
            if kind < 0.45 and natural:
                gap = rng.randrange(len(gaps))
                edge = xs[gap] + rng.uniform(0.25, 0.75) * gaps[gap]
                taper = rng.uniform(0.4, 2.0) * gaps[gap]
                unit["pinch"] = ("left" if rng.random() < 0.5 else "right", edge, taper)
            elif kind < 0.65 and natural and len(gaps) >= 3:
                first = rng.randrange(len(gaps) - 1)
                last = rng.randrange(first + 1, len(gaps))
                left = xs[first] + rng.uniform(0.25, 0.75) * gaps[first]
                right = xs[last] + rng.uniform(0.25, 0.75) * gaps[last]
                unit["pinch"] = ("window", left, right, rng.uniform(0.4, 1.5) * min(gaps))
            if natural and self.units[-1]["pinch"]:
                unit["pinch"] = None  # one missing unit at a time: its neighbours are always different
            natural.append(group)
            self.units.append(unit)
            total += base

        first = self.units[1 if self.fill else 0]["base"]
        self.top = min(self.top, 0.8 * first - rises[-1])

        # Lenses: seen in one sounding, ending before its neighbours; inside a unit or across the
        # boundary of two.
        self.lenses = []
        for _ in range(rng.choice([1, 1, 2, 2])):
            c = rng.randrange(count)
            near = min(gaps[c - 1] if c > 0 else 1e9, gaps[c] if c < len(gaps) else 1e9)
            centre = xs[c] + rng.uniform(-0.15, 0.15) * near
            half = rng.uniform(0.3, 0.75) * near
            bounds = self.boundaries(xs[c])
            hosts = [k for k in range(len(self.units)) if bounds[k] - bounds[k + 1] > 1.5
                     and bounds[k + 1] > self.grounds[c] - self.depths[c] + 0.5 and bounds[k] < self.grounds[c]]
            if not hosts:
                continue
            host = rng.choice(hosts)
            across = rng.random() < 0.3 and host + 1 < len(self.units)
            share = 1.0 if across else rng.uniform(0.3, 0.7)
            hostThickness = bounds[host] - bounds[host + 1]
            height = rng.uniform(0.5, min(1.6, 0.6 * hostThickness))
            avoid = {self.units[host]["group"]}
            if across:
                avoid.add(self.units[host + 1]["group"])
            group = rng.choice([g for g in NATURAL if g not in avoid])
            self.lenses.append({"group": group, "centre": centre, "half": half, "host": host,
                                "share": share, "height": height})
        for unit in self.units + self.lenses:
            unit["names"] = (BORING_NAMES if realistic else NAMES)[unit["group"]][:]
            rng.shuffle(unit["names"])
            unit["level"] = rng.uniform(0.2, 0.8)
        self.rng = rng

    def along(self, values, x):
        """Values given at the soundings, straight between them."""
        k = max(0, min(len(self.xs) - 2, bisect.bisect_right(self.xs, x) - 1))
        t = (x - self.xs[k]) / (self.xs[k + 1] - self.xs[k])
        return values[k] + t * (values[k + 1] - values[k])

    def ground(self, x):
        return self.along(self.grounds, x)

    def thickness(self, unit, x):
        t = unit["base"] * (1 + self.along(unit["wave"], x)
                            + unit["trend"] * (x / self.length - 0.5))
        pinch = unit["pinch"]
        if pinch and pinch[0] == "left":  # present on the left, gone beyond the edge
            t *= ramp((pinch[1] - x) / pinch[2])
        elif pinch and pinch[0] == "right":
            t *= ramp((x - pinch[1]) / pinch[2])
        elif pinch:
            t *= min(ramp((x - pinch[1]) / pinch[3]), ramp((pinch[2] - x) / pinch[3]))
        return max(0.0, t)

    def erosion(self, x):
        """The bottom of the fill (the ground where there is none)."""
        if not self.fill:
            return self.ground(x)
        return self.ground(x) - self.along(self.fill_thickness, x)

    def natural_top(self, x):
        return self.top - self.dip * x + self.along(self.undulation, x)

    def boundaries(self, x):
        """Elevations of the unit boundaries at x, top down: ground, then the bottom of each unit."""
        g = self.ground(x)
        result = [g]
        erosion = self.erosion(x)
        if self.fill:
            result.append(erosion)
        level = self.natural_top(x)
        start = 1 if self.fill else 0
        for unit in self.units[start:]:
            level -= self.thickness(unit, x)
            result.append(min(level, erosion))
        result[-1] = min(result[-1], g - 100.0)  # the last unit goes on below every sounding
        return result

    def lens_spans(self, x, bounds):
        """(top, bottom, lens index) of the lenses at x."""
        spans = []
        for n, lens in enumerate(self.lenses):
            u = (x - lens["centre"]) / lens["half"]
            if abs(u) >= 1:
                continue
            top, bottom = bounds[lens["host"]], bounds[lens["host"] + 1]
            middle = top + lens["share"] * (bottom - top)
            half = lens["height"] * (1 - u * u) / 2
            spans.append((middle + half, middle - half, n))
        return spans

    def truth(self, x, elevations):
        """The true unit (index; lenses after the units) at each elevation at x."""
        bounds = self.boundaries(x)
        spans = self.lens_spans(x, bounds)
        labels = []
        for z in elevations:
            label = len(self.units) - 1
            for k in range(len(self.units)):
                if bounds[k + 1] < z <= bounds[k] or (k == 0 and z > bounds[0]):
                    label = k
                    break
            for top, bottom, n in spans:
                if bottom < z <= top:
                    label = len(self.units) + n
            labels.append(label)
        return labels

    def log(self, c):
        """The layers of log c as the engineer writes them: (bottom depth, soil name, group)."""
        rng = self.rng
        boring = c in self.borings
        x, g, depth = self.xs[c], self.grounds[c], self.depths[c]
        samples = [g - depth * (k + 0.5) / 400 for k in range(400)]
        labels = self.truth(x, samples)
        pieces = []  # (top, bottom, true unit)
        for k, label in enumerate(labels):
            top, bottom = depth * k / 400, depth * (k + 1) / 400
            if pieces and pieces[-1][2] == label:
                pieces[-1][1] = bottom
            else:
                pieces.append([top, bottom, label])
        everything = self.units + self.lenses
        layers = []
        for top, bottom, label in pieces:
            unit = everything[label]
            names = unit["names"]
            name = names[0] if rng.random() < 0.7 or len(names) == 1 else rng.choice(names[1:])
            if self.realistic and not boring:
                name = SOUNDING_NAME[unit["group"]]
            cuts = [(top, bottom, name, unit["group"])]
            thick = bottom - top
            if self.realistic and thick > 2.0 and rng.random() < 0.2:
                # A band of another soil that this log alone shows (not a unit of the ground).
                size = rng.uniform(0.3, 0.9)
                at = top + rng.uniform(0.2, 0.8) * (thick - size)
                group = rng.choice([q for q in NATURAL if FAMILY[q] != FAMILY[unit["group"]]])
                band = SOUNDING_NAME[group] if not boring else rng.choice(BORING_NAMES[group])
                cuts = [(top, at, name, unit["group"]), (at, at + size, band, group),
                        (at + size, bottom, name, unit["group"])]
            if self.realistic:
                pass
            elif thick > 1.2 and len(names) > 1 and rng.random() < 0.25:  # two names of one group
                cut = top + rng.uniform(0.3, 0.7) * thick
                other = rng.choice([n for n in names if n != name])
                cuts = [(top, cut, name, unit["group"]), (cut, bottom, other, unit["group"])]
            if thick > 1.0 and rng.random() < 0.15 and not self.realistic:  # a thin interbed
                at = top + rng.uniform(0.2, 0.8) * thick
                size = rng.uniform(0.1, 0.25)
                group = rng.choice([q for q in NATURAL if q != unit["group"]])
                split = []
                for a, b, n, q in cuts:
                    if a < at < b:
                        split += [(a, at, n, q), (at, min(b, at + size), rng.choice(NAMES[group]), group)]
                        if at + size < b:
                            split.append((at + size, b, n, q))
                    else:
                        split.append((a, b, n, q))
                cuts = split
            layers += cuts
        result = []
        for _, bottom, name, group in layers:
            b = round(bottom * 20) / 20
            if b <= 0.0 or (result and b <= result[-1][0]):  # nothing left of it at 5 cm steps
                continue
            if result and result[-1][1] == name:
                result[-1] = (b, name, group)
            else:
                result.append((b, name, group))
        result[-1] = (round(depth * 20) / 20, result[-1][1], result[-1][2])
        return result

    def resistance(self, label_group, level):
        rng = self.rng
        sinking, low, high = RESISTANCE[label_group]
        if rng.random() < sinking:
            return rng.choice([0.25, 0.5, 0.75, 1.0]), 0.0
        nsw = low + (high - low) * min(1.0, max(0.0, level + rng.gauss(0, 0.15)))
        return 1.0, nsw


def sdw_file(section, c, layers, header, patterns):
    """A sounding file: the example's header with this sounding's name and elevation, and rows every
    0.25 m and at every layer bottom."""
    depths = sorted({round(0.25 * k, 2) for k in range(1, int(layers[-1][0] / 0.25) + 1)}
                    | {b for b, _, _ in layers})
    depths = [d for d in depths if d <= layers[-1][0] + 1e-9]
    slots = header[:]
    slots[4] = f"No.{c + 1}"
    slots[12] = f"{section.grounds[c]:.2f}"
    everything = section.units + section.lenses
    levels = {}
    for unit in everything:
        for name in unit["names"]:
            levels.setdefault(name, unit["level"])
    lines = ["$$_SWJVERAN304", "$$Z"] + slots + ["$$A"]
    conversions = []
    previous = 0.0
    for d in depths:
        layer = next(l for l in layers if d <= l[0] + 1e-9)
        name, group = layer[1], layer[2]
        load, nsw = section.resistance(group, levels.get(name, 0.5))
        length = d - previous
        turns = round(nsw * length)
        nsw = turns / length if load >= 1.0 else 0.0
        soil = name if abs(d - layer[0]) < 1e-9 else ""
        pattern = patterns.get(name, "") if soil else ""
        remark = "自沈" if load < 1.0 or turns == 0 else ""
        lines.append(f"{load:.2f},{turns},{d:.2f},{length:.4f},{nsw:.4f},{remark},,,{soil},{pattern},0")
        if group in SANDY:
            n = 2 * load + 0.067 * nsw
            conversions.append(f"{d:.2f},{n:.6f},,{30 * load + 0.6 * nsw:.6f}" if turns
                               else f"{d:.2f},{n:.6f},,_")
        else:
            n = 3 * load + 0.05 * nsw
            qu = 45 * load + 0.75 * nsw
            conversions.append(f"{d:.2f},{n:.6f},{qu:.6f},{30 * load + 0.6 * nsw:.6f}" if turns
                               else f"{d:.2f},{n:.6f},{qu:.6f},_")
        previous = d
    lines += ["$$C"] + conversions
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def jdw_file(section, c, layers, header, patterns):
    """A boring log: the example boring's header with this boring's name, elevation and depth, its
    layers with the pattern of each name's main soil, and an N value every metre."""
    rng = section.rng
    slots = header[:]
    slots[4] = f"B-{c + 1}"
    slots[12] = f"{section.grounds[c]:.2f}"
    slots[44] = f"{layers[-1][0]:.2f}"
    lines = ["$$_JVERAN500", "$$Z"] + slots + ["$$A"]
    for bottom, name, _ in layers:
        pattern = patterns.get(MAIN_SOIL.get(name, name), "")
        lines.append(f"{bottom:.2f},{name},{pattern},,,,4,,,,")
    lines.append("$$C")
    depth = 1.15
    while depth < layers[-1][0]:
        group = next(g for b, _, g in layers if depth <= b + 1e-9)
        low, high = BORING_N[group]
        lines.append(f"{depth:.2f},{rng.randint(low, high)},,,,")
        depth += 1.0
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def boring_header():
    text = (ROOT / "examples" / "section" / "B-1.jdw").read_bytes().decode("cp932").splitlines()
    start = text.index("$$Z") + 1
    return text[start:text.index("$$W")]


def example_header():
    text = (ROOT / "examples" / "example-simple.sdw").read_bytes().decode("cp932").splitlines()
    start = text.index("$$Z") + 1
    return text[start:text.index("$$A")]


# --- what a correlation shows -----------------------------------------------------------------


def column_units(layers, ground, family_only=False):
    """(top elevation, bottom elevation, group) of a log's units: one group's layers joined, thin
    units merged into the neighbour of the nearest group (a realistic sounding tells families only)."""
    units = []
    top = 0.0
    for bottom, _, group in layers:
        if family_only and FAMILY[group] == "cohesive":
            group = "clay"
        if units and units[-1][2] == group:
            units[-1][1] = bottom
        else:
            units.append([top, bottom, group])
        top = bottom
    while len(units) > 1:
        k = min(range(len(units)), key=lambda i: units[i][1] - units[i][0])
        if units[k][1] - units[k][0] >= MIN_THICKNESS:
            break
        above = abs(POSITION[units[k - 1][2]] - POSITION[units[k][2]]) if k > 0 else 1e9
        below = abs(POSITION[units[k + 1][2]] - POSITION[units[k][2]]) if k + 1 < len(units) else 1e9
        if above <= below:
            units[k - 1][1] = units[k][1]
        else:
            units[k + 1][0] = units[k][0]
        del units[k]
        joined = []
        for u in units:
            if joined and joined[-1][2] == u[2]:
                joined[-1][1] = u[1]
            else:
                joined.append(u)
        units = joined
    return [(ground - a, ground - b, g) for a, b, g in units]


def unit_index(units, z):
    for k, (top, bottom, _) in enumerate(units):
        if bottom < z <= top:
            return k
    return 0 if z > units[0][0] else len(units) - 1


def order_labels(section, allunits, c, x, elevations):
    """Join by order: unit k of one sounding runs straight to unit k of the next; the units the
    shorter one lacks go on flat from the longer one."""
    a, b = allunits[c], allunits[c + 1]
    t = (x - section.xs[c]) / (section.xs[c + 1] - section.xs[c])
    common = min(len(a), len(b))
    lines = [a[k][0] + t * (b[k][0] - a[k][0]) for k in range(common)]
    lines.append(a[common - 1][1] + t * (b[common - 1][1] - a[common - 1][1]))
    longer = a if len(a) > len(b) else b
    labels = []
    for z in elevations:
        label = None
        for k in range(common):
            if lines[k + 1] < z <= lines[k] or (k == 0 and z > lines[0]):
                label = k
                break
        if label is None:
            label = max(common - 1, unit_index(longer, z))
        labels.append(("order", label))
    return labels


def nearest_labels(section, allunits, c, x, elevations):
    near = c if x - section.xs[c] <= section.xs[c + 1] - x else c + 1
    return [("near", near, unit_index(allunits[near], z)) for z in elevations]


def linked_labels(section, c, x, elevations):
    """The true units joined straight from one sounding to the next (a correct correlation as
    straight lines draw it; a lens seen in one sounding ends halfway to the other)."""
    xa, xb = section.xs[c], section.xs[c + 1]
    t = (x - xa) / (xb - xa)
    a, b = section.boundaries(xa), section.boundaries(xb)
    lines = [p + t * (q - p) for p, q in zip(a, b)]
    spans = {}
    for side, (xs, bounds, weight) in enumerate(((xa, a, 1 - t), (xb, b, t))):
        for top, bottom, n in section.lens_spans(xs, bounds):
            spans.setdefault(n, []).append((top, bottom, weight, side))
    labels = []
    for z in elevations:
        label = len(section.units) - 1
        for k in range(len(section.units)):
            if lines[k + 1] < z <= lines[k] or (k == 0 and z > lines[0]):
                label = k
                break
        for n, seen in spans.items():
            if len(seen) == 2:
                top = seen[0][0] * (1 - t) + seen[1][0] * t
                bottom = seen[0][1] * (1 - t) + seen[1][1] * t
            else:
                top, bottom, weight, _ = seen[0]
                shrink = max(0.0, 2 * weight - 1)  # 1 at the sounding, 0 halfway
                middle = (top + bottom) / 2
                top, bottom = middle + (top - middle) * shrink, middle - (middle - bottom) * shrink
            if bottom < z <= top:
                label = len(section.units) + n
        labels.append(("linked", label))
    return labels


def crossings(polygon, x):
    """The y of every edge of a closed polygon that the vertical line at x crosses, sorted."""
    ys = []
    for (ax, ay), (bx, by) in zip(polygon, polygon[1:] + polygon[:1]):
        if (ax > x) != (bx > x):
            ys.append(ay + (by - ay) * (x - ax) / (bx - ax))
    ys.sort()
    return ys


def drawn_labels(layers, x, elevations):
    """The drawn layer (the last whose outline holds the point, as the drawing paints them)."""
    lists = [crossings(polygon, x * 10.0) for polygon in layers]
    labels = []
    for z in elevations:
        y = -z
        shown = None
        for n, ys in enumerate(lists):
            if bisect.bisect_left(ys, y) % 2 == 1:
                shown = n
        labels.append(("drawn", shown))
    return labels


def score(section, label_of, dx=0.5, dz=0.1, seen=None):
    """The share of the section between the logs whose label stands for the true unit: from the
    ground down to the shallower log's end (clean), or to the line between the two logs' ends
    (realistic: below a shallow sounding the deeper logs on either side tell the ground)."""
    overlap = {}
    samples = []
    for c in range(len(section.xs) - 1):
        xa, xb = section.xs[c], section.xs[c + 1]
        steps = max(1, int((xb - xa) / dx))
        for i in range(steps):
            x = xa + (i + 0.5) * (xb - xa) / steps
            g = section.ground(x)
            t = (x - xa) / (xb - xa)
            if section.realistic:
                end = (1 - t) * (section.grounds[c] - section.depths[c]) + t * (
                    section.grounds[c + 1] - section.depths[c + 1])
                reach = g - end
            else:
                reach = min(section.depths[c], section.depths[c + 1])
            elevations = [g - (j + 0.5) * dz for j in range(int(reach / dz))]
            truth = section.truth(x, elevations)
            if seen is not None:
                seen.update(truth)
            for label, true in zip(label_of(c, x, elevations), truth):
                samples.append((label, true))
                if label[-1] is not None:
                    overlap.setdefault(label, {}).setdefault(true, 0)
                    overlap[label][true] += 1
    stands = {label: max(counts, key=counts.get) for label, counts in overlap.items()}
    right = sum(1 for label, true in samples if stands.get(label) == true)
    return 100.0 * right / len(samples)


# --- running the program ------------------------------------------------------------------------


def run(command):
    done = subprocess.run(command, capture_output=True)
    if done.returncode != 0:
        sys.exit(f"{' '.join(map(str, command))} failed ({done.returncode}):\n"
                 + done.stderr.decode("utf-8", "replace"))
    return done.stdout.decode("utf-8")


def evaluate(seed, program, folder, headers, patterns, baselines, min_thickness, realistic):
    section = Section(seed, realistic)
    logs = [section.log(c) for c in range(len(section.xs))]
    install = folder / "install"
    if not install.exists():
        install.mkdir()
        for name in ("WdtvxJG.mst", "WdtvxCS.mst"):
            shutil.copy(ROOT / "data" / name, install / name)
    work = folder / f"{'real' if realistic else 'clean'}-{seed}"
    work.mkdir(exist_ok=True)
    placed = []
    for c, layers in enumerate(logs):
        if c in section.borings:
            path = work / f"b{c + 1}.jdw"
            path.write_bytes(jdw_file(section, c, layers, headers[1], patterns))
        else:
            path = work / f"s{c + 1}.sdw"
            path.write_bytes(sdw_file(section, c, layers, headers[0], patterns))
        placed.append(f"{section.xs[c]:g}={path}")
    common = ["--install-folder", str(install)]
    run([program, "build", *common, "-o", str(work / "built.sqw"), *placed])
    proposal = json.loads(run([program, "interpret", *common, str(work / "built.sqw"), "-o",
                               str(work / "proposed.sqw"), "--replace", "--json", "--min-thickness",
                               f"{min_thickness:g}"]))
    info = json.loads(run([program, "info", *common, str(work / "proposed.sqw")]))
    points = {p["number"]: (p["x"], p["y"]) for p in info["points"]}
    drawn = [[points[n] for n in layer["points"]] for layer in info["layers"]]
    seen = set()
    result = {"seed": seed, "columns": len(section.xs),
              "proposal": score(section, lambda c, x, zs: drawn_labels(drawn, x, zs), seen=seen)}
    # Units beyond the truth: the symbols drawn against the true units (lenses included) that the
    # scored part of the section holds.
    symbols = {unit["symbol"] for unit in proposal["units"]}
    result["beyond"] = max(0, len(symbols) - len(seen))
    if baselines:
        units = [column_units(layers, section.grounds[c], realistic and c not in section.borings)
                 for c, layers in enumerate(logs)]
        result["order"] = score(section, lambda c, x, zs: order_labels(section, units, c, x, zs))
        result["nearest"] = score(section, lambda c, x, zs: nearest_labels(section, units, c, x, zs))
        result["linked"] = score(section, lambda c, x, zs: linked_labels(section, c, x, zs))
        if realistic:
            result["ceiling"] = score(section, lambda c, x, zs: ceiling_labels(section, c, x, zs))
    return result


def ceiling_labels(section, c, x, elevations):
    """The most the logs can tell (realistic): the true units straight between the logs down to the
    shallower log's end, as "linked"; under it the deeper log's true units, moved by as much as the
    shallower log's deepest boundary sits off the same boundary in the deeper log, less and less
    towards the deeper log. It knows every log's true units, which a sounding cannot tell apart, so
    no correlation of the logs scores above it."""
    ends = [section.grounds[k] - section.depths[k] for k in (c, c + 1)]
    shallow, deep = (c, c + 1) if ends[0] > ends[1] else (c + 1, c)
    end = max(ends)
    near, far = section.boundaries(section.xs[shallow]), section.boundaries(section.xs[deep])
    seen = [k for k in range(1, len(near)) if near[k] > end]
    k = seen[-1] if seen else 1
    share = abs(x - section.xs[deep]) / abs(section.xs[deep] - section.xs[shallow])
    moved = section.truth(section.xs[deep], [z - (near[k] - far[k]) * share for z in elevations])
    linked = linked_labels(section, c, x, elevations)
    return [("ceiling", a[-1] if z >= end else b) for z, a, b in zip(elevations, linked, moved)]


def seed_list(text):
    seeds = []
    for part in text.split(","):
        first, _, last = part.partition("-")
        seeds += list(range(int(first), int(last or first) + 1))
    return seeds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ravesect", default=str(ROOT / "build" / "apps" / "ravesect"))
    parser.add_argument("--seeds", default="1-30", help="e.g. 1-30 or 3,5,8-9")
    parser.add_argument("--baselines", action="store_true", help="score the two simple correlations too")
    parser.add_argument("--min-thickness", type=float, default=MIN_THICKNESS)
    parser.add_argument("--min-mean", type=float, help="fail when the mean score is lower")
    parser.add_argument("--min-each", type=float, help="fail when any section scores lower")
    parser.add_argument("--keep", help="write the sections into this folder and keep them")
    parser.add_argument("--realistic", action="store_true",
                        help="logs as offices write them: soundings name families (粘性土, 砂質土), borings "
                             "describe (シルト質粘土, シルト混り砂), one-log bands, soundings of 4-10 m beside "
                             "borings of 15-20 m")
    parser.add_argument("--max-beyond", type=float, help="fail when the mean of units beyond the truth is higher")
    args = parser.parse_args()
    headers, patterns = (example_header(), boring_header()), soil_patterns()
    folder = Path(args.keep) if args.keep else Path(tempfile.mkdtemp(prefix="score-layers-"))
    folder.mkdir(parents=True, exist_ok=True)
    try:
        rows = [evaluate(seed, args.ravesect, folder, headers, patterns, args.baselines, args.min_thickness,
                         args.realistic) for seed in seed_list(args.seeds)]
    finally:
        if not args.keep:
            shutil.rmtree(folder, ignore_errors=True)
    keys = ["proposal"] + (["order", "nearest", "linked"] if args.baselines else []) + (
        ["ceiling"] if args.baselines and args.realistic else []) + ["beyond"]
    print("seed  logs  " + "  ".join(f"{k:>8}" for k in keys))
    for row in rows:
        print(f"{row['seed']:4}  {row['columns']:4}  " + "  ".join(f"{row[k]:8.1f}" for k in keys))
    means = {k: sum(r[k] for r in rows) / len(rows) for k in keys}
    lows = {k: min(r[k] for r in rows) for k in keys}
    print("mean        " + "  ".join(f"{means[k]:8.1f}" for k in keys))
    print("lowest      " + "  ".join(f"{lows[k]:8.1f}" for k in keys))
    print(f"units beyond the truth: mean {means['beyond']:.2f}, most {max(r['beyond'] for r in rows)}")
    failed = (args.min_mean is not None and means["proposal"] < args.min_mean) or (
        args.min_each is not None and lows["proposal"] < args.min_each) or (
        args.max_beyond is not None and means["beyond"] > args.max_beyond)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
