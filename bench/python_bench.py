#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What the Python package costs: kvt.run of the default case against the same run through the
C++ API (kvt_bench's BM_RecordedDefaultRun), and a 200-run study on one Dask worker process
against two.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python_bench.py build/release/bench/kvt_bench

Goals: kvt.run at most 10 % over the C++ API; the study at least 1.7 times faster on two workers
than on one. Both need a machine that is otherwise idle: a build or a test beside it takes a
core from the two workers.
"""

import json
import statistics
import subprocess
import sys
import time

import kvt


def python_run_ms(repeats: int = 200) -> tuple[float, float]:
    """Wall and CPU time of kvt.run of the default case, ms, the median of five batches."""
    case = kvt.Case()
    kvt.run(case)  # loads pandas' and the module's code once
    walls, cpus = [], []
    for _ in range(5):
        wall, cpu = time.perf_counter(), time.process_time()
        for _ in range(repeats):
            kvt.run(case)
        walls.append((time.perf_counter() - wall) / repeats * 1000)
        cpus.append((time.process_time() - cpu) / repeats * 1000)
    return statistics.median(walls), statistics.median(cpus)


def cpp_run_ms(kvt_bench: str) -> tuple[float, float]:
    """Wall and CPU time of BM_RecordedDefaultRun, ms, the median of five repetitions."""
    done = subprocess.run(
        [kvt_bench, "--benchmark_filter=^BM_RecordedDefaultRun$", "--benchmark_format=json",
         "--benchmark_repetitions=5", "--benchmark_min_time=1"],
        capture_output=True, text=True, check=True,
    )
    runs = json.loads(done.stdout)["benchmarks"]
    median = next(r for r in runs if r.get("aggregate_name") == "median")
    return median["real_time"], median["cpu_time"]


def study_seconds(workers: int) -> float:
    from dask.distributed import Client, LocalCluster

    case = kvt.Case()
    # 5 bars × 40 lengths from 5 to 102.5 cm: 200 runs, short and long alike
    vary = {"bar": ["D10", "D13", "D16", "D19", "D22"], "lb": [5 + 2.5 * k for k in range(40)]}
    with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        kvt.study(case, {"lb": [10, 20]}, client=client)  # the workers import kvt first
        started = time.perf_counter()
        summary = kvt.study(case, vary, client=client)
        elapsed = time.perf_counter() - started
    assert len(summary) == 200
    return elapsed


def main() -> None:
    python_ms, cpp_ms = python_run_ms(), cpp_run_ms(sys.argv[1])
    for k, what in enumerate(("wall", "CPU")):
        print(f"default run, {what} time: kvt.run {python_ms[k]:.3f} ms, C++ API "
              f"{cpp_ms[k]:.3f} ms, {100 * (python_ms[k] / cpp_ms[k] - 1):+.1f} % "
              "(goal: at most +10 %)")
    one, two = study_seconds(1), study_seconds(2)
    print(f"200-run study: 1 worker {one:.2f} s, 2 workers {two:.2f} s, "
          f"{one / two:.2f} times faster (goal: at least 1.7)")


if __name__ == "__main__":
    main()
