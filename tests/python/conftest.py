# SPDX-License-Identifier: MIT
"""The package as built, kvt-batch beside it, and the examples, as CTest hands them over."""

import os
import shutil
import subprocess
from pathlib import Path

import pytest


@pytest.fixture(scope="session")
def examples() -> Path:
    return Path(os.environ["KVT_EXAMPLES"])


@pytest.fixture
def work(tmp_path, examples) -> Path:
    """A folder with the examples in it, the current folder while the test runs."""
    for name in ("default.kvt", "bilinear.kvt"):
        shutil.copy(examples / name, tmp_path / name)
    cwd = os.getcwd()
    os.chdir(tmp_path)
    yield tmp_path
    os.chdir(cwd)


@pytest.fixture(scope="session")
def batch():
    """Runs kvt-batch with these arguments in a folder; gives its standard error."""

    def run(folder, *args, status=0):
        done = subprocess.run(
            [os.environ["KVT_BATCH"], *args], cwd=folder, capture_output=True, text=True
        )
        assert done.returncode == status, done.stderr
        return done.stderr

    return run
