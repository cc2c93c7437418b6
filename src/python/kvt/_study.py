# SPDX-License-Identifier: MIT
"""Studies: a case run for every combination of varied entries, here on kvt's own threads or as
picklable tasks on a Dask cluster, and the required bond length."""

from __future__ import annotations

import numbers
import warnings
from collections.abc import Iterable, Sequence
from typing import NamedTuple

from . import _core
from ._case import Case, _entry_text, check_case
from .codes import _factor_option
from ._errors import RangeWarning, UsageError
from ._frame import KvtFrame, frame_from_csv
from ._run import check_method, check_units


def _values_text(name: str, values) -> str:
    """The values of a varied entry as kvt-batch's --vary takes them: a text as given ("10:60:5",
    "D13,D19", "100:600:50mm"), a number, or any sequence of numbers and texts."""
    if isinstance(values, str) or isinstance(values, numbers.Number):
        return _entry_text(name, values)
    if not isinstance(values, Iterable):
        raise TypeError(f"{name} takes values: a list, a range text such as '10:60:5', a number")
    texts = [_entry_text(name, value) for value in values]
    for text in texts:
        if "," in text:
            raise UsageError(f"--vary {name}: a value of a list holds a comma: '{text}'")
    return ",".join(texts)


def study_options(
    vary=None,
    find_lb=None,
    lb_max=None,
    units="kgf-cm",
    jobs=None,
    yes=False,
    codes=None,
    fy=None,
    method=None,
) -> list[str]:
    """kvt-batch's options for a study, from the arguments of :func:`study`."""
    options = [] if method is None else ["--method", check_method(method)]
    for name, values in (vary or {}).items():
        options += ["--vary", f"{name}={_values_text(name, values)}"]
    if codes is not None:
        factors = dict(codes) if isinstance(codes, dict) else {"codes": codes}
        for name, value in factors.items():
            options += _factor_option(name, value)
    if find_lb is not None and fy is not None:
        raise UsageError("find_lb is the yield stress fy: give it once")
    if find_lb is not None:
        options += ["--find-lb", "--fy", _entry_text("fy", find_lb)]
    elif fy is not None:
        options += ["--fy", _entry_text("fy", fy)]
    if lb_max is not None:
        options += ["--lb-max", _entry_text("lb_max", lb_max)]
    options += ["--units", check_units(units)]
    if jobs is not None:
        options += ["-j", str(jobs)]
    if yes:
        options.append("--yes")
    return options


class StudyTask:
    """One run of a study's grid, as a picklable callable: ``task()`` runs it where it is
    called (a Dask worker, a process pool) and gives ``(run, line)``, the run's 0-based index
    in the grid and its line of the summary. :meth:`StudyTasks.frame` puts the lines together."""

    __slots__ = {
        "case": "The study's base case.",
        "options": "kvt-batch's options for the study, as its command line takes them.",
        "index": "The run's 0-based index in the grid.",
    }

    def __init__(self, case: Case, options: Sequence[str], index: int):
        self.case = case
        self.options = list(options)
        self.index = index

    def __call__(self) -> tuple[int, str]:
        study = _core.Study(self.case._entries, self.case.law._law, self.options)
        return self.index, study.line(self.index)

    def __getstate__(self):
        return {"case": self.case, "options": self.options, "index": self.index}

    def __setstate__(self, state):
        self.case, self.options, self.index = state["case"], state["options"], state["index"]

    def __dask_tokenize__(self):
        return (self.case.__getstate__(), tuple(self.options), self.index)

    def __repr__(self) -> str:
        return f"<kvt.StudyTask run {self.index + 1}>"


class StudyTasks(Sequence):
    """A study's grid as one :class:`StudyTask` per run, in grid order. Run them anywhere and
    give the results to :meth:`frame`; :meth:`run_on` does both on a Dask client::

        tasks = kvt.study_tasks(case, vary={"bar": ["D13", "D19"], "lb": "10:60:5"})
        futures = client.map(lambda task: task(), tasks)
        summary = tasks.frame(client.gather(futures))
    """

    def __init__(self, case: Case, options: list[str]):
        self._case = case
        self._options = options
        self._study = _core.Study(case._entries, case.law._law, options)
        for note in self._study.notes():
            warnings.warn(note, RangeWarning, stacklevel=3)

    def __len__(self) -> int:
        return self._study.size()

    def __getitem__(self, index):
        if isinstance(index, slice):
            return [self[k] for k in range(*index.indices(len(self)))]
        if index < 0:
            index += len(self)
        if not 0 <= index < len(self):
            raise IndexError(f"the study has {len(self)} runs")
        return StudyTask(self._case, self._options, index)

    def frame(self, results: Iterable[tuple[int, str]]) -> KvtFrame:
        """The summary of the results of every task (in any order): the same frame as
        :func:`study` gives."""
        lines = dict(results)
        missing = [k + 1 for k in range(len(self)) if k not in lines]
        if missing:
            raise ValueError(f"no result for run {', '.join(map(str, missing[:5]))}")
        return frame_from_csv(self._study.header() + "".join(lines[k] for k in range(len(self))))

    def run_on(self, client) -> KvtFrame:
        """Runs every task on a Dask client's workers and gives the summary."""
        futures = client.map(_run_task, list(self), pure=False)
        return self.frame(client.gather(futures))

    def run_here(self, progress=None) -> KvtFrame:
        """Runs the study on kvt's own threads in this process and gives the summary."""
        return frame_from_csv(self._study.header() + "".join(self._study.lines(progress)))


