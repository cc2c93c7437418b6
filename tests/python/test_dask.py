# SPDX-License-Identifier: MIT
"""Studies on a Dask cluster of two worker processes, started once for the file."""

import os
import subprocess
import sys

import pytest
from dask.distributed import Client, LocalCluster

import kvt


@pytest.fixture(scope="module")
def client():
    cluster = LocalCluster(
        n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None
    )
    with Client(cluster) as client:
        yield client
    cluster.close()


def test_a_study_on_the_cluster_equals_the_local_one(client, tmp_path):
    case = kvt.Case().with_(comment="on two workers")
    vary = {"bar": ["D13", "D22"], "lb": "10:30:10", "sigmaT": [20, 30]}
    here, there = kvt.study(case, vary), kvt.study(case, vary, client=client)
    assert there.equals(here)
    here.to_csv(tmp_path / "here.csv", index=False)
    there.to_csv(tmp_path / "there.csv", index=False)
    assert (tmp_path / "there.csv").read_bytes() == (tmp_path / "here.csv").read_bytes()
    workers = client.run(lambda: os.getpid())
    assert len(set(workers.values())) == 2


def test_the_example_script_writes_kvt_batch_summary(client, work, batch, examples):
    script = examples / "dask_study.py"
    address = client.scheduler.address
    done = subprocess.run(
        [sys.executable, script, "--scheduler", address, "--out", "summary.csv"],
        cwd=work, capture_output=True, text=True,
    )
    assert done.returncode == 0, done.stderr
    assert "55 runs → summary.csv" in done.stdout
    batch(work, "--vary", "bar=D13,D16,D19,D22,D25", "--vary", "lb=10:60:5", "default.kvt")
    assert (work / "summary.csv").read_bytes() == (work / "default.study.csv").read_bytes()
