# SPDX-License-Identifier: MIT
"""A run of a case: kvt.run and the Run it gives."""

from __future__ import annotations

from typing import NamedTuple

from . import _core
from ._case import Case, check_case
from ._errors import ParameterError, error_for
from ._frame import KvtFrame, frame_from_csv

METHODS = ("segments", "converged")


class Peak(NamedTuple):
    """Pbumax and where the run reached it, in the run's units."""

    step: int  # the first step that reaches Pbumax
    last_step: int  # the last step with that same force (a bi-linear law holds it over many)
    load: float  # Pbumax
    loaded_end_slip: float
    free_end_slip: float  # s0


def check_units(units: str) -> str:
    """The units, or :class:`kvt.UsageError` naming the two there are."""
    _core.unit_name("force", units)
    return units


def check_method(method: str) -> str:
    if method not in METHODS:
        raise error_for("usage")(f"method is segments or converged, not '{method}'")
    return method


def named(case: Case, message: str) -> str:
    """A message as kvt-batch prints it for the case: after the parameter file's name."""
    label = case._entries.label()
    return f"{label}: {message}" if label else message


def run(case: Case, method: str = "segments", units: str = "kgf-cm") -> "Run":
    """Runs a case as kvt-batch runs it, and gives its :class:`Run`. Nothing is written.

    ``method`` is ``"segments"``, the march of segments of the windows and the result file, or
    ``"converged"``, the bar's equations solved over lb itself to a stated accuracy. ``units``
    is ``"kgf-cm"`` (as entered) or ``"si"`` (kN, mm, MPa) for everything the run gives.

    The GIL is released while the run computes; Ctrl+C stops a march at its next step and raises
    KeyboardInterrupt (the converged analysis, a fraction of a second, finishes first). A run that fails raises the exception of its kind
    (:class:`kvt.ArithmeticFault`, :class:`kvt.StepLimitError`, :class:`kvt.ParameterError`) in
    kvt-batch's words; its ``run`` attribute holds the steps it finished."""
    check_case(case)
    check_units(units)
    check_method(method)
    try:
        record = _core.run(case._entries, case.law._law, method)
    except ParameterError as error:
        raise ParameterError(named(case, str(error))) from None
    result = Run(case, record, method, units)
    if record.outcome() != "finished":
        raise error_for(record.failure_kind())(named(case, record.failure()), run=result)
    return result


class Run:
    """The record of a run: its load-slip response step by step, Pbumax and where it was
    reached, and the distribution along the bar at any step, replayed on request. Every number
    is in the run's ``units``."""

    def __init__(self, case: Case, record, method: str, units: str):
        self._case = case
        self._record = record
        self._method = method
        self._units = units
        self._load_slip: KvtFrame | None = None

    @property
    def case(self) -> Case:
        """The case that was run."""
        return self._case

    @property
    def method(self) -> str:
        """``"segments"`` or ``"converged"``."""
        return self._method

    @property
    def units(self) -> str:
        """``"kgf-cm"`` or ``"si"``: the units of every number the run gives."""
        return self._units

    @property
    def outcome(self) -> str:
        """``"finished"``, or for a run that did not: ``"failed"``, ``"step-limit"`` or
        ``"cancelled"``."""
        return self._record.outcome()

    @property
    def failure(self) -> str:
        """Why the run did not finish, in kvt-batch's words; empty when it did."""
        return self._record.failure()

    @property
    def steps(self) -> int:
        """The number of steps the run finished."""
        return self._record.step_count()

    @property
    def load_slip(self) -> KvtFrame:
        """The load-slip response, one row per step, with the columns of kvt-batch's
        ``--csv`` file in the run's units; ``to_csv(path, index=False)`` writes that file."""
        if self._load_slip is None:
            self._load_slip = frame_from_csv(self._record.load_slip_csv(self._units))
        return self._load_slip.copy()

    def profile(self, step: int | None = None) -> KvtFrame:
        """The distribution along the bar at a step (the step of Pbumax when none is given):
        slip, bar force and the bond stress of each segment, with the columns of kvt-batch's
        ``--profile-csv`` file. It is marched again from the step's free-end slip with the same
        arithmetic, so it equals what the run computed to the last bit. A step the run did not
        finish gives IndexError."""
        step = self.peak.step if step is None else int(step)
        if self._record.row(step, self._units) is None:
            raise IndexError(f"the run has no step {step}; its steps are 1 to {self.steps}")
        return frame_from_csv(self._record.profile_csv(step, self._units))

    @property
    def pbumax(self) -> float:
        """Pbumax, the largest loaded-end force."""
        return self._record.pmax(self._units)

    @property
    def tau_bmax(self) -> float:
        """τbmax, the peak of the local bond law: the run's reference stress."""
        return self._record.tau_max(self._units)

    @property
    def tau_bumax(self) -> float:
        """τbumax, the largest average bond stress."""
        return self._record.tau_avg_max(self._units)

    @property
    def peak(self) -> Peak:
        """Pbumax, the steps over which it holds, and the slips at its first step."""
        first = self._record.peak_step()
        row = self._record.row(first, self._units)
        if row is None:
            return Peak(0, 0, 0.0, 0.0, 0.0)
        _, s0, loaded_end_slip, load, _ = row
        return Peak(first, self._record.peak_last_step(), load, loaded_end_slip, s0)

    @property
    def warnings(self) -> tuple[str, ...]:
        """What the numbers do not say: the case's entries read only in part, the length the
        march analyses when that is not lb, a rising branch its first step already passes, a
        bar stress at Pbumax that no deformed bar carries (the bar would have yielded first)."""
        return tuple(self._case.warnings) + tuple(self._record.notes(self._units))

    def plot(self, ax=None):
        """Draws the load-slip response on a matplotlib axis (a new figure's when none is
        given): the loaded-end force against the slip at the loaded end and at the free end,
        Pbumax marked. Returns the axis."""
        import matplotlib.pyplot as plt

        if ax is None:
            _, ax = plt.subplots()
        frame = self.load_slip
        _, s0, slip, force, _ = frame.columns
        length = _core.unit_name("length", self._units)
        force_unit = _core.unit_name("force", self._units)
        ax.plot(frame[slip], frame[force], color="black", label="loaded end")
        ax.plot(frame[s0], frame[force], color="black", linestyle="--", label="free end (s0)")
        peak = self.peak
        if peak.step:
            ax.plot([peak.loaded_end_slip], [peak.load], "o", color="black",
                    label=f"Pbumax = {peak.load:.5g} {force_unit}")
        ax.set_xlabel(f"slip ({length})")
        ax.set_ylabel(f"loaded-end force ({force_unit})")
        ax.set_title(self._record.case_name() or "kvt run")
        ax.grid(True)
        ax.legend()
        return ax

    def __repr__(self) -> str:
        force = _core.unit_name("force", self._units)
        name = self._record.case_name()
        head = f"<kvt.Run {name}: " if name else "<kvt.Run "
        return f"{head}{self.outcome}, {self.steps} steps, Pbumax {self.pbumax:.6g} {force}>"
