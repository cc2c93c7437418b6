# SPDX-License-Identifier: MIT
"""Runs and studies with another bond law than kvt's own, and the design codes' lengths,
against kvt-batch --law and --codes."""

import os
import pickle
import subprocess

import pandas as pd
import pytest

import kvt

MC2010 = 'law = "mc2010"\r\nfck = "30 MPa"\r\nbond = "good"\r\nfailure = "pull-out"\r\nc_clear = "8 mm"\r\n'
TABLE = "slip (mm),bond stress (MPa)\r\n0.1,6\r\n0.6,12\r\n1.5,12\r\n4,4\r\n"


@pytest.fixture
def laws(work):
    (work / "c30.toml").write_text(MC2010, encoding="utf-8", newline="")
    (work / "m1.csv").write_text(TABLE, encoding="utf-8", newline="")
    (work / "m1.toml").write_text('law = "table"\nfile = "m1.csv"\n', encoding="utf-8")
    return work


@pytest.mark.parametrize("law_file", ["c30.toml", "m1.toml"])
def test_a_run_with_a_law_writes_kvt_batch_files(laws, batch, law_file):
    law = kvt.Law.from_file(law_file)
    run = kvt.run(kvt.Case.from_file("default.kvt").with_(law=law))
    batch(laws, "--law", law_file, "--csv", "--profile-csv", str(run.peak.step), "default.kvt")
    run.load_slip.to_csv(laws / "load-slip.csv", index=False)
    assert run.load_slip.comment.startswith("# bond law: ")
    assert (laws / "load-slip.csv").read_bytes() == (laws / "default.csv").read_bytes()
    run.profile().to_csv(laws / "profile.csv", index=False)
    expected = laws / f"default.step{run.peak.step}.csv"
    assert (laws / "profile.csv").read_bytes() == expected.read_bytes()


def test_laws_given_in_python_equal_their_files(laws):
    case = kvt.Case()
    by_entries = kvt.Law.mc2010(fck="30 MPa", c_clear="8 mm")
    assert by_entries.entries == kvt.Law.from_file("c30.toml").entries
    points = pd.read_csv(laws / "m1.csv")
    by_points = kvt.Law.table(points, name="m1")
    from_file = kvt.run(case.with_(law=kvt.Law.from_file("m1.toml")))
    assert kvt.run(case.with_(law=by_points)).load_slip.equals(from_file.load_slip)
    assert kvt.run(case).pbumax != from_file.pbumax
    again = pickle.loads(pickle.dumps(case.with_(law=by_points)))
    assert again.law == by_points and kvt.run(again).pbumax == from_file.pbumax


def test_a_study_with_a_law_writes_kvt_batch_summary(laws, batch):
    case = kvt.Case.from_file("default.kvt").with_(law=kvt.Law.from_file("c30.toml"))
    summary = kvt.study(case, {"bar": ["D13", "D19"], "lb": [10, 20]})
    summary.to_csv(laws / "summary.csv", index=False)
    batch(laws, "--law", "c30.toml", "--vary", "bar=D13,D19", "--vary", "lb=10,20", "default.kvt")
    assert (laws / "summary.csv").read_bytes() == (laws / "default.study.csv").read_bytes()


@pytest.mark.parametrize(
    "make, words",
    [
        (lambda: kvt.Law.mc2010(fcm="38", c_clear="8 mm"), 'fcm: "38" has no unit'),
        (lambda: kvt.Law.mc2010(fcm="38 MPa", c_clear="8 mm", bond="bad"), "bond"),
        (lambda: kvt.Law.mc2010(fcm="38 MPa", c_clear="8 mm", failure="splitting"), "c_min"),
        (lambda: kvt.Law.table(pd.DataFrame({"slip (mm)": [1, 0.5], "bond stress (MPa)": [5, 6]})),
         "increase"),
        (lambda: kvt.Law.from_file("none.toml"), "none.toml"),
    ],
)
def test_a_law_refused_names_the_entry(work, make, words):
    with pytest.raises(kvt.FileError, match=words):
        make()


def test_a_law_entry_is_changed_through_the_law():
    with pytest.raises(kvt.UsageError, match="law.fcm is an entry of the law"):
        kvt.Case().with_(**{"law.fcm": "30 MPa"})
    with pytest.raises(TypeError, match="kvt.Law"):
        kvt.Case().with_(law="c30.toml")


def test_the_codes_give_kvt_batch_lengths(work):
    case = kvt.Case.from_file("default.kvt")
    done = subprocess.run(
        [os.environ["KVT_BATCH"], "--codes", "all", "--fy", "345MPa", "--cover", "30mm",
         "default.kvt"], cwd=work, capture_output=True, text=True, check=True,
    )
    assert kvt.codes.report(case, "345 MPa", cover="30 mm") == done.stdout
    lengths = kvt.codes.lengths(case, "345 MPa", cover="30 mm")
    assert [c.code for c in lengths] == list(kvt.codes.CODES)
    for code in lengths:
        assert f"{code.title}: {code.length:.1f} cm" in done.stdout
    ec2 = kvt.codes.ec2_2004(case, "345 MPa", cover="30 mm", units="si")
    assert ec2.length == pytest.approx(lengths[0].length * 10) and not ec2.mean_basis
    assert kvt.codes.mc2010(case, "345 MPa").mean_basis
    poor = kvt.codes.ec2_2004(case, "345 MPa", bond="poor", cover="30 mm")
    assert poor.length > lengths[0].length  # η1 = 0.7 lowers fbd
    with pytest.raises(kvt.UsageError, match="--bond is good or poor, not 'bad'"):
        kvt.codes.lengths(case, "345 MPa", bond="bad")


def test_a_study_with_the_codes_writes_kvt_batch_summary(work, batch):
    summary = kvt.study(
        kvt.Case.from_file("default.kvt"), {"bar": ["D13", "D19"]}, find_lb="345 MPa",
        codes={"codes": ["ec2-2004", "aci318"], "cover": "30 mm"},
    )
    summary.to_csv(work / "summary.csv", index=False)
    batch(work, "--vary", "bar=D13,D19", "--find-lb", "--fy", "345MPa", "--codes",
          "ec2-2004,aci318", "--cover", "30mm", "default.kvt")
    assert (work / "summary.csv").read_bytes() == (work / "default.study.csv").read_bytes()