def _run_task(task: StudyTask) -> tuple[int, str]:
    return task()


def study_tasks(
    case: Case,
    vary: dict | None = None,
    *,
    units: str = "kgf-cm",
    find_lb=None,
    lb_max=None,
    codes=None,
    fy=None,
    method: str | None = None,
    yes: bool = False,
) -> StudyTasks:
    """A study's runs as picklable tasks, one per run of the grid, to be run on a cluster or a
    process pool (:class:`StudyTasks`). The arguments are those of :func:`study`."""
    check_case(case)
    options = study_options(vary, find_lb, lb_max, units, None, yes, codes, fy, method)
    return StudyTasks(case, options)


def study(
    case: Case,
    vary: dict | None = None,
    *,
    units: str = "kgf-cm",
    jobs: int | None = None,
    find_lb=None,
    lb_max=None,
    codes=None,
    fy=None,
    method: str | None = None,
    yes: bool = False,
    client=None,
    progress=None,
) -> KvtFrame:
    """Runs the case for every combination of varied entries, as ``kvt-batch --vary``, and gives
    its summary: ``study(...).to_csv(path, index=False)`` writes kvt-batch's summary of the same
    study byte for byte.

    ``vary`` maps an entry's ``--vary`` name to its values, the first changing slowest: a list
    (``["D13", "D19"]``, ``[10, 20, 30]``, ``["100 mm", "150 mm"]``) or a text as --vary takes
    it (``"10:60:5"`` from 10 to 60 in steps of 5, ``"100:600:50mm"``). ``find_lb`` is the
    bar's yield stress fy (``"345 MPa"``; a bare number in kgf/cm², or MPa with ``units="si"``):
    with it every case's required bond length is sought up to ``lb_max`` (200 cm unless given),
    and ``codes`` puts the design codes' lengths beside it, a column each: ``"all"``, a list of
    codes, or a dict of ``codes`` and the codes' factors (:mod:`kvt.codes`). ``fy`` alone, without
    a search, adds whether each case's bar yields before it pulls out.
    ``method`` is that of :func:`kvt.run`: the march of segments unless given, but the
    converged analysis for a search, as kvt-batch's --method.
    ``units`` is ``"kgf-cm"`` or ``"si"``; ``jobs`` the runs at a time (every core unless given);
    ``yes`` runs a grid of more than 100000 runs or an fy outside 1000 to 10000 kgf/cm², as
    kvt-batch's --yes.

    The runs go on kvt's own threads with the GIL released; ``progress(done, total)``, if
    given, is called a few times a second. Ctrl+C stops the study once the runs under way have
    finished. With a Dask ``client`` the runs go to its workers instead, one task each
    (:func:`study_tasks`), and the summary is the same.

    Options kvt-batch would refuse raise :class:`kvt.UsageError` in its words; a run that fails
    is a row whose outcome says why, as in kvt-batch's summary."""
    check_case(case)
    options = study_options(vary, find_lb, lb_max, units, jobs, yes, codes, fy, method)
    tasks = StudyTasks(case, options)
    if client is not None:
        return tasks.run_on(client)
    return tasks.run_here(progress)


class RequiredLength(NamedTuple):
    """The shortest bond length, on a 0.1 cm grid, at which Pbumax reaches the yield force
    fy·Ab, found as kvt-batch --find-lb finds it. Lengths are in cm, as typed into the lb box;
    forces in the units asked for."""

    outcome: str  # "found", "not reached" (up to lb_max) or "failed"
    lb: float | None  # the required length
    pbumax: float | None  # Pbumax at lb, at least fy·Ab
    shorter_lb: float | None  # 0.1 cm shorter; None when lb is 0.1 cm
    shorter_pbumax: float | None  # Pbumax there, below fy·Ab
    yield_force: float  # fy·Ab
    lengths_run: int
    failed_lb: float | None  # "failed": the length whose run failed
    failure: str  # "failed": why it failed


def find_lb(
    case: Case,
    fy,
    *,
    lb_max=None,
    units: str = "kgf-cm",
    method: str | None = None,
    yes: bool = False,
) -> RequiredLength:
    """The required bond length of a case for a bar of yield stress ``fy`` (``"345 MPa"``, or a
    bare number in kgf/cm², MPa with ``units="si"``): a scan every 5 cm up to ``lb_max`` (200 cm
    unless given), bisection within the first bracket, and the answer confirmed against the
    length 0.1 cm shorter, as ``kvt-batch --find-lb``: each length by the converged analysis
    unless ``method="segments"`` asks for the march."""
    check_case(case)
    options = study_options(None, fy, lb_max, units, 1, yes, method=method)
    found = _core.Study(case._entries, case.law._law, options).required_length()

    def force(kgf):
        return _core.in_units(kgf, "force", units)

    def length(tenths):
        return tenths / 10 if tenths > 0 else None

    kind = found["kind"]
    return RequiredLength(
        outcome=kind,
        lb=length(found["tenths"]) if kind == "found" else None,
        pbumax=force(found["pmax"]) if kind == "found" else None,
        shorter_lb=length(found["shorter_tenths"]) if kind == "found" else None,
        shorter_pbumax=(
            force(found["shorter_pmax"])
            if kind == "found" and found["shorter_tenths"] > 0
            else None
        ),
        yield_force=force(found["yield_force"]),
        lengths_run=found["runs"],
        failed_lb=length(found["failed_tenths"]) if kind == "failed" else None,
        failure=found["failure"] if kind == "failed" else "",
    )
