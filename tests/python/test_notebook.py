# SPDX-License-Identifier: MIT
"""The example notebook, executed cell by cell in a kernel of the Python the package is built
for, as a reader would run it."""

import os
import sys

import nbformat
from jupyter_client.kernelspec import KernelSpecManager
from nbclient import NotebookClient


def test_the_example_notebook_runs_and_draws(examples, monkeypatch):
    # The kernel draws inline, as in a notebook, whatever backend the tests themselves use.
    monkeypatch.delenv("MPLBACKEND", raising=False)
    kernel = KernelSpecManager().get_kernel_spec("python3")
    assert os.path.realpath(kernel.argv[0]) == os.path.realpath(sys.executable), kernel.argv
    notebook = nbformat.read(examples / "pull_out.ipynb", as_version=4)
    NotebookClient(
        notebook, timeout=120, kernel_name="python3", resources={"metadata": {"path": examples}}
    ).execute()
    outputs = [out for cell in notebook.cells if cell.cell_type == "code" for out in cell.outputs]
    assert not [output for output in outputs if output.output_type == "error"]
    figures = [output for output in outputs if "image/png" in output.get("data", {})]
    assert len(figures) == 3
    texts = "".join(output.get("data", {}).get("text/plain", "") for output in outputs)
    assert "<kvt.Run default.kvt: finished, 432 steps, Pbumax 7798.4 kgf>" in texts
    assert "RequiredLength(outcome='found'" in texts
    printed = "".join(out.get("text", "") for out in outputs if out.output_type == "stream")
    assert "fib MC2010: " in printed and "ACI 318-19: " in printed
