# SPDX-License-Identifier: MIT
"""kvt.study and kvt.find_lb against kvt-batch's summaries, byte for byte."""

import os
import signal
import threading
import time

import pytest

import kvt

STUDIES = [
    ({"bar": ["D13", "D19"], "lb": "10:60:5"}, {}, ["--vary", "bar=D13,D19", "--vary", "lb=10:60:5"]),
    ({"lb": [100, 150.5, "200mm"]}, {"units": "si"}, ["--vary", "lb=100,150.5,200mm", "--units", "si"]),
    # Es = 0 stops every run on a division by zero: rows whose outcome holds commas.
    ({"Es": [0, 2.1], "sigmaT": "0.1:0.3:0.1"}, {}, ["--vary", "Es=0,2.1", "--vary", "sigmaT=0.1:0.3:0.1"]),
    ({"lb": [10, 40]}, {"fy": "345 MPa"}, ["--vary", "lb=10,40", "--fy", "345MPa"]),
    ({"lb": [10, 40]}, {"method": "converged"}, ["--vary", "lb=10,40", "--method", "converged"]),
    ({"bar": ["D13", "D25"]}, {"find_lb": "345 MPa"}, ["--vary", "bar=D13,D25", "--find-lb", "--fy", "345 MPa"]),
]


@pytest.mark.parametrize("vary, options, args", STUDIES)
def test_study_writes_kvt_batch_summary(work, batch, vary, options, args):
    summary = kvt.study(kvt.Case.from_file("default.kvt"), vary, **options)
    summary.to_csv(work / "summary.csv", index=False)
    batch(work, *args, "default.kvt", status=1 if "Es" in vary else 0)
    assert (work / "summary.csv").read_bytes() == (work / "default.study.csv").read_bytes()


def test_summary_columns_hold_numbers():
    summary = kvt.study(kvt.Case(), {"lb": [10, 20], "bar": ["D13", "D16"]}, jobs=2)
    assert summary["lb (cm)"].tolist() == [10, 10, 20, 20]
    assert summary["Pbumax (kgf)"].dtype == float
    assert summary["steps"].dtype.kind == "i"
    d16 = kvt.run(kvt.Case().with_(lb=20, bar="D16"))
    assert summary["Pbumax (kgf)"].iloc[3] == d16.pbumax


def test_find_lb_answers_as_the_summary_does():
    case = kvt.Case().with_(bar="D13")
    found = kvt.find_lb(case, fy="345 MPa")
    row = kvt.study(case, find_lb="345 MPa").iloc[0]
    assert found.outcome == "found" and found.lb == row["required lb (cm)"]
    assert found.pbumax == row["Pbumax at required lb (kgf)"] >= found.yield_force
    assert found.shorter_pbumax == row["Pbumax 0.1 cm shorter (kgf)"] < found.yield_force
    assert found.shorter_lb == pytest.approx(found.lb - 0.1)
    march = kvt.find_lb(case, fy="345 MPa", method="segments")
    assert march.outcome == "found" and abs(march.lb - found.lb) <= 0.2
    short = kvt.find_lb(case, fy="345 MPa", lb_max=5)
    assert (short.outcome, short.lb) == ("not reached", None)


@pytest.mark.parametrize(
    "call, words",
    [
        (lambda c: kvt.study(c, {"length": [1, 2]}), "no entry is called 'length'"),
        (lambda c: kvt.study(c, {"bar": ["D13"], "db": [1, 2]}), "vary either bar or those"),
        (lambda c: kvt.study(c, {"lb": [1]}, find_lb=345), "--fy 345 is 345 kgf/cm²"),
        (lambda c: kvt.study(c, {"lb": [1]}, lb_max=20), "--lb-max goes with --find-lb"),
        (lambda c: kvt.study(c, {"lb": "1:1000000:1"}), "give --yes to run more than 100000"),
        (lambda c: kvt.study(c, {"lb": [1]}, jobs=0), "-j needs a number"),
    ],
)
def test_options_are_refused_in_kvt_batch_words(call, words):
    with pytest.raises(kvt.UsageError, match=words):
        call(kvt.Case())


def test_a_range_short_of_its_stop_is_named():
    with pytest.warns(kvt.RangeWarning, match="short of its stop 20"):
        summary = kvt.study(kvt.Case(), {"lb": "10:20:3"})
    assert summary["lb (cm)"].tolist() == [10, 13, 16, 19]


def test_tasks_run_anywhere_give_the_same_summary():
    case = kvt.Case().with_(comment="tasks")
    vary = {"bar": ["D13", "D19"], "lb": [15, 25]}
    tasks = kvt.study_tasks(case, vary)
    results = [task() for task in reversed(tasks)]
    assert tasks.frame(results).equals(kvt.study(case, vary))
    with pytest.raises(ValueError, match="no result for run 1"):
        tasks.frame(results[:-1])


def test_ctrl_c_stops_a_study_once_the_runs_under_way_finish():
    endless = kvt.Case().with_(C2=-1)  # every run goes to the step limit
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    started = time.monotonic()
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        kvt.study(endless, {"lb": "10:60:0.1"}, jobs=2)  # about 8 s in all
    assert time.monotonic() - started < 2
