#!/usr/bin/env python3
"""Prints the median and the fastest of each benchmark's repetitions from Google Benchmark's
JSON output (stdin): on a shared machine the fastest repetition is the one least disturbed.

  bench_fullscale --benchmark_repetitions=9 --benchmark_format=json | bench/summarise.py
"""
import json
import statistics
import sys

runs = {}
counters = {}
for b in json.load(sys.stdin)["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    name = b["run_name"]
    runs.setdefault(name, []).append(b["real_time"])
    unit = b["time_unit"]
    extra = {k: v for k, v in b.items() if k in ("max_frame_ms", "peak_rss_kB", "faint_stars",
                                                  "draw_list", "resident_stars", "stars_loaded")}
    if "max_frame_ms" in extra:
        extra["max_frame_ms"] = max(extra["max_frame_ms"], counters.get(name, {}).get("max_frame_ms", 0))
    counters[name] = {**counters.get(name, {}), **extra, "unit": unit}
for name, times in runs.items():
    c = counters[name]
    unit = c.pop("unit")
    rest = "  ".join(f"{k}={v:.6g}" for k, v in c.items())
    print(f"{name:45s} median {statistics.median(times):8.3f} {unit}  fastest {min(times):8.3f} {unit}  {rest}")
