# SPDX-License-Identifier: MIT
"""kvt.run against kvt-batch's own files, the units, the cases and the error kinds."""

import ast
import inspect
import os
import pickle
import signal
import threading
import time
from pathlib import Path

import pytest

import kvt


@pytest.mark.parametrize("example", ["default.kvt", "bilinear.kvt"])
@pytest.mark.parametrize("units", ["kgf-cm", "si"])
@pytest.mark.parametrize("method", ["segments", "converged"])
def test_run_writes_kvt_batch_files(work, batch, example, units, method):
    name = example.removesuffix(".kvt")
    run = kvt.run(kvt.Case.from_file(example), method=method, units=units)
    peak = run.peak.step
    batch(work, "--csv", "--profile-csv", f"1,{peak}", "--units", units, "--method", method,
          example)
    run.load_slip.to_csv(work / "load-slip.csv", index=False)
    assert (work / "load-slip.csv").read_bytes() == (work / f"{name}.csv").read_bytes()
    for step in (1, peak):
        run.profile(step).to_csv(work / "profile.csv", index=False)
        assert (work / "profile.csv").read_bytes() == (work / f"{name}.step{step}.csv").read_bytes()


def test_numbers_of_a_run_in_both_units():
    kgf, si = kvt.run(kvt.Case()), kvt.run(kvt.Case(), units="si")
    assert (kgf.steps, round(kgf.pbumax), kgf.peak.step) == (432, 7798, 251)
    assert kgf.load_slip.columns.tolist() == [
        "step",
        "free-end slip s0 (cm)",
        "loaded-end slip (cm)",
        "loaded-end force (kgf)",
        "average bond stress (kgf/cm2)",
    ]
    row = kgf.load_slip.iloc[kgf.peak.step - 1]
    assert kgf.pbumax == row["loaded-end force (kgf)"] == kgf.peak.load
    assert kgf.peak.free_end_slip == row["free-end slip s0 (cm)"]
    assert si.pbumax == kgf.pbumax * (9.80665 / 1000)  # one multiplication, as kvt converts
    assert si.tau_bmax == kgf.tau_bmax * (9.80665 / 100)
    assert si.peak.loaded_end_slip == kgf.peak.loaded_end_slip * 10
    assert si.load_slip.columns[3] == "loaded-end force (kN)"


@pytest.mark.parametrize(
    "entries, expected",
    [
        ({"lb": "300 mm"}, {"lb": 30.0}),
        ({"lb": 30}, {"lb": 30.0}),
        ({"bar": "D19"}, {"db": 1.91, "deltaL": 0.96, "Ab": 2.865, "phi": 6.0}),
        ({"bar": "D19", "deltaL": 0.5}, {"db": 1.91, "deltaL": 0.5}),
        ({"deltaL": 0.5, "db": "2 cm"}, {"db": 2.0, "deltaL": 0.5}),
        ({"Es": "200 GPa"}, {"Es": 2.039432e6}),
        ({"sigmaT": 0.1}, {"sigmaT": 0.1}),
    ],
)
def test_entries_take_the_rules_of_vary(entries, expected):
    committed = kvt.Case().with_(**entries).parameters
    for name, value in expected.items():
        assert committed[name] == pytest.approx(value, rel=1e-6), name


def test_a_case_changed_is_a_new_case_named_as_modified(work):
    case = kvt.Case.from_file("default.kvt")
    longer = case.with_(lb=30)
    assert (case.name, longer.name) == ("default.kvt", "default.kvt (modified)")
    assert case.entries["lb"] == "20.00" and longer.entries["lb"] == "30"
    assert pickle.loads(pickle.dumps(longer)) == longer
    assert kvt.run(pickle.loads(pickle.dumps(longer))).pbumax == kvt.run(longer).pbumax


def test_entries_read_in_part_are_named(work):
    text = (work / "default.kvt").read_bytes().replace(b"\r\n20.00\r\n", b"\r\n20,5\r\n", 1)
    (work / "part.kvt").write_bytes(text)
    with pytest.warns(kvt.EntryWarning, match='part.kvt: lb "20,5" is read as 20'):
        case = kvt.Case.from_file("part.kvt")
    assert case.warnings == kvt.run(case).warnings[:1]


@pytest.mark.parametrize(
    "make, error, words",
    [
        (lambda: kvt.Case.from_file("missing.kvt"), kvt.FileError, "missing.kvt"),
        (lambda: kvt.Case().with_(lb="abc"), kvt.UsageError, "lb: 'abc' is not a number"),
        (lambda: kvt.Case().with_(lb="10:20:5"), kvt.UsageError, "one value"),
        (lambda: kvt.Case().with_(length=3), kvt.UsageError, "no entry is called 'length'"),
        (lambda: kvt.Case().with_(lb="3 MPa"), kvt.UsageError, "not a unit of length"),
        (lambda: kvt.Case().with_(Es="1e38"), kvt.ParameterError, "Es"),
        (lambda: kvt.run(kvt.Case(), units="imperial"), kvt.UsageError, "si or kgf-cm"),
        (lambda: kvt.run(kvt.Case().with_(lb=-5)), kvt.ParameterError, ""),
    ],
)
def test_errors_are_of_their_kind(work, make, error, words):
    with pytest.raises(error, match=words) as raised:
        make()
    assert isinstance(raised.value, kvt.Error)


def test_a_run_that_never_ends_keeps_its_steps():
    endless = kvt.Case().with_(C2=-1)  # a descending branch that rises
    with pytest.raises(kvt.StepLimitError) as raised:
        kvt.run(endless)
    assert raised.value.run.steps == 10000 and raised.value.run.outcome == "step-limit"


def test_ctrl_c_stops_a_run_at_its_next_step():
    long_run = kvt.Case().with_(C2=-1, deltaL=0.001)  # 10000 steps of 20000 segments
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    started = time.monotonic()
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        kvt.run(long_run)
    assert time.monotonic() - started < 1.5


def _public(names):
    return {name for name in names if not name.startswith("_")}


def test_every_public_name_is_documented_and_the_stub_is_whole():
    undocumented = []
    for name in kvt.__all__:
        thing = getattr(kvt, name)
        members = vars(thing).items() if isinstance(thing, type) else ()
        for member, value in [(name, thing), *((f"{name}.{m}", v) for m, v in members)]:
            if not member.split(".")[-1].startswith("_") and not inspect.getdoc(value):
                undocumented.append(member)
    assert undocumented == []
    stub = ast.parse(Path(kvt._core.__file__).with_name("_core.pyi").read_text())
    typed = {node.name: node for node in stub.body if hasattr(node, "name")}
    assert set(typed) == _public(dir(kvt._core))
    for name, node in typed.items():
        if isinstance(node, ast.ClassDef):
            methods = {m.name for m in node.body if isinstance(m, ast.FunctionDef)}
            assert _public(methods) == _public(dir(getattr(kvt._core, name))), name


@pytest.mark.parametrize(
    "lb, units, unit", [(20, "kgf-cm", None), (40, "kgf-cm", "kgf/cm²"), (40, "si", "MPa")]
)
def test_a_bar_stress_no_bar_carries_is_named(lb, units, unit):
    notes = [w for w in kvt.run(kvt.Case().with_(lb=lb), units=units).warnings if "yielded" in w]
    assert notes == [] if unit is None else f" {unit}, is beyond any deformed bar" in notes[0]
